#include "evaluationtable.h"

#include "classdata/classdocument.h"
#include "classdata/userprompts.h"
#include "sheetkit/sheetclipboard.h"

#include <QLocale>

namespace {
constexpr int PasteColumn = 33;

bool isLetterMode(const QString &yellowField)
{
    return yellowField.size() == 1 && yellowField[0] >= u'a' && yellowField[0] <= u'm';
}

// sum / n in tenths, halves to even; in integers, since a double may miss an exact half.
int roundedTenths(int sum, int n)
{
    const int scaled = sum * 10;
    int tenths = scaled / n;
    const int twiceRest = 2 * (scaled % n);
    if (twiceRest > n || (twiceRest == n && tenths % 2 != 0))
        ++tenths;
    return tenths;
}

QString formatTenths(int tenths)
{
    QString text = QString::number(tenths / 10);
    if (tenths % 10 != 0)
        text += QLocale().decimalPoint() + QString::number(tenths % 10);
    return text;
}
} // namespace

const QColor EvaluationTable::YellowField(250, 244, 209);

EvaluationTable::EvaluationTable(ClassDocument &document, UserPrompts &prompts)
    : SheetLogic(&document.grid()), m_document(document), m_prompts(prompts)
{
    m_table.resize(Columns, Rows);
    setHeaders();
}

void EvaluationTable::load()
{
    refill();
}

void EvaluationTable::fill()
{
    const ClassGrid &grid = m_document.grid();
    const int person = m_document.currentPerson();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c)
            m_table.load(c, r, grid.cell(c, blockRow(person, r)));
    setHeaders();
}

void EvaluationTable::setHeaders()
{
    m_table.load(0, 0, QStringLiteral("Beurteilungskriterium"));
    m_table.load(Judgement, 0, QStringLiteral("mein Urteil"));
    m_table.load(Tendency, 0, QStringLiteral("Tendenz"));
}

QPoint EvaluationTable::cursor() const
{
    int column = FirstMark;
    while (column < LastShownMark + 1 && !m_table.cell(column, 1).isEmpty())
        ++column;
    return QPoint(column, 1);
}

int EvaluationTable::markValue(const QString &mark)
{
    if (mark.size() != 1)
        return -1;
    const QChar ch = mark[0];
    if (ch >= u'0' && ch <= u'9')
        return ch.unicode() - u'0';
    if (ch >= u'a' && ch <= u'z')
        return ch.unicode() - u'a' + 1;
    if (ch == u'ü')
        return 24;
    if (ch == u'ö')
        return 25;
    if (ch == u'ä')
        return 26;
    return -1;
}

QString EvaluationTable::letterFor(double tendency)
{
    for (int step = 12; step >= 1; --step) {
        if (tendency > step + 0.5)
            return QString(QChar(u'a' + step));
    }
    return QStringLiteral("a");
}

void EvaluationTable::recompute()
{
    sync();
    const bool letters = isLetterMode(m_table.cell(1, 1));
    for (int r = 1; r < Rows; ++r) {
        int n = 0;
        int sum = 0;
        for (int c = FirstMark; c <= LastMark; ++c) {
            const int value = markValue(m_table.cell(c, r));
            if (value < 0)
                continue;
            ++n;
            sum += value;
        }
        if (n == 0) {
            m_table.setCell(Tendency, r, QString());
            continue;
        }
        const int tenths = roundedTenths(sum, n);
        m_table.setCell(Tendency, r, letters ? letterFor(tenths / 10.0) : formatTenths(tenths));
    }
    writeBack();
}

void EvaluationTable::writeBack()
{
    writeChanges();
}

void EvaluationTable::writeCell(int column, int row, const QString &text)
{
    if (row < 1)
        return;
    ClassGrid &grid = m_document.grid();
    if (column > 0) {
        grid.setCell(column, blockRow(m_document.currentPerson(), row), text);
        return;
    }
    // Every person is judged by the same criteria.
    for (int p = 0; p < ClassDocument::PersonCount; ++p)
        grid.setCell(0, blockRow(p, row), text);
}

bool EvaluationTable::pasteCriteria(const QString &text)
{
    sync();
    bool hasCriteria = false;
    for (int r = 1; r < Rows; ++r)
        hasCriteria = hasCriteria || !m_table.cell(0, r).isEmpty();
    if (hasCriteria &&
        !m_prompts.askYesNo(QStringLiteral("Bereits vorhandene Beurteilungen gehen verloren!\r"
                                           "Sollen die Kriterien trotzdem eingefügt werden?")))
        return false;

    const ClassGrid::UndoStep step(m_document.grid(), QStringLiteral("Kriterien eingefügt"));
    // Pasting next to the last columns keeps at most three further cells of a row.
    SheetClipboard::pasteBlock(m_table, PasteColumn, 1, text, SheetClipboard::PasteMode::Criteria);
    for (int r = 1; r < Rows; ++r) {
        m_table.setCell(0, r, m_table.cell(PasteColumn, r));
        m_table.setCell(PasteColumn, r, QString());
    }
    recompute();
    return true;
}

QString EvaluationTable::hint() const
{
    if (m_table.cell(0, 1).isEmpty() && m_table.cell(0, 2).isEmpty())
        return QStringLiteral(
            "    Copy and paste der Kriterien. Nummerierung bei den Kompetenzen in "
            "unseren Zeugnissen entfernen, alle Kompetenzen eines Faches kopieren "
            "und per Rechtsklick hier einfügen. ");
    if (m_table.cell(1, 1).isEmpty())
        return QStringLiteral("    Das kleine gelbe Feld legt fest, ob mit Ziffern oder Buchstaben "
                              "gearbeitet wird.");
    return QString();
}

void EvaluationTable::edit(int column, int row, const QString &text)
{
    if (!isEditable(column, row))
        return;
    const int person = m_document.currentPerson();
    const ClassGrid::UndoStep step(
        m_document.grid(),
        column == 0 ? QStringLiteral("Kriterium %1").arg(row)
                    : QStringLiteral("Verbalbeurteilung, Person %1").arg(person + 1),
        column, blockRow(person, row));
    sync();
    m_table.setCell(column, row, column >= 1 ? text.left(1) : text);
    recompute();
}

bool EvaluationTable::isEditable(int column, int row) const
{
    return row >= 1 && row < Rows && column >= 0 && column < Columns;
}

int EvaluationTable::columnWidth(int column) const
{
    if (column == 0)
        return 357;
    if (column <= LastShownMark)
        return 18;
    if (column <= LastMark)
        return 0;
    return column == Judgement ? 70 : 64;
}

QColor EvaluationTable::background(int column, int row, bool selected, int currentRow) const
{
    Q_UNUSED(currentRow)
    if (selected)
        return Selected;
    if (column == 1 && row == 1)
        return YellowField;
    if (row % 2 == 0)
        return m_popArt ? EvenRowPopArt : EvenRow;
    return OddRow;
}
