#include "seatingplan.h"

#include "classdata/classgrid.h"
#include "documents/reportpicture.h"
#include "photos/photoconverter.h"

#include <QFileInfo>

namespace {

constexpr int BlockRows = 17;

int dataRow(int person)
{
    return person * BlockRows + 16;
}

// Cells of a desk in its person's data row, and of the class-wide pieces in row 16.
constexpr int NameColumn = 0;
constexpr int PhotoColumn = 20;
constexpr std::array<int, 4> DeskColumns{22, 23, 24, 25};       // top, left, height, width
constexpr std::array<int, 4> PhotoPanelColumns{26, 27, 28, 29}; // top, left, height, width
constexpr int SmallPictureLeftColumn = 30;
constexpr int SmallPictureTopColumn = 31;
constexpr int SettingsRow = 16;

// Each piece of furniture keeps its cells in the data row of one of the first persons.
constexpr std::array<int, 4> FurnitureColumns{33, 34, 37, 38}; // top, left, height, width
constexpr int FurnitureTextColumn = 35;
constexpr int FurnitureShownColumn = 36;
constexpr std::array<int, SeatingPlan::PieceCount> FurnitureRows{16, 33, 50, 67};

const std::array<QRect, SeatingPlan::PieceCount> FurnitureDefaults{
    QRect(112, 384, 105, 60), QRect(104, 472, 121, 41), QRect(104, 544, 121, 41),
    QRect(112, 320, 57, 57)};

const QRect PhotoPanelDefault(476, 464, 150, 195);
const QPoint SmallPictureDefault(240, 632);
// Where the small picture goes when the background comes back, and where it waits
// while the background is away.
const QPoint SmallPictureReturn(288, 634);
const QPoint SmallPictureAway(50, 50);

QString defaultText(SeatingPlan::Piece piece)
{
    switch (piece) {
    case SeatingPlan::TeacherDesk:
        return QStringLiteral("Pult");
    case SeatingPlan::Cupboard:
        return QStringLiteral("Schrank");
    case SeatingPlan::Shelf:
        return QStringLiteral("Regal");
    default:
        return QString();
    }
}

// Whether a piece is shown by its stored mark. The teacher's desk and the projector stand
// in every room unless switched off; cupboard and shelf have to be switched on.
bool shownByMark(SeatingPlan::Piece piece, const QString &mark)
{
    switch (piece) {
    case SeatingPlan::TeacherDesk:
        return mark != QLatin1String("0");
    case SeatingPlan::Projector:
        return mark.isEmpty() || mark == QLatin1String("1");
    default:
        return mark == QLatin1String("1");
    }
}

QString firstLine(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n')
            return text.left(i);
    }
    return text;
}

// The room the small picture may stand in when the plan is shown...
bool insideShowBounds(const QPoint &p)
{
    return p.x() >= 230 && p.x() <= 911 && p.y() >= 100 && p.y() <= 710;
}

// ... and the wider room it may be dragged in; beyond it, it is taken away.
bool insideDragBounds(const QPoint &p)
{
    return p.x() >= 44 && p.x() <= 911 && p.y() >= 100 && p.y() <= 710;
}

QRect withMinimumSize(QRect rect)
{
    rect.setWidth(qMax(rect.width(), SeatingPlan::MinimumSize));
    rect.setHeight(qMax(rect.height(), SeatingPlan::MinimumSize));
    return rect;
}

} // namespace

const QString SeatingPlan::QuestionMark = QStringLiteral("        ?");

SeatingPlan::SeatingPlan(ClassGrid &grid, bool backgroundShown)
    : m_grid(grid), m_photoPanel(PhotoPanelDefault), m_smallPicture(SmallPictureDefault),
      m_smallPictureShown(backgroundShown), m_backgroundShown(backgroundShown)
{
    for (int person = 0; person < DeskCount; ++person)
        m_desks[person].rect = defaultDeskRect(person);
    for (int piece = 0; piece < PieceCount; ++piece) {
        m_furniture[piece].rect = FurnitureDefaults[piece];
        m_furniture[piece].shown = piece == TeacherDesk || piece == Projector;
        m_furniture[piece].text = defaultText(Piece(piece));
    }
    m_committed = layout();
}

