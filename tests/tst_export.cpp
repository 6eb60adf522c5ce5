// The class taken to a spreadsheet: the workbook read back holds what the class holds, the CSV
// opens in Excel as one table, sheet names are ones Excel accepts; and the grade distribution
// counts the finals of exactly one subject.

#include "testsupport.h"

#include "classdata/classgrid.h"
#include "export/classexport.h"
#include "export/csvexport.h"
#include "export/sheetnames.h"
#include "grades/gradedistribution.h"
#include "import/previewgrid.h"
#include "import/xlsxreader.h"
#include "import/zipparts.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Cells = QList<std::tuple<int, int, QString>>;

const QString LongName = QStringLiteral("Deutsch/Literatur: Lesen [Kurs A] und Schreiben");

// Three persons around a free slot, two subjects of the same long name, a blank one.
Cells gradeClass()
{
    return {
        {0, 16, QStringLiteral("Albrecht, Paul")},
        {1, 16, QStringLiteral("7b")},
        {3, 16, QStringLiteral("03.04.2013")},
        {4, 16, QStringLiteral("Lindenweg 2")},
        {5, 16, QStringLiteral("01067 Dresden")},
        {6, 16, QStringLiteral("0351 1234")},
        {7, 16, QStringLiteral("ja")},
        {9, 16, QStringLiteral("paul@example.org")},
        {13, 16, QStringLiteral("0170 99")},
        {47, 16, QStringLiteral("5")},
        {48, 16, QStringLiteral("2")},
        {108, 16, QStringLiteral("3")},
        {109, 16, QStringLiteral("0")},
        // index 1 is a free slot with a stray result
        {1, 18, QStringLiteral("6")},
        {0, 50, QStringLiteral("Meier; Anna")},
        {1, 50, QStringLiteral("7b")},
        {0, 67, QStringLiteral("Anna \"Ani\" Berg")},
        // subject names stand in every block; the first one counts
        {0, 1, QStringLiteral("Mathematik")},
        {0, 2, LongName},
        {0, 3, LongName},
        {0, 4, QStringLiteral("   ")},
        {1, 601, QStringLiteral("Kopfrechnen")},
        {32, 601, QStringLiteral("Klassenarbeit 1")},
        {1, 1, QStringLiteral("2")},
        {31, 1, QStringLiteral("2")},
        {32, 1, QStringLiteral("3")},
        {43, 1, QStringLiteral("3")},
        {44, 1, QStringLiteral("2")},
        {45, 1, QStringLiteral("2,7")},
        {1, 35, QStringLiteral("4")},
        {31, 35, QStringLiteral("4")},
        {33, 35, QStringLiteral("G")},
        {1, 3, QStringLiteral("1")},
    };
}

QString row(const PreviewGrid &grid, int r)
{
    QStringList cells;
    for (int c = 0; c < grid.columns(); ++c)
        cells << grid.cell(c, r);
    while (!cells.isEmpty() && cells.last().isEmpty())
        cells.removeLast();
    return cells.join(u'|');
}

