// Stored photos on disk, and a whole folder of portraits taken over by name, in the program
// and through markwart-tool.

#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "photos/imageoperations.h"
#include "photos/photoconverter.h"
#include "photos/photoimport.h"
#include "photos/photostore.h"
#include "testsupport.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

const QDate Day(2024, 3, 14);

// A portrait: left half green, right half yellow, a red band along the top.
QImage portrait(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           y < height / 20 ? qRgb(255, 0, 0)
                           : x < width / 2 ? qRgb(0, 160, 0)
                                           : qRgb(255, 255, 0));
    return image;
}

bool near(const QColor &got, const QColor &expected)
{
    return qAbs(got.red() - expected.red()) + qAbs(got.green() - expected.green()) +
               qAbs(got.blue() - expected.blue()) <
           90;
}

int row(int person)
{
    return ClassDocument::dataRow(person);
}

} // namespace

class PhotoStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void storedFilesAndTheirNames()
    {
        QTemporaryDir project;
        ClassGrid grid;
        const QImage first = ImageOperations::framed(portrait(300, 400), QPoint(-40, -70));
        const QImage second = ImageOperations::framed(QImage(), QPoint());
        QCOMPARE(PhotoStore::store(grid, 2, "7b", first, project.path(), Day),
                 QStringLiteral("Fotos\\03_2024\\7b\\3.bmp"));
        QCOMPARE(PhotoStore::store(grid, 2, "7b", second, project.path(), Day),
                 QStringLiteral("Fotos\\03_2024\\7b\\a3.bmp"));
        QCOMPARE(PhotoStore::nextPath(project.path(), "7b", 3, Day),
                 QStringLiteral("Fotos\\03_2024\\7b\\aa3.bmp"));
        QCOMPARE(grid.cell(20, row(2)), QStringLiteral("Fotos\\03_2024\\7b\\a3.bmp"));

        // A 24-bit 135 x 180 bitmap whose pixels are scrambled; unscrambled they are the frame.
        const QString file = project.filePath(QStringLiteral("Fotos/03_2024/7b/3.bmp"));
        const QByteArray bytes = TestSupport::readBytes(file);
        QVERIFY(bytes.startsWith("BM"));
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 18), 135);
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 22), 180);
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(24));
        QVERIFY(QImage(file).convertToFormat(first.format()) != first);
        QCOMPARE(PhotoConverter::loadStoredPhoto(file), first);
        // Either separator finds the file, on every platform.
        QCOMPARE(PhotoConverter::loadStoredPhoto(
                     PhotoConverter::resolve(project.path(), "Fotos/03_2024/7b/a3.bmp")),
                 second);

#ifdef Q_OS_UNIX
        // A file that cannot be written (a link into nowhere) leaves the cell as it was.
        QVERIFY(QFile::link(QStringLiteral("/nonexistent/x.bmp"),
                            project.filePath(QStringLiteral("Fotos/03_2024/7b/1.bmp"))));
        QCOMPARE(PhotoStore::store(grid, 0, "7b", first, project.path(), Day), QString());
        QCOMPARE(grid.cell(20, row(0)), QString());
