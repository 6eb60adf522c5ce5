#include "classdata/classgrid.h"
#include "classdata/sheettable.h"
#include "grades/mailaddress.h"
#include "grades/sheetclipboard.h"

#include <QUrlQuery>
#include <QtTest>

using SheetClipboard::PasteMode;
Q_DECLARE_METATYPE(PasteMode)

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
    void copyAndPasteBack();
    void paste_data();
    void paste();
    void pasteLimits();
    void mailToPerson_data();
    void mailToPerson();
    void mailToAll();
};

void ClipboardMailTest::copyAndPasteBack()
{
    SheetTable from(8, 8);
    for (int r = 5; r < 7; ++r)
        for (int c = 2; c < 4; ++c)
            from.setCell(c, r, QStringLiteral("%1/%2").arg(c).arg(r));
    const QString text = SheetClipboard::copyBlock(from, 2, 5, 4, 6);
    QCOMPARE(text, QStringLiteral("2/5\t3/5\t\r\n2/6\t3/6\t\r\n"));

    SheetTable to(8, 8);
    SheetClipboard::pasteBlock(to, 2, 5, text, PasteMode::Sheet);
    QCOMPARE(filled(to), filled(from));
}

void ClipboardMailTest::paste_data()
{
    QTest::addColumn<PasteMode>("mode");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QString>("result"); // cursor column and row, first and last row pasted

    const PasteMode sheet = PasteMode::Sheet;
    const char *block = "1\t2\r\n3\t4\r\n";
    const char *at3x5 = "3,5=1 4,5=2 3,6=3 4,6=4";
    const struct
    {
        const char *name;
        PasteMode mode;
        int column, row;
        const char *text, *cells, *result;
    } cases[] = {
        {"CR LF rows", sheet, 3, 5, block, at3x5, "3 5 5 6"},
        {"CR alone", sheet, 3, 5, "1\t2\r3\t4\r", at3x5, "3 5 5 6"},
        {"LF alone", sheet, 3, 5, "1\t2\n3\t4\n", at3x5, "3 5 5 6"},
        {"row 1 starts at the heading", sheet, 3, 1, block, "3,0=1 4,0=2 3,1=3 4,1=4", "3 1 0 1"},
        {"column 0 and row 0 move", sheet, 0, 0, block, "1,0=1 2,0=2 1,1=3 2,1=4", "1 1 0 1"},
        {"criteria stay where placed", PasteMode::Criteria, 0, 1, block, "0,1=1 1,1=2 0,2=3 1,2=4",
         "0 1 1 2"},
        {"row cut at the last column", sheet, 4, 5, "a\tb\tc\td\r\n", "4,5=a 5,5=b", "4 5 5 5"},
        {"rows below the table skipped", sheet, 2, 6, "a\r\nb\r\nc\r\n", "2,6=a 2,7=b", "2 6 6 7"},
        {"last row without line end", sheet, 3, 5, "1\t2\r\n3\t4", "3,5=1 4,5=2", "3 5 5 5"},
        {"LF rows, last unfinished", sheet, 3, 5, "1\t2\n3\t4", "3,5=1 4,5=2", "3 5 5 5"},
        {"no line end at all", sheet, 3, 5, "1\t2", "", "3 5 -1 -1"},
        {"empty row and cells kept in place", sheet, 2, 3, "a\t\tb\r\n\r\nc\r\n",
         "2,3=a 4,3=b 2,5=c", "2 3 3 5"},
    };
    for (const auto &c : cases)
        QTest::newRow(c.name) << c.mode << c.column << c.row << QString::fromLatin1(c.text)
                              << QString::fromLatin1(c.cells) << QString::fromLatin1(c.result);
}

void ClipboardMailTest::paste()
{
    QFETCH(PasteMode, mode);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QString, text);
    SheetTable table(6, 8);
    const auto r = SheetClipboard::pasteBlock(table, column, row, text, mode);
    QTEST(filled(table), "cells");
    QTEST(QStringLiteral("%1 %2 %3 %4").arg(r.column).arg(r.row).arg(r.firstRow).arg(r.lastRow),
          "result");
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

void ClipboardMailTest::mailToPerson_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("plus") << "anna+eltern@schule.de"
                          << QByteArray("mailto:anna%2Beltern@schule.de");
    QTest::newRow("blank") << "Anna Meier@schule.de" << QByteArray("mailto:Anna%20Meier@schule.de");
    QTest::newRow("query characters") << "a?b#c%d@x.de" << QByteArray("mailto:a%3Fb%23c%25d@x.de");
    QTest::newRow("empty") << "" << QByteArray("mailto:");
}

void ClipboardMailTest::mailToPerson()
{
    QFETCH(QString, address);
    const QUrl url = MailAddress::toPerson(address);
    QTEST(url.toEncoded(), "encoded");
    QCOMPARE(QUrl::fromEncoded(url.toEncoded()).path(), address);
}

void ClipboardMailTest::mailToAll()
{
    ClassGrid grid;
    grid.setCell(9, 0 * 17 + 16, QStringLiteral("anna+eltern@schule.de"));
    grid.setCell(0, 1 * 17 + 16, QStringLiteral("Ben")); // no address
    grid.setCell(9, 33 * 17 + 16, QStringLiteral("cleo meier@web.de"));
    grid.setCell(9, 2 * 17 + 15, QStringLiteral("not@an.address")); // not a person data row

    const QString list = MailAddress::collectAll(grid);
    QCOMPARE(list, QStringLiteral("anna+eltern@schule.de;cleo meier@web.de;"));
    const QUrl url = MailAddress::toAll(grid);
    QCOMPARE(url.toEncoded(),
             QByteArray("mailto:?bcc=anna%2Beltern@schule.de;cleo%20meier@web.de;"));
    QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("bcc"), QUrl::FullyDecoded), list);
}

QTEST_GUILESS_MAIN(ClipboardMailTest)
#include "tst_clipboardmail.moc"