QByteArray part(const QString &path, const QString &name)
{
    ZipParts zip;
    QByteArray data;
    QString error;
    if (!zip.open(path, &error) || !zip.read(name, &data, &error))
        qWarning("%s", qPrintable(error));
    return data;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void workbookReadBack()
    {
        QTemporaryDir dir;
        const QString classPath = dir.filePath(QStringLiteral("7b.MWk"));
        TestSupport::writeClass(classPath, gradeClass());
        const QString out = dir.filePath(QStringLiteral("7b.xlsx"));
        const TestSupport::ToolRun run = TestSupport::runTool(
            {QStringLiteral("export"), classPath, QStringLiteral("--out"), out});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());

        // Excel's rules for sheet names, the fixed sheets first and last.
        const QByteArray workbook = part(out, QStringLiteral("xl/workbook.xml"));
        QStringList names;
        const QRegularExpression sheet(QStringLiteral("<sheet name=\"([^\"]*)\""));
        for (const QRegularExpressionMatch &m : sheet.globalMatch(QString::fromUtf8(workbook)))
            names << m.captured(1);
        QCOMPARE(names, QStringList({"Personen", "Mathematik", "Deutsch_Literatur_ Lesen _Kurs",
                                     "Deutsch_Literatur_ Lesen _K (2)", "Fehlzeiten"}));

        PreviewGrid persons;
        QString error;
        QVERIFY2(XlsxReader::read(out, 1, persons, &error), qPrintable(error));
        QCOMPARE(row(persons, 0),
                 "Nr.|Name|Klasse|Geburtsdatum|Straße|PLZ Ort|Telefon|Handy|eMail|LRS");
        // Leading zeros survive: person data is text.
        QCOMPARE(row(persons, 1), "1|Albrecht, Paul|7b|03.04.2013|Lindenweg 2|01067 Dresden|"
                                  "0351 1234|0170 99|paul@example.org|ja");
        // The free slot is left out, the list positions stay.
        QCOMPARE(row(persons, 2), "3|Meier; Anna|7b");
        QCOMPARE(row(persons, 3), "4|Anna \"Ani\" Berg");
        QCOMPARE(row(persons, 4), "");

        PreviewGrid maths;
        QVERIFY(XlsxReader::read(out, 2, maths, &error));
        QCOMPARE(row(maths, 0), "Nr.|Name|Kopfrechnen|Schnitt mündlich|Klassenarbeit 1|"
                                "schriftlich 2|Schnitt schriftlich|Note|Notensyst.");
        QCOMPARE(row(maths, 1), "1|Albrecht, Paul|2|2|3||3|2|2,7");
        QCOMPARE(row(maths, 2), "3|Meier; Anna|4|4||G");
        // The stray result of the free slot stays out.
        QVERIFY(!row(maths, 3).contains(u'6'));

        // Each subject its own rows: the second of the twins holds the result.
        PreviewGrid german;
        QVERIFY(XlsxReader::read(out, 3, german, &error));
        QCOMPARE(row(german, 1), "1|Albrecht, Paul");
        QVERIFY(XlsxReader::read(out, 4, german, &error));
        QCOMPARE(row(german, 1), "1|Albrecht, Paul|1");

        PreviewGrid absences;
        QVERIFY(XlsxReader::read(out, 5, absences, &error));
        QCOMPARE(row(absences, 1), "1|Albrecht, Paul|5|2|3|0");

        // Numbers are stored as numbers, German "2,7" as 2.7; texts as texts.
        const QString maths1 =
            QString::fromUtf8(part(out, QStringLiteral("xl/worksheets/sheet2.xml")));
        QVERIFY(maths1.contains(QLatin1String("<v>2.7</v>")));
        const QString strings =
            QString::fromUtf8(part(out, QStringLiteral("xl/sharedStrings.xml")));
        QVERIFY(!strings.contains(QLatin1String(">2,7<")));
        QVERIFY(!strings.contains(QLatin1String(">3<")));
        QVERIFY(strings.contains(QLatin1String(">0351 1234<")));
    }

    void csvBytes()
    {
        QTemporaryDir dir;
        const QString classPath = dir.filePath(QStringLiteral("7b.MWk"));
        Cells cells = gradeClass();
        cells << std::tuple{15, 599, QStringLiteral("ja")}
              << std::tuple{17, 599, QStringLiteral("geheim")}
              << std::tuple{44, 1, QStringLiteral("10")} << std::tuple{45, 1, QStringLiteral("2-")}
              << std::tuple{44, 35, QStringLiteral("4")} << std::tuple{45, 35, QStringLiteral("4")};
        TestSupport::writeClass(classPath, cells);
        const QString out = dir.filePath(QStringLiteral("7b.csv"));
        const QStringList args{QStringLiteral("export"), classPath, QStringLiteral("--out"), out};
        QCOMPARE(TestSupport::runTool(args).exitCode, 3);
        QVERIFY(!QFile::exists(out));
        QCOMPARE(TestSupport::runTool(args + QStringList{"--password", "geheim"}).exitCode, 0);

        const QByteArray expected =
            "\xEF\xBB\xBF"
            "Nr.;Name;Klasse;Geburtsdatum;Straße;PLZ Ort;Telefon;Handy;eMail;LRS;Mathematik;"
            "Mathematik Note;" +
            LongName.toUtf8() + ";" + LongName.toUtf8() + " Note;" + LongName.toUtf8() + ";" +
            LongName.toUtf8() +
            " Note\r\n"
            "1;Albrecht, Paul;7b;03.04.2013;Lindenweg 2;01067 Dresden;0351 1234;0170 99;"
            "paul@example.org;ja;10;2-;;;;\r\n"
            "3;\"Meier; Anna\";7b;;;;;;;;4;4;;;;\r\n"
            "4;\"Anna \"\"Ani\"\" Berg\";;;;;;;;;;;;;;\r\n";
        QCOMPARE(TestSupport::readBytes(out), expected);
    }

    void csvQuoting()
    {
        ExportSheet table;
        table.rows << QList<ExportCell>{ExportCell::fromText("a\r\nb"), ExportCell::fromText(""),
                                        ExportCell::fromValue("2,5")};
        QCOMPARE(CsvExport::bytes(table), QByteArray("\xEF\xBB\xBF\"a\r\nb\";;2,5\r\n"));
    }

    void toolRefusesWhatItCannotWrite()
    {
        QTemporaryDir dir;
        const QString classPath = dir.filePath(QStringLiteral("7b.MWk"));
        TestSupport::writeClass(classPath, gradeClass());
        const QString docx = dir.filePath(QStringLiteral("7b.docx"));
        TestSupport::ToolRun run = TestSupport::runTool(
            {QStringLiteral("export"), classPath, QStringLiteral("--out"), docx});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(".xlsx"));
        QCOMPARE(TestSupport::runTool({QStringLiteral("export"), classPath}).exitCode, 2);
        // A folder that does not exist: a message, and nothing left behind.
        const QString missing = dir.filePath(QStringLiteral("fehlt/7b.xlsx"));
        run = TestSupport::runTool(
            {QStringLiteral("export"), classPath, QStringLiteral("--out"), missing});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("konnte nicht geschrieben werden"));
        // An older workbook is replaced whole.
        const QString out = dir.filePath(QStringLiteral("7b.xlsx"));
        QVERIFY(TestSupport::writeBytes(out, "alt"));
        QCOMPARE(TestSupport::runTool(
                     {QStringLiteral("export"), classPath, QStringLiteral("--out"), out})
                     .exitCode,
                 0);
        PreviewGrid persons;
        QString error;
        QVERIFY2(XlsxReader::read(out, 1, persons, &error), qPrintable(error));
        QCOMPARE(QDir(dir.path()).entryList({"*.part"}, QDir::Files), QStringList());

        // Without the workbook writer the message says so and the older file stays.
        const QByteArray helper = qgetenv("MARKWART_XLSX");
        qputenv("MARKWART_XLSX", dir.filePath(QStringLiteral("fehlt")).toLocal8Bit());
        run = TestSupport::runTool(
            {QStringLiteral("export"), classPath, QStringLiteral("--out"), out});
        qputenv("MARKWART_XLSX", helper);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("markwart-xlsx"));
        QVERIFY(XlsxReader::read(out, 1, persons, &error));
    }

    void sheetNames_data()
    {
        QTest::addColumn<QStringList>("wanted");
        QTest::addColumn<QStringList>("made");
        const QString x31(31, u'x');
        QTest::newRow("cut") << QStringList{QString(40, u'x')} << QStringList{x31};
        QTest::newRow("case") << QStringList{"Personen", "personen", "PERSONEN"}
                              << QStringList{"Personen", "personen (2)", "PERSONEN (3)"};
        QTest::newRow("long twins")
            << QStringList{x31, x31 + "y"} << QStringList{x31, QString(27, u'x') + " (2)"};
        QTest::newRow("characters")
            << QStringList{"a[b]c:d*e?f/g\\h"} << QStringList{"a_b_c_d_e_f_g_h"};
        QTest::newRow("apostrophes") << QStringList{"'Kurs'"} << QStringList{"_Kurs_"};
        QTest::newRow("empty") << QStringList{"", " "} << QStringList{"Tabelle", "Tabelle (2)"};
        QTest::newRow("reserved") << QStringList{"History"} << QStringList{"History (2)"};
        // A character outside the BMP is not cut in half.
        QTest::newRow("surrogates") << QStringList{QString(30, u'a') + QString::fromUtf8("😀b")}
                                    << QStringList{QString(30, u'a')};
        QTest::newRow("suffix taken")
            << QStringList{"A", "A (2)", "a"} << QStringList{"A", "A (2)", "a (3)"};
    }

    void sheetNames()
    {
        QFETCH(QStringList, wanted);
        QFETCH(QStringList, made);
        QCOMPARE(SheetNames::make(wanted), made);
    }

    void numbersWhereTheyAreNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("number");
        QTest::newRow("whole") << "12" << true << 12.0;
        QTest::newRow("German") << "2,7" << true << 2.7;
        QTest::newRow("grade text") << "2-" << false << 0.0;
        QTest::newRow("point") << "1.5" << false << 0.0;
        QTest::newRow("level") << "E1" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("too long") << QString(20, u'9') << false << 0.0;
    }

    void numbersWhereTheyAreNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, number);
        const ExportCell cell = ExportCell::fromValue(text);
        QCOMPARE(cell.isNumber, isNumber);
        QCOMPARE(cell.number, number);
        QCOMPARE(cell.text, text);
    }

    void gradeDistribution()
    {
        ClassGrid grid;
        const int subject = 5;
        const QStringList finals{"1", "2", "2", "6", "", "abc", "3"};
        for (int i = 0; i < finals.size(); ++i)
            grid.setCell(44, i * 17 + subject, finals[i]);
        grid.setCell(44, 33 * 17 + subject, QStringLiteral("3"));    // the last slot counts
        grid.setCell(44, 2 * 17 + subject + 1, QStringLiteral("4")); // another subject
        grid.setCell(43, 4 * 17 + subject, QStringLiteral("5"));     // another column

        const GradeDistribution grades(grid, subject, false);
        QCOMPARE(grades.labels(), QStringList({"1", "2", "3", "4", "5", "6"}));
        QCOMPARE(grades.counts(), QList<int>({1, 2, 2, 0, 0, 1}));
        QCOMPARE(grades.failing(), QList<bool>({false, false, false, false, true, true}));
        QCOMPARE(grades.total(), 6);
        QCOMPARE(grades.averageText(), "2,83"); // 17 / 6

        // The eight-step scale shows its grades when they occur.
        grid.setCell(44, 4 * 17 + subject, QStringLiteral("8"));
        QCOMPARE(GradeDistribution(grid, subject, false).labels().size(), 8);

        const GradeDistribution points(grid, subject, true);
        QCOMPARE(points.labels().first(), "15");
        QCOMPARE(points.labels().last(), "0");
        QCOMPARE(points.counts().at(15 - 2), 2);
        QCOMPARE(points.failing().at(15 - 3), true);
        QCOMPARE(points.failing().at(15 - 4), false);

        ClassGrid empty;
        QCOMPARE(GradeDistribution(empty, 1, false).averageText(), QString());
        empty.setCell(44, 1, QStringLiteral("2"));
        empty.setCell(44, 18, QStringLiteral("1"));
        empty.setCell(44, 35, QStringLiteral("2"));
        QCOMPARE(GradeDistribution(empty, 1, false).averageText(), "1,67");
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
