#include "coursebooksheet.h"

#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "classdata/userprompts.h"

const QString CourseBookSheet::Legend = QStringLiteral(
    "Anwesenheit wie folgt eintragen:\rE und F werden vom Programm gezählt!\r1 = anwesend\r2 = "
    "verspätet\rF = fehlt\rE = fehlt(e) entschuldigt ");
const QColor CourseBookSheet::Absent(0xFF, 0x00, 0x00);

namespace {

bool isExcused(const QString &entry)
{
    return entry == QLatin1String("E") || entry == QLatin1String("e");
}

bool isUnexcused(const QString &entry)
{
    return entry == QLatin1String("F") || entry == QLatin1String("f");
}

QString countText(int count)
{
    return count == 0 ? QString() : QString::number(count);
}

struct Totals
{
    QString all;       // E and F
    QString unexcused; // F
};

// Missed lessons of one person; entry(c) and mark(c) give the attendance and the
// double-lesson mark of lesson column c. A double lesson counts twice.
template <typename Entry, typename Mark> Totals countMissed(Entry entry, Mark mark)
{
    int excused = 0;
    int unexcused = 0;
    for (int c = CourseBookSheet::FirstLesson; c < CourseBookSheet::Columns; ++c) {
        const QString m = mark(c);
        const int weight = (m == QLatin1String("D") || m == QLatin1String("d")) ? 2 : 1;
        const QString e = entry(c);
        if (isExcused(e))
            excused += weight;
        else if (isUnexcused(e))
            unexcused += weight;
    }
    return {countText(excused + unexcused), countText(unexcused)};
}

} // namespace

CourseBookSheet::CourseBookSheet(ClassDocument &document, int halfYear)
    : SheetLogic(&document.grid()), m_document(document), m_halfYear(halfYear),
      m_doubles(*this, document.grid(), halfYear == 1 ? 578 : 579)
{
    m_table.resize(Columns, Rows);
}

void CourseBookSheet::setLabels()
{
    m_table.setCell(0, 0, QStringLiteral(" Datum:"));
    m_table.setCell(0, 1, QStringLiteral(" Inhalt:"));
    m_table.setCell(1, 0, QStringLiteral(" automatische"));
    m_table.setCell(2, 0, QStringLiteral(" Berechnung"));
    m_table.setCell(1, 1, QStringLiteral("E+F = Fehlstunden gesamt:"));
    m_table.setCell(2, 1, QStringLiteral("F = davon unentschuldigt:"));
    m_doubles.setLabels();
}

bool CourseBookSheet::show(const QDate &today)
{
    m_doubles.reloadFromClass();
    refill();
    // The labels belong to the heading rows the class keeps.
    setLabels();

    int column = FirstLesson;
    while (column < Columns - 1 && !m_table.cell(column, 0).isEmpty())
        ++column;
    if (m_table.cell(column, 0).isEmpty()) {
        if (column == FirstLesson || DisplayLocale::readDate(m_table.cell(column - 1, 0)) != today)
            m_table.setCell(column, 0, DisplayLocale::shortDate(today));
    }
    m_cursor = QPoint(column, 1);

    if (hasOlderEntries())
        return true;
    recount();
    return false;
}

void CourseBookSheet::fill()
{
    const ClassGrid &grid = m_document.grid();
    for (int i = 0; i < ClassDocument::PersonCount; ++i) {
        const int row = FirstPersonRow + i;
        const int dataRow = ClassDocument::dataRow(i);
        const QString name = grid.cell(0, dataRow);
        m_table.load(0, row,
                     name.isEmpty() ? QString() : QStringLiteral("%1. %2").arg(i + 1).arg(name));
        for (int c = 1; c < Columns; ++c)
            m_table.load(c, row, grid.cell(c + offset(), dataRow));
    }
    for (int c = 1; c < Columns; ++c) {
        m_table.load(c, 0, grid.cell(c + offset(), 598));
        m_table.load(c, 1, grid.cell(c + offset(), 599));
    }
}

bool CourseBookSheet::hasOlderEntries() const
{
    for (int row = 3; row <= 34; ++row)
        for (int c = 1; c <= 2; ++c) {
            const QString entry = m_table.cell(c, row);
            if (isExcused(entry) || isUnexcused(entry))
                return true;
        }
    return false;
}

