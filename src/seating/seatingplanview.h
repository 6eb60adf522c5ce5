#pragma once

#include "seatingplan.h"

#include <QImage>
#include <QVector>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class ClassDocument;
class DocumentOpener;
class PlanItemWidget;
class PrintProgress;
class SpecialPrints;
class SpecialPrintsPanel;
class PlanPrinter;
class QCheckBox;
class QPushButton;
class UserPrompts;

// The seating plan window: the room with its desks, furniture and photo panel, and the
// column of buttons and check boxes on the right. The plan itself is SeatingPlan; this
// window shows it and hands every drag, tick and click to it.
class SeatingPlanView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ControlColumnWidth = 148;
    static const QString SaveQuestion;
    static const QString NoClassMessage;
    static const QString HelpText;

    // Without a printer of its own the plan is printed through the print dialog.
    SeatingPlanView(ClassDocument &document, UserPrompts &prompts, bool backgroundShown,
                    PlanPrinter *printer = nullptr, QWidget *parent = nullptr);
    ~SeatingPlanView() override;

    SeatingPlan &plan() { return m_plan; }
    // Where stored photos are found, and where the printed picture is kept.
    void setPhotoFolder(const std::function<QString()> &folder) { m_photoFolder = folder; }
    void setReportFolder(const QString &folder) { m_reportFolder = folder; }

    // The special prints write into the report folder and hand their files to the opener.
    void enableSpecialPrints(DocumentOpener &opener, PrintProgress *progress);
    SpecialPrintsPanel *specialPrintsPanel() const { return m_special; }
    SpecialPrints *specialPrints() const { return m_specialPrints.get(); }

    // Shows the room of the class as it was last saved; an open room is only brought up.
    // The special prints stay hidden.
    void open();
    // The room with the special prints in front.
    void openSpecialPrints();
    // "zurück": leaves the room, asking first when it was changed.
    void back();

    PlanItemWidget *desk(int person) const { return m_desks.at(person); }
    PlanItemWidget *furniture(SeatingPlan::Piece piece) const { return m_furniture.at(piece); }
    PlanItemWidget *photoPanel() const { return m_photoPanel; }
    PlanItemWidget *smallPicture() const { return m_smallPicture; }
    // The room without the column of controls, as it is printed.
    QRect roomRect() const;
    QImage roomPicture();

signals:
    // The plan was written into the class: the class file should be saved now.
    void saveRequested();
    // A desk was double-clicked: that person's page should be shown.
    void personRequested(int person);
    void gameRequested();
    void backgroundChanged(bool shown);
    // The window went out of sight; the main window takes the focus back.
    void hidden();
    // The special prints were put away: the main window comes up.
    void mainWindowRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void createRoom();
    void createControls();
    void placeControls();
    // Brings every panel and check box in line with the plan.
    void showPlan();
    void showDesks();
    void showFurniture(SeatingPlan::Piece piece);
    void showPhotoPanel();
    void showSmallPicture();
    void showPhotoOf(int person);
    void showBoard();

    void save();
    void printPlan();
    void learnNames();
    // The marking list or the photo overview: the room is left first, without a question.
    void printSpecial(bool compact);
    void toggleBackground();

    ClassDocument &m_document;
    UserPrompts &m_prompts;
    SeatingPlan m_plan;
    std::unique_ptr<PlanPrinter> m_ownPrinter;
    PlanPrinter *m_printer;
    std::function<QString()> m_photoFolder;
    QString m_reportFolder;

    QVector<PlanItemWidget *> m_desks;
    std::array<PlanItemWidget *, SeatingPlan::PieceCount> m_furniture{};
    std::array<QCheckBox *, SeatingPlan::PieceCount> m_furnitureChecks{};
    PlanItemWidget *m_photoPanel = nullptr;
    PlanItemWidget *m_smallPicture = nullptr;
    QCheckBox *m_photoCheck = nullptr;
    QWidget *m_checks = nullptr;
    QVector<QPushButton *> m_buttons; // from the bottom up
    QPushButton *m_backgroundButton = nullptr;
    QImage m_board;
    QImage m_background;
    std::unique_ptr<SpecialPrints> m_specialPrints;
    SpecialPrintsPanel *m_special = nullptr;
    // Whose photo the panel shows; -1 for the board.
    int m_photoPerson = -1;
};
