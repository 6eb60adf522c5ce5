#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>

class ClassGrid;

// The classroom: a desk for every named person, four pieces of furniture, the photo panel
// and the small picture that belongs to the background. Geometry is kept here in window
// coordinates; the class holds it in the person data rows and reaches it only on show and
// save. The window over it is thin, so that tests drive the plan without widgets.
class SeatingPlan
{
public:
    static constexpr int DeskCount = 34;
    static constexpr int MinimumSize = 12;

    enum Piece
    {
        TeacherDesk,
        Cupboard,
        Shelf,
        Projector,
        PieceCount
    };

    struct Desk
    {
        QRect rect;
        bool shown = false;
        QString text;
    };

    struct Furniture
    {
        QRect rect;
        bool shown = false;
        QString text;
    };

    // What a desk shows in name learning until it is clicked.
    static const QString QuestionMark;

    SeatingPlan(ClassGrid &grid, bool backgroundShown);

    // Desks, furniture, photo panel and small picture from the class, cell by cell where
    // a cell holds a value, else as they were last restored or saved: changes that were not
    // saved are dropped. Desks for the named persons only. Ends name learning and counts as
    // saved. A cell that is not a whole number is skipped and listed in skippedCells().
    void restore();
    QStringList skippedCells() const { return m_skipped; }

    // Writes the geometry of all 34 desks (shown or not), the furniture, the photo panel
    // and the small picture into the class.
    void save();

    // Nothing changed since the plan was restored or saved.
    bool isSaved() const { return m_saved; }
    void setSaved(bool saved) { m_saved = saved; }

    // Desks by person index 0..33.
    const Desk &desk(int person) const { return m_desks.at(person); }
    void setDeskRect(int person, const QRect &rect);
    static QRect defaultDeskRect(int person);

    const Furniture &furniture(Piece piece) const { return m_furniture.at(piece); }
    void setFurnitureRect(Piece piece, const QRect &rect);
    void setFurnitureShown(Piece piece, bool shown);
    // Cupboard and shelf only; the teacher's desk always reads "Pult".
    void setFurnitureText(Piece piece, const QString &text);
    static bool hasEditableText(Piece piece) { return piece == Cupboard || piece == Shelf; }

    // The photo panel keeps the proportions of a portrait: its height follows its width.
    QRect photoPanel() const { return m_photoPanel; }
    void setPhotoPanelRect(const QRect &rect);
    static int photoHeightFor(int width) { return width * 13 / 10; }
    // A double-click gives back the original size.
    void resetPhotoPanelSize();
    bool photoPanelShown() const { return m_photoPanelShown; }
    void setPhotoPanelShown(bool shown) { m_photoPanelShown = shown; }

    QPoint smallPicture() const { return m_smallPicture; }
    bool smallPictureShown() const { return m_smallPictureShown; }
    // Dragged out of the room, it is gone until the background is switched on again.
    void moveSmallPicture(const QPoint &topLeft);
    static QSize smallPictureSize() { return QSize(53, 29); }

    bool backgroundShown() const { return m_backgroundShown; }
    void toggleBackground();

    bool nameLearning() const { return m_nameLearning; }
    // Every desk shows a question mark until it is clicked.
    void startNameLearning();
    // A desk got the focus: it shows the name again.
    void revealName(int person);
    // A double-click opens the person's page, except while names are being learned.
    bool opensPersonPage() const { return !m_nameLearning; }

    // The window is left: name learning ends and the desks are cleared away.
    void leave();

    // The person's photo as the panel shows it: unscrambled when it is a stored bitmap and
    // photos are to be seen; the empty portrait when there is no file.
    QImage photoFor(int person, const QString &projectFolder, bool photosVisible) const;

private:
    // Where everything stood after the last restore or save.
    struct Layout
    {
        std::array<QRect, DeskCount> desks;
        std::array<QRect, PieceCount> furniture;
        QRect photoPanel;
        QPoint smallPicture;
    };

    Layout layout() const;
    QString name(int person) const;
    // Applies the cells (top, left, height, width) of `row` to `rect` where they hold values.
    QRect readGeometry(const QRect &rect, const std::array<int, 4> &columns, int row);
    bool readNumber(int column, int row, int &value);
    void writeGeometry(const QRect &rect, const std::array<int, 4> &columns, int row);
    void change(bool changed);

    ClassGrid &m_grid;
    std::array<Desk, DeskCount> m_desks;
    std::array<Furniture, PieceCount> m_furniture;
    QRect m_photoPanel;
    bool m_photoPanelShown = true;
    QPoint m_smallPicture;
    bool m_smallPictureShown;
    bool m_backgroundShown;
    bool m_nameLearning = false;
    bool m_saved = true;
    Layout m_committed;
    QStringList m_skipped;
};