SeatingPlan::Layout SeatingPlan::layout() const
{
    Layout now;
    for (int person = 0; person < DeskCount; ++person)
        now.desks[person] = m_desks[person].rect;
    for (int piece = 0; piece < PieceCount; ++piece)
        now.furniture[piece] = m_furniture[piece].rect;
    now.photoPanel = m_photoPanel;
    now.smallPicture = m_smallPicture;
    return now;
}

QRect SeatingPlan::defaultDeskRect(int person)
{
    const int column = person % 6;
    const int row = person / 6;
    // The last row has room for a desk beside the door only.
    const int left = person == 32 ? 696 : 240 + 112 * column;
    return QRect(left, 136 + 88 * row, 80, 60);
}

QString SeatingPlan::name(int person) const
{
    return m_grid.cell(NameColumn, dataRow(person));
}

bool SeatingPlan::readNumber(int column, int row, int &value)
{
    const QString text = m_grid.cell(column, row);
    if (text.isEmpty())
        return false;
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    if (!ok) {
        m_skipped << QStringLiteral("(%1, %2)").arg(column).arg(row);
        return false;
    }
    value = number;
    return true;
}

QRect SeatingPlan::readGeometry(const QRect &rect, const std::array<int, 4> &columns, int row)
{
    int top = rect.top();
    int left = rect.left();
    int height = rect.height();
    int width = rect.width();
    readNumber(columns[0], row, top);
    readNumber(columns[1], row, left);
    readNumber(columns[2], row, height);
    readNumber(columns[3], row, width);
    // A piece shrunk to nothing could never be grabbed again.
    return withMinimumSize(QRect(left, top, width, height));
}

void SeatingPlan::writeGeometry(const QRect &rect, const std::array<int, 4> &columns, int row)
{
    m_grid.setCell(columns[0], row, QString::number(rect.top()));
    m_grid.setCell(columns[1], row, QString::number(rect.left()));
    m_grid.setCell(columns[2], row, QString::number(rect.height()));
    m_grid.setCell(columns[3], row, QString::number(rect.width()));
}

void SeatingPlan::restore()
{
    m_skipped.clear();
    m_nameLearning = false;
    for (int person = 0; person < DeskCount; ++person) {
        Desk &desk = m_desks[person];
        const QString text = name(person);
        desk.text = text;
        desk.shown = !text.trimmed().isEmpty();
        desk.rect = m_committed.desks[person];
        // Free slots keep whatever geometry their desk had, so that a class shown after
        // another one inherits its room.
        if (!text.isEmpty())
            desk.rect = readGeometry(desk.rect, DeskColumns, dataRow(person));
    }

    for (int piece = 0; piece < PieceCount; ++piece) {
        Furniture &item = m_furniture[piece];
        const int row = FurnitureRows[piece];
        item.rect = readGeometry(m_committed.furniture[piece], FurnitureColumns, row);
        item.shown = shownByMark(Piece(piece), m_grid.cell(FurnitureShownColumn, row));
        if (hasEditableText(Piece(piece))) {
            const QString text = firstLine(m_grid.cell(FurnitureTextColumn, row));
            item.text = text.isEmpty() ? defaultText(Piece(piece)) : text;
        }
    }

    setPhotoPanelRect(readGeometry(m_committed.photoPanel, PhotoPanelColumns, SettingsRow));

    int left = m_committed.smallPicture.x();
    int top = m_committed.smallPicture.y();
    readNumber(SmallPictureLeftColumn, SettingsRow, left);
    readNumber(SmallPictureTopColumn, SettingsRow, top);
    m_smallPicture = QPoint(left, top);
    // Put away beyond the room, it stays away; otherwise it stands with the background.
    m_smallPictureShown = m_backgroundShown && insideShowBounds(m_smallPicture);

    m_committed = layout();
    m_saved = true;
}

