#pragma once

#include "sessionview.h"

#include <QDate>
#include <QMainWindow>
#include <QVector>

#include <memory>
#include <vector>

class AppSettings;
class MemoryGameView;
class DocumentOpener;
class PrintCommands;
class PrintProgressPanel;
class QGroupBox;
struct PrintPlace;
class EvaluationTable;
class OverviewTable;
class OverviewView;
class CourseBookSheet;
class CourseBookView;
class QTimer;
class EnlargedTextPanel;
class PersonPage;
class PersonPageView;
class SubjectSheet;
class SubjectSheetView;
class ClassDocument;
class HelpPanel;
class PasswordDialog;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;
class SeatingPlanView;
class SessionController;
class UserPrompts;

// The main window: the tab control with its 18 pages, the class commands and the help
// panel. Loading, saving and closing are decided by the SessionController.
class MainWindow : public QMainWindow, public SessionView
{
    Q_OBJECT

public:
    static constexpr int PageCount = 18;
    static constexpr int OverviewPage = 16; // page numbers count from 1

    struct Options
    {
        QString programFolder;
        QString reportFolder;
        QString commandLineFile;
        QDate today = QDate::currentDate();
        // Opens the reports; the desktop's default programs when none is given.
        DocumentOpener *opener = nullptr;
        // How often unsaved changes are copied for recovery after a crash.
        int recoveryInterval = 2 * 60 * 1000;
    };

    MainWindow(ClassDocument &document, AppSettings &settings, UserPrompts &prompts,
               const Options &options, QWidget *parent = nullptr);
    ~MainWindow() override;

    SessionController &controller() { return *m_controller; }
    PasswordDialog *passwordDialog() const { return m_passwordDialog; }
    QTabWidget *tabs() const { return m_tabs; }
    HelpPanel *helpPanel() const { return m_helpPanel; }
    // Page n (1..18): the person page, the 14 subject sheets, the overview, the two
    // course-book sheets.
    QWidget *page(int n) const { return m_pages.value(n - 1); }
    PersonPageView *personPage() const { return m_personView; }
    EnlargedTextPanel *enlargedTextPanel() const { return m_enlarged; }
    CourseBookView *courseBook(int halfYear) const { return m_courseViews.value(halfYear - 1); }
    OverviewView *overview() const { return m_overviewView; }
    SubjectSheetView *subjectSheet(int subject) const { return m_subjectViews.value(subject - 1); }

    // The display position of every page, in page order.
    QVector<int> tabPositions() const;
    void setTabPositions(const QVector<int> &positions);

    // SessionView
    void showPasswordDialog(PasswordMode mode, const QString &text,
                            const QString &caption) override;
    void hidePasswordDialog() override;
    void setCaption(const QString &caption) override;
    void showLoadedClass() override;
    void showHelpPanel() override;
    void showStartHint(bool shown) override;
    void closeMainWindow() override;
    QLabel *startHint() const { return m_startHint; }
    QGroupBox *printGroup() const { return m_printGroup; }
    PrintProgressPanel *printProgress() const { return m_printProgress; }
    // The sheet column last selected on any subject sheet: the exam "Klausurausfall"
    // evaluates. 0 until a cell was selected.
    int examColumn() const { return m_examColumn; }
    // Created the first time "Sitzplan u. mehr" opens it.
    SeatingPlanView *seatingPlan() const { return m_seating; }
    MemoryGameView *memoryGame() const { return m_game; }

    // Where a window of the given size goes: centred, but near the top of a low screen.
    static QPoint placement(const QRect &screen, const QRect &available, const QSize &size);

    // The colours of the chosen scheme; pop art only while the verbal evaluation is off.
    void applyColourScheme(bool chosen);

    // Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z) and the two small buttons beside "speichern".
    void undoStep();
    void redoStep();
    QToolButton *undoButton() const { return m_undoButton; }
    QToolButton *redoButton() const { return m_redoButton; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createPages();
    void placeWindow();
    void searchUpdate();
    void showPersonPage();
    void pageActivated(int index);
    void updateCaptions();
    void updatePopArtCheck();
    void startNewLearningGroup();
    // Subject tabs for grades, the overview tab for the verbal evaluation.
    void applyVerbalTabs();
    void createPrintGroup();
    void createUndoButtons();
    void updateUndoButtons();
    // After a step was taken back or again: what the grid signals do not reach follows.
    void followHistory();
    // Where a print command was given: the page in front, its caption and width.
    PrintPlace printPlace() const;
    void printResultList();
    void printCompleteList();
    void printPerson();
    void printExam();
    void printCourseBook(int halfYear);
    void openSeatingPlan();
    // "Spezialdrucke": the room with the special prints in front.
    void openSpecialPrints();
    // Created the first time it is needed.
    SeatingPlanView *createdSeatingPlan();
    void openGame();
    // The special prints that leave the room: label sheets and the group program's list.
    void printLabels(bool namesOnly);
    void makeGroupList();
    // "Klasse exportieren": the whole class to a workbook or a CSV table, then opened.
    void exportClass();

    ClassDocument &m_document;
    AppSettings &m_settings;
    UserPrompts &m_prompts;
    Options m_options;
    SessionController *m_controller;

    QFrame *m_tabPanel;
    QTabWidget *m_tabs;
    QVector<QWidget *> m_pages;
    std::unique_ptr<PersonPage> m_personPage;
    std::vector<std::unique_ptr<SubjectSheet>> m_subjectSheets;
    PersonPageView *m_personView = nullptr;
    QVector<SubjectSheetView *> m_subjectViews;
    EnlargedTextPanel *m_enlarged = nullptr;
    std::vector<std::unique_ptr<CourseBookSheet>> m_courseSheets;
    QVector<CourseBookView *> m_courseViews;
    QTimer *m_hintTimer = nullptr;
    std::unique_ptr<EvaluationTable> m_evaluation;
    std::unique_ptr<OverviewTable> m_overviewTable;
    OverviewView *m_overviewView = nullptr;
    HelpPanel *m_helpPanel;
    PasswordDialog *m_passwordDialog;
    QPushButton *m_loadButton;
    QPushButton *m_saveButton;
    QPushButton *m_backupButton;
    QPushButton *m_exportButton;
    QPushButton *m_helpButton;
    QPushButton *m_endButton;
    QToolButton *m_undoButton = nullptr;
    QToolButton *m_redoButton = nullptr;
    QCheckBox *m_autoLoadCheck = nullptr;
    QCheckBox *m_popArtCheck = nullptr;
    QLabel *m_startHint = nullptr;
    std::unique_ptr<DocumentOpener> m_ownOpener;
    DocumentOpener *m_opener = nullptr;
    std::unique_ptr<PrintCommands> m_print;
    PrintProgressPanel *m_printProgress = nullptr;
    QGroupBox *m_printGroup = nullptr;
    QPushButton *m_resultListButton = nullptr;
    QPushButton *m_personButton = nullptr;
    QPushButton *m_completeListButton = nullptr;
    QPushButton *m_specialButton = nullptr;
    QPushButton *m_examButton = nullptr;
    int m_examColumn = 0;
    QPushButton *m_seatingButton = nullptr;
    SeatingPlanView *m_seating = nullptr;
    MemoryGameView *m_game = nullptr;
    bool m_paintQueued = false;
    bool m_firstShowDone = false;
};
