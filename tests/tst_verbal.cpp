#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "testsupport.h"
#include "verbal/evaluationlevels.h"
#include "verbal/evaluationtable.h"
#include "verbal/overviewtable.h"
#include "verbal/remarks.h"

#include <QtTest>

#include <memory>

namespace {
int verbalRow(int person, int row)
{
    return EvaluationTable::BlockBase + person * ClassDocument::BlockRows + row;
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
    void initTestCase() { DisplayLocale::install(QLocale(QStringLiteral("en_GB"))); }

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
        QTest::newRow("digits") << "" << 1 << QStringList{"2", "3", "3"} << "2,7";
        QTest::newRow("digits as letter") << "m" << 1 << QStringList{"2", "3", "3"} << "c";
        QTest::newRow("letters") << "" << 1 << QStringList{"a", "c"} << "2";
        QTest::newRow("2.5 stays b") << "a" << 1 << QStringList{"b", "c"} << "b";
        QTest::newRow("umlauts") << "" << 1 << QStringList{"ü", "ä"} << "25";
        QTest::newRow("hidden columns") << "" << 31 << QStringList{"4", "5", "", "4"} << "4,3";
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
        QCOMPARE(grid().cell(EvaluationTable::Tendency, verbalRow(2, 2)), expected);
        QCOMPARE(grid().cell(firstColumn, verbalRow(2, 2)), marks[0]);
    }

    void editingAndCursor()
    {
        table->edit(0, 4, "Liest sinnentnehmend");
        table->edit(0, 0, "overwritten header");
        QCOMPARE(table->table().cell(0, 4) + u'|' + table->table().cell(0, 0),
                 "Liest sinnentnehmend|Beurteilungskriterium");
        table->edit(3, 4, "1");
        QCOMPARE(grid().cell(EvaluationTable::Tendency, verbalRow(2, 4)), "1");
        table->edit(3, 4, ""); // the tendency goes with the last mark
        QCOMPARE(grid().cell(EvaluationTable::Tendency, verbalRow(2, 4)), "");

        // The cursor waits in the first free shown mark column.
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

    void pasteCriteria()
    {
        const SheetTable &t = table->table();
        const auto criteria = [&t] {
            return t.cell(0, 1) + u'|' + t.cell(0, 2) + u'|' + t.cell(0, 3);
        };
        prompts->yesNoAnswers = {false, true};
        // The first criteria need no question. Marks beside them come along; the pasted "z"
        // in the tendency column gives way to the tendency of the mark "x".
        QVERIFY(table->pasteCriteria("Lesen\tx\ty\tz\tdropped\r\nSchreiben\r\n"));
        QVERIFY(prompts->questions.isEmpty());
        QCOMPARE(criteria(), "Lesen|Schreiben|");
        QCOMPARE(QStringList({t.cell(33, 1), t.cell(34, 1), t.cell(35, 1), t.cell(36, 1)}),
                 QStringList({"", "x", "y", "24"}));
        QCOMPARE(grid().cell(0, verbalRow(30, 2)), "Schreiben");
        QVERIFY(!table->pasteCriteria("Neu\r\n")); // "no" keeps them
        QCOMPARE(criteria(), "Lesen|Schreiben|");
        QVERIFY(table->pasteCriteria("Neu\r\n"));
        QCOMPARE(prompts->questions.size(), 2);
        QCOMPARE(criteria(), "Neu||");
        QCOMPARE(grid().cell(0, verbalRow(30, 2)), QString());
    }

    void remarksAndLevels()
    {
        // Cells of a remarks row, what the editor shows, and the bold indicator, which needs
        // a first line and no blank second one.
        const QList<std::tuple<QString, QString, bool>> cases = {{"a|||b", "a\n\nb", true},
                                                                 {"a|b||", "a\nb", true},
                                                                 {"|a", "\na", false},
                                                                 {"a| |b", "a\n \nb", false}};
        for (int i = 0; i < cases.size(); ++i) {
            const auto &[cells, loaded, bold] = cases[i];
            const QStringList lines = cells.split(u'|');
            for (int k = 0; k < lines.size(); ++k)
                grid().setCell(k, Remarks::FirstRow + i, lines[k]);
            QCOMPARE(Remarks::load(grid(), i), loaded);
            QCOMPARE(Remarks::hasRemarks(grid(), i), bold);
        }

        QCOMPARE(Remarks::store(grid(), 9, QStringLiteral("x\n").repeated(160)).count(u'\n'), 150);
        QCOMPARE(grid().cell(150, Remarks::FirstRow + 9), "x");
        QVERIFY(grid().isEmpty(151, Remarks::FirstRow + 9));
        Remarks::store(grid(), 9, "kurz");
        QCOMPARE(Remarks::load(grid(), 9), "kurz");
        QCOMPARE(Remarks::printLines("Anna", "x\n\ny"),
                 QStringList({"  ", "      Anna", "      x", "      ", "      y"}));

        QVERIFY(!EvaluationLevels::isStored(grid()));
        EvaluationLevels::store(grid(), QStringLiteral("Stufe\n").repeated(23));
        QVERIFY(EvaluationLevels::isStored(grid()));
        QCOMPARE(EvaluationLevels::load(grid()), QStringLiteral("Stufe\n").repeated(21).chopped(1));
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
