#include "personpage.h"

#include "classdata/classdocument.h"
#include "classdata/userprompts.h"
#include "coursebook/coursebooksheet.h"
#include "grades/gradesettings.h"
#include "grades/gradewalk.h"
#include "grades/resultrow.h"
#include "personoperations.h"
#include "photos/photoconverter.h"

#include <QFileInfo>

const QColor PersonPage::Weighting(0xFC, 0xFE, 0xCF);

namespace {

const QString WeightingOn = QStringLiteral("Wichtung");
const QString WeightingLabel = QStringLiteral("Gewichtung, mdl.|schr.");
constexpr int LastPerson = ClassDocument::PersonCount - 1;
constexpr int LastCursorColumn = 42;

// Letters of column headings that files of an older layout kept in the weighting row.
bool isOldHeadingLetter(const QString &text)
{
    static const QStringList letters{QStringLiteral("e"),  QStringLiteral("t"), QStringLiteral("A"),
                                     QStringLiteral("s"),  QStringLiteral("T"), QStringLiteral("i"),
                                     QStringLiteral("r"),  QStringLiteral("b"), QStringLiteral("n"),
                                     QStringLiteral("B"),  QStringLiteral("ä"), QStringLiteral("g"),
                                     QStringLiteral("H"),  QStringLiteral("a"), QStringLiteral("u"),
                                     QStringLiteral("g."), QStringLiteral("f")};
    return letters.contains(text);
}

bool isWeightColumn(int column)
{
    return (column >= 1 && column <= 30) || (column >= 32 && column <= 42);
}

} // namespace

PersonPage::PersonPage(ClassDocument &document, UserPrompts &prompts)
    : SheetLogic(&document.grid()), m_document(document), m_prompts(prompts)
{
    m_table.resize(Columns, Rows);
    refill();
}

int PersonPage::current() const
{
    return m_document.currentPerson();
}

int PersonPage::dataRow() const
{
    return ClassDocument::dataRow(current());
}

void PersonPage::show(int person)
{
    m_document.setCurrentPerson(person);
    refill();
    placeCursor();
}

void PersonPage::enter()
{
    refill();
    recompute();
    placeCursor();
}

void PersonPage::fill()
{
    const ClassGrid &grid = m_document.grid();
    const int block = current() * ClassDocument::BlockRows;
    const QStringList labels = m_document.rowLabels();
    for (int r = 0; r < Rows; ++r) {
        for (int c = 1; c < Columns; ++c) {
            QString text = grid.cell(c, block + r);
            if (r == 0 && isOldHeadingLetter(text))
                text.clear();
            m_table.load(c, r, text);
        }
        m_table.load(0, r, labels.value(r));
    }
    m_table.load(0, 0, WeightingLabel);
}

void PersonPage::placeCursor()
{
    const int row = m_rememberedRow;
    int column = 1;
    while (column < LastCursorColumn && !m_table.cell(column, row).isEmpty())
        ++column;
    m_cursor = QPoint(column, row);
}

void PersonPage::recompute()
{
    ResultRow::RecomputePersonPage(m_table, gradeSettingsOf(m_document));
}

void PersonPage::commit()
{
    sync();
    recompute();
    writeChanges();
}

void PersonPage::writeCell(int column, int row, const QString &text)
{
    ClassGrid &grid = m_document.grid();
    if (row == 0) {
        // The weights concern everyone: the weighting row is the same in every block.
        if (column >= 1)
            for (int n = 0; n < ClassDocument::PersonCount; ++n)
                grid.setCell(column, n * ClassDocument::BlockRows, text);
        return;
    }
    grid.setCell(column, current() * ClassDocument::BlockRows + row, text);
}