void CourseBookSheet::recount()
{
    const SheetTable &doubles = m_doubles.table();
    for (int row = FirstPersonRow; row < Rows; ++row) {
        const Totals totals = countMissed([&](int c) { return m_table.cell(c, row); },
                                          [&](int c) { return doubles.cell(c, 0); });
        m_table.setCell(1, row, totals.all);
        m_table.setCell(2, row, totals.unexcused);
    }
}

void CourseBookSheet::writeBack()
{
    sync();
    // Counted first, so that the class never holds totals of an older state.
    recount();
    writeChanges();
}

void CourseBookSheet::writeCell(int column, int row, const QString &text)
{
    ClassGrid &grid = m_document.grid();
    if (row >= FirstPersonRow) {
        if (column >= 1)
            grid.setCell(column + offset(), ClassDocument::dataRow(row - FirstPersonRow), text);
        return;
    }
    grid.setCell(column + offset(), 598 + row, text);
    grid.setCell(column + offset(), row, text);
}

void CourseBookSheet::writeDoubleLessons()
{
    m_doubles.writeBack();
    writeBack();
}

bool CourseBookSheet::clearEntries(UserPrompts &prompts, const QDate &today)
{
    const QString which = m_halfYear == 1 ? QStringLiteral("ersten") : QStringLiteral("zweiten");
    if (!prompts.askYesNo(
            QStringLiteral("Dies wird die Einträge der %1 Kursliste löschen!\r \rSoll "
                           "ich die Einträge löschen?")
                .arg(which)))
        return false;
    const ClassGrid::UndoStep step(m_document.grid(),
                                   QStringLiteral("Einträge der %1 Kursliste gelöscht").arg(which));
    const ClassGrid::BulkChange bulk(m_document.grid());
    ClassGrid &grid = m_document.grid();
    for (int c = 1; c < Columns; ++c)
        grid.setCell(c + 46, doubleLessonRow(), QString());
    show(today);
    for (int row = 0; row < Rows; ++row)
        for (int c = 1; c < Columns; ++c)
            m_table.setCell(c, row, QString());
    writeBack();
    return true;
}

void CourseBookSheet::recountClass(ClassGrid &grid)
{
    for (int half = 0; half < 2; ++half) {
        const int offset = half == 0 ? 46 : 107;
        const int doubleRow = half == 0 ? 578 : 579;
        for (int i = 0; i < ClassDocument::PersonCount; ++i) {
            const int dataRow = ClassDocument::dataRow(i);
            const Totals totals = countMissed([&](int c) { return grid.cell(c + offset, dataRow); },
                                              [&](int c) { return grid.cell(c + 46, doubleRow); });
            grid.setCell(offset + 1, dataRow, totals.all);
            grid.setCell(offset + 2, dataRow, totals.unexcused);
        }
    }
}

void CourseBookSheet::edit(int column, int row, const QString &text)
{
    if (!isEditable(column, row))
        return;
    const QString name =
        row >= FirstPersonRow
            ? QStringLiteral("Kursbuch %1. HJ., Person %2").arg(m_halfYear).arg(row - 1)
            : QStringLiteral("Kursbuch %1. HJ., Datum oder Inhalt").arg(m_halfYear);
    const ClassGrid::UndoStep step(m_document.grid(), name, column + offset(), row);
    sync();
    m_table.setCell(column, row, text);
    writeBack();
}

void CourseBookSheet::select(int column, int row)
{
    Q_UNUSED(row)
    m_currentColumn = column;
}

bool CourseBookSheet::isEditable(int column, int row) const
{
    return column >= FirstLesson && column < Columns && row >= 0 && row < Rows;
}

int CourseBookSheet::columnWidth(int column) const
{
    if (column == 0)
        return 145;
    if (column <= 2)
        return 24;
    return 20;
}

int CourseBookSheet::rowHeight(int row) const
{
    switch (row) {
    case 0:
        return 70; // room for a turned date with its full year
    case 1:
        return m_contentRowShown ? 120 : 1;
    case Rows - 1:
        return 19;
    default:
        return 18;
    }
}

QColor CourseBookSheet::background(int column, int row, bool selected, int currentRow) const
{
    if (selected)
        return Selected;
    if (row >= FirstPersonRow && isUnexcused(m_table.cell(column, row)))
        return Absent;
    if ((row >= FirstPersonRow && row == currentRow) || (row == 0 && column == m_currentColumn))
        return CurrentRow;
    if (row % 2 == 0)
        return m_popArt ? EvenRowPopArt : EvenRow;
    return OddRow;
}
