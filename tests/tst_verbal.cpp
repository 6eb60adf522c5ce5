#include "classdata/classdocument.h"
#include "testsupport.h"
#include "verbal/evaluationlevels.h"
#include "verbal/evaluationtable.h"
#include "verbal/overviewtable.h"
#include "verbal/remarks.h"

#include <QLocale>
#include <QtTest>

#include <memory>

namespace {
int verbalRow(int person, int row)
{
    return EvaluationTable::BlockBase + person * ClassDocument::BlockRows + row;
}

// Expected tendencies are written with "," and compared in the user's own format.
QString localized(QString number)
{
    return number.replace(u',', QLocale::system().decimalPoint());
}
} // namespace

class VerbalTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ClassDocument> doc;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<EvaluationTable> table;
    ClassGrid &grid() { return doc->grid(); }

private slots:
    void init()
    {
        doc = std::make_unique<ClassDocument>();
        prompts = std::make_unique<ScriptedPrompts>();
        table = std::make_unique<EvaluationTable>(*doc, *prompts);
        doc->setCurrentPerson(2);
        table->load();
    }

    void tendency_data()
    {
        QTest::addColumn<QString>("yellow");
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<QStringList>("marks");
        QTest::addColumn<QString>("expected");
        const QStringList twoThreeThree{"2", "3", "3"};
        QTest::newRow("digits") << "" << 1 << twoThreeThree << "2,7";
        QTest::newRow("digits as letter") << "b" << 1 << twoThreeThree << "c";
        QTest::newRow("letters") << "" << 1 << QStringList{"a", "c"} << "2";
        QTest::newRow("letters as letter") << "m" << 1 << QStringList{"a", "c"} << "b";
        QTest::newRow("2.5 stays b") << "a" << 1 << QStringList{"b", "c"} << "b";
        QTest::newRow("umlauts") << "" << 1 << QStringList{"ü", "ä"} << "25";
        QTest::newRow("hidden columns") << "" << 31 << QStringList{"4", "5", "", "4"} << "4,3";
        QTest::newRow("digit and letter alike") << "" << 1 << QStringList{"2", "b"} << "2";
        QTest::newRow("no marks skipped") << "" << 1 << QStringList{"X", "!", " ", "3"} << "3";
        QTest::newRow("all zero") << "" << 1 << QStringList{"0", "0"} << "0";
        QTest::newRow("all zero as letter") << "c" << 1 << QStringList{"0", "0"} << "a";
        QTest::newRow("half down to even") << "" << 1 << QStringList{"1", "0", "0", "0"} << "0,2";
        QTest::newRow("half up to even") << "" << 1 << QStringList{"1", "1", "1", "0"} << "0,8";
    }

    void tendency()
    {
        QFETCH(QString, yellow);
        QFETCH(int, firstColumn);
        QFETCH(QStringList, marks);
        QFETCH(QString, expected);
        table->edit(1, 1, yellow);
        table->edit(2, 1, "X"); // a non-mark above must not stop the rows below
        for (int i = 0; i < marks.size(); ++i)
            table->edit(firstColumn + i, 2, marks[i]);
        QCOMPARE(table->table().cell(EvaluationTable::Tendency, 2), localized(expected));
        QCOMPARE(grid().cell(EvaluationTable::Tendency, verbalRow(2, 2)), localized(expected));
        QCOMPARE(grid().cell(firstColumn, verbalRow(2, 2)), marks[0]);
    }

    void typingIntoCells()
    {
        table->edit(3, 4, "12");
        table->edit(0, 4, "Liest sinnentnehmend");
        table->edit(0, 0, "overwritten header");
        QCOMPARE(table->table().cell(3, 4), "1");
        QCOMPARE(table->table().cell(0, 4), "Liest sinnentnehmend");
        QCOMPARE(table->table().cell(0, 0), "Beurteilungskriterium");
        QCOMPARE(grid().cell(EvaluationTable::Tendency, verbalRow(2, 4)), "1");
        QVERIFY(grid().isEmpty(0, verbalRow(2, 0)));
        QVERIFY(!doc->isSaved());

        table->edit(3, 4, "");
        QCOMPARE(grid().cell(EvaluationTable::Tendency, verbalRow(2, 4)), "");
    }

    void loadAndCursor()
    {
        for (int c = 1; c <= 32; ++c)
            grid().setCell(c, verbalRow(4, 1), c == 7 ? QString() : "3");
        doc->setCurrentPerson(4);
        table->load();
        QCOMPARE(table->cursor(), QPoint(7, 1));
        table->edit(7, 1, "3");
        QCOMPARE(table->cursor(), QPoint(31, 1));
    }

    void criteriaAndOverview()
    {
        doc->setCurrentPerson(3);
        table->load();
        table->edit(0, 5, "Rechnet sicher");
        for (int p = 0; p < ClassDocument::PersonCount; ++p)
            QCOMPARE(grid().cell(0, verbalRow(p, 5)), "Rechnet sicher");

        grid().setCell(0, ClassDocument::dataRow(1), "Berta");
        grid().setCell(EvaluationTable::Tendency, verbalRow(1, 3), "c");
        grid().setCell(EvaluationTable::Judgement, verbalRow(1, 3), "b");
        doc->setCurrentPerson(0);
        OverviewTable overview(*doc);
        overview.refill();
        const SheetTable &t = overview.table();
        QCOMPARE(QStringList({t.cell(5, 0), t.cell(0, 2), t.cell(3, 2), t.cell(0, 35)}),
                 QStringList({"Rechnet sicher", "Berta", "b", "Listenende!"}));
        grid().setCell(EvaluationTable::Judgement, verbalRow(1, 3), "");
        overview.refill();
        QCOMPARE(t.cell(3, 2), "c");
    }

    void pasteCriteria_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("pasted");
        QTest::newRow("first criteria") << false << false << true;
        QTest::newRow("replace") << true << true << true;
        QTest::newRow("keep") << true << false << false;
    }

    void pasteCriteria()
    {
        QFETCH(bool, existing);
        QFETCH(bool, answer);
        QFETCH(bool, pasted);
        if (existing)
            table->edit(0, 3, "Alt");
        prompts->yesNoAnswers << answer;
        QCOMPARE(table->pasteCriteria("Lesen\tx\ty\tz\tdropped\r\nSchreiben\r\n"), pasted);
        QCOMPARE(prompts->questions.size(), existing ? 1 : 0);
        const SheetTable &t = table->table();
        const QStringList expected = pasted ? QStringList{"Lesen", "Schreiben", "", "x", "y"}
                                            : QStringList{"", "", "Alt", "", ""};
        // Column 36 got the pasted "z" but is recomputed over the pasted mark "x".
        const QStringList cells{t.cell(0, 1), t.cell(0, 2), t.cell(0, 3), t.cell(34, 1),
                                t.cell(35, 1)};
        QCOMPARE(cells, expected);
        QVERIFY(t.cell(33, 1).isEmpty());
        QCOMPARE(grid().cell(0, verbalRow(30, 1)), expected[0]);
    }

    void remarks_data()
    {
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<bool>("bold");
        QTest::newRow("paragraphs") << "a||b" << "a\n\nb" << true;
        QTest::newRow("doubled empty line") << "a|||b" << "a\n\nb" << true;
        QTest::newRow("trailing empty lines") << "a|b||" << "a\nb" << true;
        QTest::newRow("empty first line") << "|a" << "\na" << false;
        QTest::newRow("blank second line") << "a| |b" << "a\n \nb" << false;
    }

    void remarks()
    {
        QFETCH(QString, cells);
        QFETCH(QString, loaded);
        QFETCH(bool, bold);
        const QStringList lines = cells.split(u'|');
        for (int k = 0; k < lines.size(); ++k)
            grid().setCell(k, Remarks::FirstRow + 7, lines[k]);
        QCOMPARE(Remarks::load(grid(), 7), loaded);
        QCOMPARE(Remarks::hasRemarks(grid(), 7), bold);
    }

    void remarksStoreCutsAndPrints()
    {
        QStringList lines;
        for (int k = 0; k < 160; ++k)
            lines << QString::number(k);
        QCOMPARE(Remarks::store(grid(), 1, lines.join(u'\n')).count(u'\n'), 150);
        QCOMPARE(grid().cell(150, Remarks::FirstRow + 1), "150");
        QVERIFY(grid().isEmpty(151, Remarks::FirstRow + 1));

        Remarks::store(grid(), 1, "kurz");
        QCOMPARE(Remarks::load(grid(), 1), "kurz");
        QCOMPARE(Remarks::printLines("Anna", "x\n\ny"),
                 QStringList({"  ", "      Anna", "      x", "      ", "      y"}));
    }

    void levels()
    {
        QVERIFY(!EvaluationLevels::isStored(grid()));
        QStringList lines;
        for (int k = 0; k < 23; ++k)
            lines << QStringLiteral("Stufe %1").arg(k);
        EvaluationLevels::store(grid(), lines.join(u'\n'));
        QVERIFY(EvaluationLevels::isStored(grid()));
        QCOMPARE(EvaluationLevels::load(grid()), lines.mid(0, 21).join(u'\n'));
        QVERIFY(grid().isEmpty(21, EvaluationLevels::Row));

        EvaluationLevels::store(grid(), "a\n\nb");
        QCOMPARE(EvaluationLevels::load(grid()), "a\n\nb");
        QCOMPARE(EvaluationLevels::printLines("a\nb"),
                 QStringList({"      ", "      a", "      b"}));
        EvaluationLevels::store(grid(), "");
        QVERIFY(!EvaluationLevels::isStored(grid()));
    }
};

QTEST_GUILESS_MAIN(VerbalTest)
#include "tst_verbal.moc"