void PersonPage::edit(int column, int row, const QString &text)
{
    if (!isEditable(column, row))
        return;
    QString name;
    if (row == 0)
        name = QStringLiteral("Gewichtung in Fach 1");
    else if (column == 0)
        name = QStringLiteral("Name von Fach %1").arg(row);
    else
        name = QStringLiteral("Ergebnis in Fach %1, Person %2").arg(row).arg(listPosition());
    const ClassGrid::UndoStep step(m_document.grid(), name, column,
                                   current() * ClassDocument::BlockRows + row);
    sync();
    m_table.setCell(column, row, text);
    if (column == 0)
        m_document.setRowLabel(row, text);
    if (row == 0)
        m_noticeRequested = true;
    m_rememberedRow = row;
    commit();
}

void PersonPage::select(int column, int row)
{
    Q_UNUSED(column)
    if (row >= 1 && row <= 14)
        m_rememberedRow = row;
}

QString PersonPage::field(Field field) const
{
    return m_document.grid().cell(int(field), dataRow());
}

QString PersonPage::setField(Field field, const QString &text)
{
    QString stored = text;
    if (field == Class) {
        static const QString forbidden = QStringLiteral(".\\/:?");
        bool refused = false;
        for (QChar c : forbidden)
            refused |= stored.contains(c);
        if (refused) {
            m_prompts.showMessage(QStringLiteral("Keine Sonderzeichen, bitte!"));
            for (QChar c : forbidden)
                stored.remove(c);
        }
    }
    const ClassGrid::UndoStep step(m_document.grid(),
                                   QStringLiteral("Personendaten, Person %1").arg(listPosition()),
                                   int(field), dataRow());
    m_document.grid().setCell(int(field), dataRow(), stored);
    return stored;
}

bool PersonPage::lrs() const
{
    return m_document.grid().cell(7, dataRow()) == QLatin1String("ja");
}

void PersonPage::setLrs(bool on)
{
    const ClassGrid::UndoStep step(m_document.grid(),
                                   QStringLiteral("LRS, Person %1").arg(listPosition()));
    m_document.grid().setCell(7, dataRow(), on ? QStringLiteral("ja") : QString());
}

void PersonPage::setPhotosVisible(bool on)
{
    m_document.setPhotosVisible(on);
}

QString PersonPage::photoPath() const
{
    return m_document.grid().cell(20, dataRow());
}

void PersonPage::forward()
{
    if (current() >= LastPerson)
        return;
    ClassGrid &grid = m_document.grid();
    const ClassGrid::UndoStep step(
        grid, QStringLiteral("Klasse und Schuljahr für Person %1").arg(listPosition() + 1));
    const int from = dataRow();
    const int to = ClassDocument::dataRow(current() + 1);
    grid.setCell(2, to, grid.cell(2, from));
    if (grid.isEmpty(1, to))
        grid.setCell(1, to, grid.cell(1, from));
    show(current() + 1);
}

void PersonPage::back()
{
    show(qMax(0, current() - 1));
}

void PersonPage::moveUp()
{
    const ClassGrid::UndoStep step(m_document.grid(),
                                   QStringLiteral("Person %1 nach oben").arg(listPosition()));
    const ClassGrid::BulkChange bulk(m_document.grid());
    if (current() == 0)
        return;
    PersonOperations::swapPersons(m_document.grid(), current(), current() - 1);
    show(current() - 1);
}

void PersonPage::moveDown()
{
    const ClassGrid::UndoStep step(m_document.grid(),
                                   QStringLiteral("Person %1 nach unten").arg(listPosition()));
    const ClassGrid::BulkChange bulk(m_document.grid());
    if (current() >= LastPerson)
        return;
    PersonOperations::swapPersons(m_document.grid(), current(), current() + 1);
    forward();
}

void PersonPage::deleteCurrent()
{
    const ClassGrid::UndoStep step(m_document.grid(),
                                   QStringLiteral("Person %1 gelöscht").arg(listPosition()));
    const ClassGrid::BulkChange bulk(m_document.grid());
    PersonOperations::deletePerson(m_document.grid(), current());
    CourseBookSheet::recountClass(m_document.grid());
    m_document.setSaved(false);
    back();
}