#endif
    }

    void fileNamesMatchPersons_data()
    {
        QTest::addColumn<QString>("person");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("matches");
        QTest::newRow("first last") << "Albrecht, Paul"
                                    << "Paul Albrecht" << true;
        QTest::newRow("underscores, blanks, case") << "Albrecht, Paul"
                                                   << " ALBRECHT _paul" << true;
        QTest::newRow("umlauts written out") << "Müller, Jörg"
                                             << "Mueller Joerg" << true;
        QTest::newRow("umlauts kept") << "Müller, Jörg"
                                      << "jörg_MÜLLER" << true;
        QTest::newRow("umlauts decomposed")
            << "Müller, Jörg" << QString::fromUtf8("Mu\xcc\x88ller Jo\xcc\x88rg") << true;
        QTest::newRow("ä and ß") << "Strauß, Bärbel"
                                 << "baerbel strauss" << true;
        QTest::newRow("two first names") << "Weber, Anna Maria"
                                         << "Anna Maria Weber" << true;
        QTest::newRow("no comma") << "Elif Demir"
                                  << "Demir_Elif" << true;
        QTest::newRow("first name missing") << "Weber, Anna Maria"
                                            << "Anna Weber" << false;
        QTest::newRow("longer first name") << "Albrecht, Paul"
                                           << "Albrecht Pauline" << false;
        QTest::newRow("halves mixed") << "Weber, Anna Maria"
                                      << "Maria Weber Anna" << false;
    }

    void fileNamesMatchPersons()
    {
        QFETCH(QString, person);
        QFETCH(QString, file);
        QFETCH(bool, matches);
        QCOMPARE(PhotoImport::nameMatches(person, file), matches);
    }

    void folderImport()
    {
        QTemporaryDir project, folder;
        for (const char *name : {"Bauer Lina.png", "paul_albrecht.jpg", "Paul Albrecht.png",
                                 "Unbekannt Jemand.png", "Günther, Leon.bmp"})
            QVERIFY(portrait(600, 800).save(folder.filePath(QString::fromUtf8(name))));
        QVERIFY(TestSupport::writeBytes(folder.filePath(QStringLiteral("Albrecht Paul.txt"))));

        ClassGrid grid;
        grid.setCell(0, row(0), QStringLiteral("Albrecht, Paul"));
        grid.setCell(1, row(0), QStringLiteral("7b"));
        grid.setCell(0, row(1), QStringLiteral("Bauer, Lina"));
        grid.setCell(1, row(1), QStringLiteral("Kurs 2"));
        grid.setCell(0, row(4), QStringLiteral("Günther, Leon")); // no class of his own
        grid.setCell(0, row(5), QStringLiteral("Fischer, Mia"));  // no picture

        const PhotoImport::Result result =
            PhotoImport::run(grid, folder.path(), project.path(), 20, Day);
        QStringList stored;
        for (const PhotoImport::Assignment &a : result.stored)
            stored << QString::number(a.person) + u'=' + a.file;
        QCOMPARE(stored,
                 QStringList({"0=Paul Albrecht.png", "1=Bauer Lina.png", "4=Günther, Leon.bmp"}));
        QCOMPARE(result.surplus, QStringList{"paul_albrecht.jpg"});
        QCOMPARE(result.unmatched, QStringList{"Unbekannt Jemand.png"});
        QCOMPARE(TestSupport::read(grid, row(1), "20="), "20=Fotos\\03_2024\\Kurs 2\\2.bmp");
        QCOMPARE(TestSupport::read(grid, row(4), "20="), "20=Fotos\\03_2024\\7b\\5.bmp");
        QCOMPARE(TestSupport::read(grid, row(5), "20="), "20=");

        // 600 x 800 at 20 is 225 x 300: the frame takes its top edge, centred across.
        const QImage lina = PhotoConverter::loadStoredPhoto(
            project.filePath(QStringLiteral("Fotos/03_2024/Kurs 2/2.bmp")));
        QVERIFY(near(lina.pixelColor(67, 2), Qt::red));
        QVERIFY(near(lina.pixelColor(60, 100), QColor(0, 160, 0)));
        QVERIFY(near(lina.pixelColor(75, 100), Qt::yellow));
        const QString report = PhotoImport::describe(result, grid).join(u'\n');
        QVERIFY2(report.contains(QStringLiteral("2 Bauer, Lina (Bauer Lina.png)\n")) &&
                     report.endsWith(QStringLiteral("zugeordnet:\n  Unbekannt Jemand.png")),
                 qPrintable(report));
    }

    void toolTakesAFolder()
    {
        QTemporaryDir dir;
        const QString classFile = dir.filePath(QStringLiteral("7b.MWk"));
        TestSupport::writeClass(classFile, {{0, 16, "Albrecht, Paul"},
                                            {1, 16, "7b"},
                                            {0, 33, "Bauer, Lina"},
                                            {17, 599, "geheim"}});
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Bilder")));
        QVERIFY(portrait(300, 400).save(dir.filePath(QStringLiteral("Bilder/Lina Bauer.jpg"))));
        QByteArray out;
        const auto tool = [&](const QStringList &extra) {
            const TestSupport::ToolRun run = TestSupport::runTool(
                QStringList{"photos", classFile, dir.filePath("Bilder")} + extra);
            out = run.out;
            return run.exitCode;
        };
        QCOMPARE(tool({"--password", "falsch"}), 3);
        QCOMPARE(tool({"--password", "geheim", "--zoom", "0"}), 1);
        QCOMPARE(TestSupport::cellOf(classFile, 20, 33), QString());

        QCOMPARE(tool({"--zoom", "1", "--password", "geheim"}), 0);
        QVERIFY2(out.contains("2 Bauer, Lina (Lina Bauer.jpg)"), out.constData());
        // Lina takes Paul's class; the photo lies below the class file's folder.
        const QString stored = TestSupport::cellOf(classFile, 20, 33);
        QVERIFY2(stored.endsWith(QStringLiteral("\\7b\\2.bmp")), qPrintable(stored));
        QVERIFY(QFile::exists(PhotoConverter::resolve(dir.path(), stored)));
    }
};

QTEST_GUILESS_MAIN(PhotoStoreTest)
#include "tst_photostore.moc"
