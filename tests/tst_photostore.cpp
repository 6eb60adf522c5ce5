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
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

const QDate Day(2024, 3, 14);

QImage noise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(5);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xFF000000u | (random.generate() & 0xFFFFFFu));
    return image;
}

// A portrait whose left half is green and right half yellow, with a red band along the top.
QImage portrait(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x)
            image.setPixel(x, y, qRgb(0, 160, 0));
    for (int y = 0; y < height / 20; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    return image;
}

bool near(const QColor &got, const QColor &expected)
{
    return qAbs(got.red() - expected.red()) < 40 && qAbs(got.green() - expected.green()) < 40 &&
           qAbs(got.blue() - expected.blue()) < 40;
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
    void storedFileIsAScrambledBitmapOfTheFrame()
    {
        QTemporaryDir project;
        ClassGrid grid;
        const QImage frame = ImageOperations::framed(noise(300, 400), QPoint(-40, -70));
        const QString path =
            PhotoStore::store(grid, 2, QStringLiteral("7b"), frame, project.path(), Day);
        QCOMPARE(path, QStringLiteral("Fotos\\03_2024\\7b\\3.bmp"));
        QCOMPARE(grid.cell(20, row(2)), path);

        const QString file = project.filePath(QStringLiteral("Fotos/03_2024/7b/3.bmp"));
        const QByteArray bytes = TestSupport::readBytes(file);
        QVERIFY(bytes.startsWith("BM"));
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 18), 135);
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 22), 180);
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(24));

        // On disk the pixels are scrambled; unscrambled they are the frame, pixel for pixel.
        const QImage raw = QImage(file).convertToFormat(QImage::Format_RGB32);
        const QImage shown =
            PhotoConverter::loadStoredPhoto(file).convertToFormat(QImage::Format_RGB32);
        const QImage expected = frame.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, expected);
        QVERIFY(raw != expected);
    }

    void aSecondPhotoNeverOverwritesTheFirst()
    {
        QTemporaryDir project;
        ClassGrid grid;
        const QImage first = ImageOperations::framed(noise(135, 180), QPoint());
        const QImage second = ImageOperations::framed(QImage(), QPoint());
        QCOMPARE(PhotoStore::store(grid, 2, QStringLiteral("7b"), first, project.path(), Day),
                 QStringLiteral("Fotos\\03_2024\\7b\\3.bmp"));
        QCOMPARE(PhotoStore::store(grid, 2, QStringLiteral("7b"), second, project.path(), Day),
                 QStringLiteral("Fotos\\03_2024\\7b\\a3.bmp"));
        QCOMPARE(PhotoStore::nextPath(project.path(), QStringLiteral("7b"), 3, Day),
                 QStringLiteral("Fotos\\03_2024\\7b\\aa3.bmp"));
        QCOMPARE(grid.cell(20, row(2)), QStringLiteral("Fotos\\03_2024\\7b\\a3.bmp"));
        const QString dir = project.filePath(QStringLiteral("Fotos/03_2024/7b/"));
        QCOMPARE(PhotoConverter::loadStoredPhoto(dir + "3.bmp"), first);
        QCOMPARE(PhotoConverter::loadStoredPhoto(dir + "a3.bmp"), second);
        // Either separator finds the file, on every platform.
        QCOMPARE(QFileInfo(PhotoConverter::resolve(project.path(), "Fotos\\03_2024\\7b\\a3.bmp")),
                 QFileInfo(dir + "a3.bmp"));
        QCOMPARE(QFileInfo(PhotoConverter::resolve(project.path(), "Fotos/03_2024/7b/a3.bmp")),
                 QFileInfo(dir + "a3.bmp"));
    }

    void aFailedWriteKeepsTheOldPhoto()
    {
        QTemporaryDir project;
        ClassGrid grid;
        grid.setCell(20, row(0), QStringLiteral("Fotos\\alt.bmp"));
        // "Fotos" is a file here, so no folder can be made below it.
        QFile blocker(project.filePath(QStringLiteral("Fotos")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(PhotoStore::store(grid, 0, QStringLiteral("7b"),
                                   ImageOperations::framed(QImage(), QPoint()), project.path(),
                                   Day),
                 QString());
        QCOMPARE(grid.cell(20, row(0)), QStringLiteral("Fotos\\alt.bmp"));
#ifdef Q_OS_UNIX
        // The folder is there, but the file cannot be written: a link into nowhere.
        QTemporaryDir other;
        QVERIFY(QDir(other.path()).mkpath(QStringLiteral("Fotos/03_2024/7b")));
        QVERIFY(QFile::link(QStringLiteral("/nonexistent/folder/3.bmp"),
                            other.filePath(QStringLiteral("Fotos/03_2024/7b/3.bmp"))));
        QCOMPARE(PhotoStore::store(grid, 2, QStringLiteral("7b"),
                                   ImageOperations::framed(QImage(), QPoint()), other.path(), Day),
                 QString());
        QCOMPARE(grid.cell(20, row(2)), QString());
#endif
    }

    void fileNamesMatchPersons_data()
    {
        QTest::addColumn<QString>("person");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("matches");
        QTest::newRow("last first") << "Albrecht, Paul"
                                    << "Albrecht Paul" << true;
        QTest::newRow("first last") << "Albrecht, Paul"
                                    << "Paul Albrecht" << true;
        QTest::newRow("underscores and case") << "Albrecht, Paul"
                                              << "PAUL_albrecht" << true;
        QTest::newRow("blanks doubled") << "Albrecht, Paul"
                                        << " Albrecht  _Paul" << true;
        QTest::newRow("umlauts written out") << "Müller, Jörg"
                                             << "Mueller Joerg" << true;
        QTest::newRow("umlauts kept") << "Müller, Jörg"
                                      << "jörg_MÜLLER" << true;
        QTest::newRow("umlauts decomposed")
            << "Müller, Jörg" << QString::fromUtf8("Mu\xcc\x88ller Jo\xcc\x88rg") << true;
        QTest::newRow("a umlaut, sharp s") << "Strauß, Bärbel"
                                           << "baerbel strauss" << true;
        QTest::newRow("upper umlaut") << "Özdemir, Ümit"
                                      << "OEZDEMIR UEMIT" << true;
        QTest::newRow("two first names") << "Weber, Anna Maria"
                                         << "Anna Maria Weber" << true;
        QTest::newRow("name without comma") << "Elif Demir"
                                            << "Demir_Elif" << true;
        QTest::newRow("first name missing") << "Weber, Anna Maria"
                                            << "Anna Weber" << false;
        QTest::newRow("longer first name") << "Albrecht, Paul"
                                           << "Albrecht Pauline" << false;
        QTest::newRow("first name alone") << "Albrecht, Paul"
                                          << "Paul" << false;
        QTest::newRow("mixed up halves") << "Weber, Anna Maria"
                                         << "Maria Weber Anna" << false;
        QTest::newRow("umlaut dropped") << "Müller, Jörg"
                                        << "Muller Jorg" << false;
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
        QTemporaryDir project;
        QTemporaryDir folder;
        const auto save = [&folder](const QImage &image, const char *name) {
            QVERIFY(image.save(folder.filePath(QString::fromUtf8(name))));
        };
        save(portrait(600, 800), "Bauer Lina.png");
        save(noise(300, 400), "paul_albrecht.jpg");
        save(noise(300, 400), "Paul Albrecht.png");
        save(noise(300, 400), "Unbekannt Jemand.png");
        save(noise(300, 400), "Günther, Leon.bmp");
        QFile text(folder.filePath(QStringLiteral("Liste.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Albrecht Paul\n");
        text.close();

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
        QVERIFY(result.failed.isEmpty());
        QCOMPARE(grid.cell(20, row(0)), QStringLiteral("Fotos\\03_2024\\7b\\1.bmp"));
        QCOMPARE(grid.cell(20, row(1)), QStringLiteral("Fotos\\03_2024\\Kurs 2\\2.bmp"));
        QCOMPARE(grid.cell(20, row(4)), QStringLiteral("Fotos\\03_2024\\7b\\5.bmp"));
        QCOMPARE(grid.cell(20, row(5)), QString());

        // 600 x 800 at 20 is 225 x 300: the frame takes the top edge, centred across, so the
        // red band is at its top and the green-yellow border near its middle.
        const QImage lina = PhotoConverter::loadStoredPhoto(
            project.filePath(QStringLiteral("Fotos/03_2024/Kurs 2/2.bmp")));
        QCOMPARE(lina.size(), QSize(135, 180));
        QVERIFY(near(lina.pixelColor(67, 2), Qt::red));
        QVERIFY(near(lina.pixelColor(60, 100), QColor(0, 160, 0)));
        QVERIFY(near(lina.pixelColor(75, 100), Qt::yellow));

        const QString report = PhotoImport::describe(result, grid).join(u'\n');
        QVERIFY2(report.contains(QStringLiteral("2 Bauer, Lina (Bauer Lina.png)")),
                 qPrintable(report));
        QVERIFY2(
            report.contains(QStringLiteral("Keiner Person zugeordnet:\n  Unbekannt Jemand.png")),
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

        const auto tool = [&](const QStringList &extra, QByteArray *out = nullptr) {
            QProcess process;
            process.start(QStringLiteral(MARKWART_TOOL_PATH),
                          QStringList{"photos", classFile, dir.filePath("Bilder")} + extra);
            if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
                return -1;
            if (out)
                *out = process.readAllStandardOutput();
            return process.exitCode();
        };
        QCOMPARE(tool({"--password", "falsch"}), 3);
        QCOMPARE(tool({"--password", "geheim", "--zoom", "0"}), 1);
        QCOMPARE(tool({"--password"}), 1);
        QCOMPARE(TestSupport::cellOf(classFile, 20, 33), QString());

        QByteArray out;
        QCOMPARE(tool({"--zoom", "1", "--password", "geheim"}, &out), 0);
        QVERIFY2(out.contains("2 Bauer, Lina (Lina Bauer.jpg)"), out.constData());
        // Lina has no class of her own and takes Paul's; the photo lies beside the class file.
        const QString stored = TestSupport::cellOf(classFile, 20, 33);
        QVERIFY2(stored.startsWith(QStringLiteral("Fotos\\")) &&
                     stored.endsWith(QStringLiteral("\\7b\\2.bmp")),
                 qPrintable(stored));
        const QImage photo =
            PhotoConverter::loadStoredPhoto(PhotoConverter::resolve(dir.path(), stored));
        QCOMPARE(photo.size(), QSize(135, 180));
        // At zoom 1, stepped up to 12, the whole 300 x 400 picture fits the frame.
        QVERIFY(near(photo.pixelColor(2, 2), Qt::red));
        QVERIFY(near(photo.pixelColor(132, 177), Qt::yellow));
        QCOMPARE(TestSupport::cellOf(classFile, 17, 599), QStringLiteral("geheim"));
    }
};

QTEST_GUILESS_MAIN(PhotoStoreTest)
#include "tst_photostore.moc"