void PersonPage::insertFreeSlot()
{
    const ClassGrid::UndoStep step(
        m_document.grid(),
        QStringLiteral("Freiplatz nach Person %1 eingefügt").arg(listPosition()));
    const ClassGrid::BulkChange bulk(m_document.grid());
    if (current() >= LastPerson)
        return;
    PersonOperations::insertFreeSlot(m_document.grid(), current());
    CourseBookSheet::recountClass(m_document.grid());
    m_document.setSaved(false);
    m_rememberedRow = 1;
    show(current() + 1);
}

bool PersonPage::startNewSchoolYear()
{
    if (!m_prompts.askYesNo(QStringLiteral(
            "Dies wird alle Noten und die Kurslisten löschen!\rAlle anderen Daten bleiben als "
            "Grundlage für das nächste Schul-(halb)-jahr  \rerhalten und können mit neuem "
            "Dateinamen abgespeichert werden.\rSoll ich Noten + Kursbücher löschen?")))
        return false;
    const ClassGrid::UndoStep step(m_document.grid(),
                                   QStringLiteral("neues SJ., alle Noten löschen"));
    const ClassGrid::BulkChange bulk(m_document.grid());
    PersonOperations::clearForNewSchoolYear(m_document.grid());
    m_document.setSaved(false);
    show(current());
    return true;
}

bool PersonPage::startNewLearningGroup()
{
    if (!m_document.isSaved() &&
        m_prompts.askYesNo(
            QStringLiteral("Sollen die Änderungen an der aktuellen Datei gespeichert werden?")))
        return false;
    {
        const ClassGrid::UndoStep step(m_document.grid(),
                                       QStringLiteral("neue Lerngruppe anlegen"));
        m_document.reset();
    }
    m_document.setCurrentPerson(0);
    m_rememberedRow = 1;
    m_noticeRequested = true; // the slider went back to 60 : 40
    show(0);
    return true;
}

PersonPage::ImportStart PersonPage::startImport()
{
    if (field(Name).isEmpty() ||
        !m_prompts.askYesNo(
            QStringLiteral("Es sind schon Daten vorhanden, willst du eine neue Klasse anlegen?")))
        return ImportStart::IntoThisClass;
    return startNewLearningGroup() ? ImportStart::IntoNewClass : ImportStart::SaveFirst;
}

void PersonPage::setPointsMode(bool on)
{
    m_document.setPointsMode(on);
    recompute();
}

void PersonPage::setHalfDown(bool on)
{
    m_document.setHalfDown(on);
    recompute();
}

void PersonPage::setSliderPosition(int position)
{
    if (position == m_document.sliderPosition())
        return;
    m_document.setSliderPosition(position);
    const ClassGrid::UndoStep step(m_document.grid(),
                                   QStringLiteral("Gewichtung mündlich zu schriftlich"));
    m_document.grid().setCell(8, 33, QString::number(position));
    m_noticeRequested = true;
}

bool PersonPage::weightingSwitch() const
{
    return m_document.grid().cell(10, 16) == WeightingOn;
}

bool PersonPage::setWeightingSwitch(bool on)
{
    if (on == weightingSwitch())
        return false;
    const ClassGrid::UndoStep step(m_document.grid(),
                                   QStringLiteral("Einzelnoten Fach 1 gewichten"));
    m_document.grid().setCell(10, 16, on ? WeightingOn : QString());
    if (on)
        return false;
    if (!m_prompts.askYesNo(
            QStringLiteral("Sollen evtl. vorhandene Einzelgewichtungen gelöscht werden?")))
        return false;
    const QString one = QStringLiteral("1");
    for (int c = 1; c <= 42; ++c) {
        const QString weight = m_table.cell(c, 0);
        // Plain character order, as the weights were always compared: "05" stays.
        if (weight == QLatin1String("0") || weight > one)
            m_table.setCell(c, 0, one);
    }
    commit();
    return true;
}

bool PersonPage::weightsActive() const
{
    for (int c = 1; c <= 42; ++c) {
        const QString weight = m_table.cell(c, 0);
        if (!weight.isEmpty() && weight != QLatin1String("1") && weight != QStringLiteral("Øm."))
            return true;
    }
    return false;
}

