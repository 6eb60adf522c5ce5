#include "classdata/classgrid.h"
#include "person/mailaddress.h"
#include "sheetkit/sheetclipboard.h"
#include "sheetkit/sheettable.h"

#include <QtTest>

using SheetClipboard::PasteMode;

// The non-empty cells as "column,row=text", row by row.
static QString filled(const SheetTable &table)
{
    QStringList out;
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c)
            if (!table.cell(c, r).isEmpty())
                out << QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(table.cell(c, r));
    return out.join(u' ');
}

class ClipboardMailTest : public QObject
{
    Q_OBJECT

private slots:
    void paste();
    void pasteLimits();
    void mailLinks();
};

void ClipboardMailTest::paste()
{
    const PasteMode sheet = PasteMode::Sheet;
    const char *block = "1\t2\r3\t4\r\n"; // a row ended by CR alone, one by CR LF
    const struct
    {
        PasteMode mode;
        int column, row;
        const char *text, *expected; // cells | cursor column and row, first and last row pasted
    } cases[] = {
        {sheet, 3, 5, block, "3,5=1 4,5=2 3,6=3 4,6=4 | 3 5 5 6"},
        {sheet, 3, 1, block, "3,0=1 4,0=2 3,1=3 4,1=4 | 3 1 0 1"}, // row 1 pastes from row 0
        {sheet, 0, 0, block, "1,0=1 2,0=2 1,1=3 2,1=4 | 1 1 0 1"}, // column 0 and row 0 move
        {PasteMode::Criteria, 0, 1, block, "0,1=1 1,1=2 0,2=3 1,2=4 | 0 1 1 2"},
        {sheet, 3, 5, "1\t2\n3\t4", "3,5=1 4,5=2 | 3 5 5 5"}, // LF rows, last one not ended
        {sheet, 3, 5, "1\t2", " | 3 5 -1 -1"},
        // Empty cells and rows keep their places; what lands beyond the edges is dropped.
        {sheet, 2, 5, "a\t\tb\t\tc\r\n\r\nd\r\ne\r\n", "2,5=a 4,5=b 2,7=d | 2 5 5 7"},
    };
    QString copied;
    for (const auto &c : cases) {
        SheetTable table(6, 8);
        const auto r =
            SheetClipboard::pasteBlock(table, c.column, c.row, QString::fromLatin1(c.text), c.mode);
        const QString result =
            QString::asprintf(" | %d %d %d %d", r.column, r.row, r.firstRow, r.lastRow);
        QCOMPARE(filled(table) + result, QString::fromLatin1(c.expected));
        copied = SheetClipboard::copyBlock(table, 2, 5, 3, 7);
    }
    // Copied, the last block's cells, empty ones too, are joined by TAB, each row ended by CR LF.
    QCOMPARE(copied, QStringLiteral("a\t\r\n\t\r\nd\t\r\n"));
}

void ClipboardMailTest::pasteLimits()
{
    SheetTable table(300, 300);
    const QString text = QStringList(300, QStringLiteral("y")).join(u'\t') +
                         QStringLiteral("\r\nx").repeated(299) + QStringLiteral("\r\n");
    QCOMPARE(SheetClipboard::pasteBlock(table, 1, 2, text, PasteMode::Sheet).lastRow, 2 + 254);
    QCOMPARE(table.cell(255, 2) + table.cell(256, 2), QStringLiteral("y"));
    QCOMPARE(table.cell(1, 256) + table.cell(1, 257), QStringLiteral("x"));
}

void ClipboardMailTest::mailLinks()
{
    QCOMPARE(MailAddress::toPerson(QStringLiteral("Anna+Eltern Meier?#%@schule.de")).toEncoded(),
             QByteArray("mailto:Anna%2BEltern%20Meier%3F%23%25@schule.de"));
    QCOMPARE(MailAddress::toPerson(QString()).toEncoded(), QByteArray("mailto:"));

    ClassGrid grid;
    grid.setCell(9, 0 * 17 + 16, QStringLiteral("anna+eltern@schule.de"));
    grid.setCell(0, 1 * 17 + 16, QStringLiteral("Ben")); // no address
    grid.setCell(9, 33 * 17 + 16, QStringLiteral("cleo meier@web.de"));
    grid.setCell(9, 2 * 17 + 15, QStringLiteral("not@an.address")); // not a person data row

    QCOMPARE(MailAddress::collectAll(grid),
             QStringLiteral("anna+eltern@schule.de;cleo meier@web.de;"));
    QCOMPARE(MailAddress::toAll(grid).toEncoded(),
             QByteArray("mailto:?bcc=anna%2Beltern@schule.de;cleo%20meier@web.de;"));
}

QTEST_GUILESS_MAIN(ClipboardMailTest)
#include "tst_clipboardmail.moc"