void SeatingPlan::save()
{
    const ClassGrid::UndoStep step(m_grid, QStringLiteral("Sitzplan gespeichert"));
    const ClassGrid::BulkChange bulk(m_grid);
    for (int person = 0; person < DeskCount; ++person)
        writeGeometry(m_desks[person].rect, DeskColumns, dataRow(person));
    writeGeometry(m_photoPanel, PhotoPanelColumns, SettingsRow);
    m_grid.setCell(SmallPictureLeftColumn, SettingsRow, QString::number(m_smallPicture.x()));
    m_grid.setCell(SmallPictureTopColumn, SettingsRow, QString::number(m_smallPicture.y()));
    for (int piece = 0; piece < PieceCount; ++piece) {
        const Furniture &item = m_furniture[piece];
        const int row = FurnitureRows[piece];
        m_grid.setCell(FurnitureShownColumn, row,
                       item.shown ? QStringLiteral("1") : QStringLiteral("0"));
        if (hasEditableText(Piece(piece)))
            m_grid.setCell(FurnitureTextColumn, row, firstLine(item.text));
        writeGeometry(item.rect, FurnitureColumns, row);
    }
    m_committed = layout();
    m_saved = true;
}

void SeatingPlan::change(bool changed)
{
    if (changed)
        m_saved = false;
}

void SeatingPlan::setDeskRect(int person, const QRect &rect)
{
    const QRect sized = withMinimumSize(rect);
    change(m_desks.at(person).rect != sized);
    m_desks[person].rect = sized;
}

void SeatingPlan::setFurnitureRect(Piece piece, const QRect &rect)
{
    const QRect sized = withMinimumSize(rect);
    change(m_furniture.at(piece).rect != sized);
    m_furniture[piece].rect = sized;
}

void SeatingPlan::setFurnitureShown(Piece piece, bool shown)
{
    change(m_furniture.at(piece).shown != shown);
    m_furniture[piece].shown = shown;
}

void SeatingPlan::setFurnitureText(Piece piece, const QString &text)
{
    if (!hasEditableText(piece))
        return;
    const QString line = firstLine(text);
    change(m_furniture.at(piece).text != line);
    m_furniture[piece].text = line;
}

void SeatingPlan::setPhotoPanelRect(const QRect &rect)
{
    const int width = qMax(rect.width(), MinimumSize);
    const QRect sized(rect.topLeft(), QSize(width, photoHeightFor(width)));
    change(m_photoPanel != sized);
    m_photoPanel = sized;
}

void SeatingPlan::resetPhotoPanelSize()
{
    setPhotoPanelRect(QRect(m_photoPanel.topLeft(), PhotoPanelDefault.size()));
}

void SeatingPlan::moveSmallPicture(const QPoint &topLeft)
{
    change(m_smallPicture != topLeft);
    m_smallPicture = topLeft;
    if (!insideDragBounds(topLeft))
        m_smallPictureShown = false;
}

void SeatingPlan::toggleBackground()
{
    m_backgroundShown = !m_backgroundShown;
    m_smallPictureShown = m_backgroundShown;
    m_smallPicture = m_backgroundShown ? SmallPictureReturn : SmallPictureAway;
}

void SeatingPlan::startNameLearning()
{
    for (Desk &desk : m_desks)
        desk.text = QuestionMark;
    m_nameLearning = true;
}

void SeatingPlan::revealName(int person)
{
    if (person >= 0 && person < DeskCount)
        m_desks[person].text = name(person);
}

void SeatingPlan::leave()
{
    m_nameLearning = false;
    for (Desk &desk : m_desks) {
        desk.shown = false;
        desk.text.clear();
    }
}

QImage SeatingPlan::photoFor(int person, const QString &projectFolder, bool photosVisible) const
{
    const QString stored = m_grid.cell(PhotoColumn, dataRow(person));
    QImage photo;
    if (!stored.isEmpty()) {
        const QString file = PhotoConverter::resolve(projectFolder, stored);
        if (QFileInfo(file).isFile()) {
            // Stored bitmaps are scrambled; unscrambled only while photos are to be seen.
            photo = photosVisible && stored.endsWith(QLatin1String(".bmp"))
                        ? PhotoConverter::loadStoredPhoto(file)
                        : QImage(file);
        }
    }
    return photo.isNull() ? ReportPicture::placeholder() : photo;
}