void PersonPage::applyToAllPersons(const std::function<void(int)> &progress)
{
    const ClassGrid::UndoStep step(m_document.grid(),
                                   QStringLiteral("Einstellungen für alle Personen"));
    commit();
    // The views follow once, after the last person.
    const ClassGrid::BulkChange bulk(m_document.grid());
    m_document.writeSettingCells();
    GradeWalk::ApplyToAllPersons(m_document.grid(), gradeSettingsOf(m_document), progress);
    m_noticeRequested = false;
    // The walk ends where it started from: at the first person.
    show(0);
}

bool PersonPage::offerPhotoConversion(const QString &projectFolder)
{
    const QString stored = photoPath();
    if (stored.isEmpty() || stored.endsWith(QLatin1String(".bmp")) ||
        !QFileInfo::exists(PhotoConverter::resolve(projectFolder, stored)))
        return false;
    if (!m_prompts.askYesNo(QStringLiteral(
            "Diese Datei enthält noch unverschlüsselte Fotos!\rSollen Fotos und Datei in das neue "
            "Format konvertiert werden?  \rDie Konvertierung wird empfohlen.")))
        return false;
    const ClassGrid::UndoStep step(m_document.grid(), QStringLiteral("Fotos konvertiert"));
    PhotoConverter::convertClass(m_document.grid(), projectFolder);
    return true;
}

QString PersonPage::subjectCaption(int subject) const
{
    const QString name = m_table.cell(0, subject);
    return name.isEmpty() ? QStringLiteral("Fach %1").arg(subject) : name;
}

bool PersonPage::isEditable(int column, int row) const
{
    if (row == 0)
        return column >= 1 && column < Columns;
    if (row >= 1 && row <= 14)
        return column >= 0 && column < Columns;
    return false;
}

bool PersonPage::takesDigitsOnly(int column, int row) const
{
    if (row < 0 || row > 14 || column < 1)
        return false;
    if (column <= 32)
        return true;
    return column <= 44 && column % 2 == 0;
}

int PersonPage::columnWidth(int column) const
{
    switch (column) {
    case 0:
        return 130;
    case 31:
    case 43:
        return 29;
    case 44:
    case 45:
        return 50;
    default:
        return 18;
    }
}

int PersonPage::rowHeight(int row) const
{
    return (row >= 1 && row <= 4) ? 20 : 18;
}

bool PersonPage::thickRightEdge(int column) const
{
    return column == 0 || column == 30 || column == 31 || column == 42 || column == 43 ||
           column == 44 || column == 45;
}

bool PersonPage::thickBottomEdge(int row) const
{
    return row == 0;
}

QColor PersonPage::background(int column, int row, bool selected, int currentRow) const
{
    if (!selected && row == 0 && isWeightColumn(column))
        return Weighting;
    if (!selected && row == 1 && row != currentRow && weightsActive())
        return Weighting;
    return SheetLogic::background(column, row, selected, currentRow);
}

QColor PersonPage::foreground(int column, int row) const
{
    if (row >= 1 && row <= 14 && ResultRow::IsUncountedResult(column, m_table.cell(column, row)))
        return Uncounted;
    return SheetLogic::foreground(column, row);
}

QString PersonPage::columnHeading(int column) const
{
    const bool points = m_document.pointsMode();
    if (column == 0)
        return QStringLiteral("Fach");
    if (column <= 30)
        return QString::number(column);
    if (column == 31)
        return QStringLiteral("Øm");
    if (column <= 42)
        return QStringLiteral("s%1").arg(column - 31);
    if (column == 43)
        return QStringLiteral("Øs");
    if (column == 44)
        return points ? QStringLiteral("Punkte") : QStringLiteral("Note");
    return points ? QStringLiteral("Note") : QStringLiteral("Notensyst.");
}

void PersonPage::announceWalk()
{
    m_prompts.showMessage(
        QStringLiteral("Es dauert einen Moment, bis ich die Änderung auf alle "
                       "Personen übertragen habe! Beobachte den Listenplatz :-)"));
}
