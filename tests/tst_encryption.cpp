// Encrypted class files and photos: what a password really protects, and that a damaged,
// cut or wrongly opened file never reaches the open class.

#include "app/appsettings.h"
#include "app/encryptchoice.h"
#include "app/sessioncontroller.h"
#include "classdata/classdocument.h"
#include "classdata/classfile.h"
#include "classdata/loadbuffer.h"
#include "classdata/photocipher.h"
#include "classdata/secureclassfile.h"
#include "photos/photoconverter.h"
#include "photos/photostore.h"
#include "sessionfixture.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TestSupport::readBytes;
using TestSupport::writeBytes;

// Every cell filled, with umlauts, tabs and the characters the scrambler treats
// specially; the password cell holds `password`.
void fillFullClass(ClassGrid &grid, const QString &password)
{
    const ClassGrid::BulkChange bulk(grid);
    for (int column = 0; column < ClassGrid::Columns; ++column)
        for (int row = 0; row < ClassGrid::Rows; ++row)
            grid.setCell(column, row,
                         (column + row) % 7 == 0 ? QStringLiteral("Größe %1\tß€").arg(row)
                                                 : QStringLiteral("Z%1/%2").arg(column).arg(row));
    grid.setCell(17, 599, password);
}

QByteArray encryptedFile(const ClassGrid &grid, const QString &password, const QByteArray &key)
{
    LoadBuffer buffer;
    buffer.scrambleFrom(grid);
    QString error;
    if (!ClassFile::seal(buffer, password, key, &error, SecureClassFile::Limits::fastest()))
        qFatal("%s", qPrintable(error));
    return buffer.bytesToWrite();
}

QImage testPhoto()
{
    QImage image(120, 160, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(10, 20, 50, 70, QColor(200, 30, 40));
    painter.fillRect(60, 90, 40, 50, QColor(20, 30, 220));
    return image;
}

QImage comparable(const QImage &image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestEncryption : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        TestSupport::isolateSettings();
        m_dir = std::make_unique<QTemporaryDir>();
    }

    void fullClassSurvivesEncryption()
    {
        ClassGrid grid;
        fillFullClass(grid, QStringLiteral("geheim"));
        const QByteArray key = SecureClassFile::newPhotoKey();
        const QByteArray file = encryptedFile(grid, QStringLiteral("geheim"), key);
        QVERIFY(SecureClassFile::isEncrypted(file));
        // Not a scrambled cell is left readable in the file.
        LoadBuffer plain;
        plain.scrambleFrom(grid);
        QVERIFY(!file.contains(plain.cell(33, 44).toByteArray()));

        const QString path = m_dir->filePath(QStringLiteral("voll.MWk"));
        QVERIFY(writeBytes(path, file));
        LoadBuffer buffer;
        QString error;
        QVERIFY2(ClassFile::read(path, buffer, &error), qPrintable(error));
        QVERIFY(buffer.isSealed());
        QCOMPARE(buffer.unscrambledCell(17, 599), QString()); // nothing readable before
        QByteArray photoKey;
        QCOMPARE(ClassFile::unseal(buffer, QStringLiteral("geheim"), &photoKey, path, &error),
                 SecureClassFile::Result::Ok);
        QCOMPARE(photoKey, key);
        QVERIFY(buffer.warning().isEmpty());
        ClassGrid loaded;
        buffer.unscrambleInto(loaded);
        QCOMPARE(TestSupport::firstDifference(
                     grid, [&](int column, int row) { return loaded.cell(column, row); }),
                 QString());
    }

    void brokenFilesAreRefused_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("flipAt"); // from the start; negative: from the end
        QTest::addColumn<int>("keep");   // bytes kept; 0: all
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("dialogStays");

        const QString wrong = QStringLiteral("Das Passwort ist falsch!");
        const QString damaged = QStringLiteral("beschädigt");
        const QString cut = QStringLiteral("unvollständig");
        QTest::newRow("wrong password") << "Geheim" << 0 << 0 << wrong << true;
        QTest::newRow("empty password") << "" << 0 << 0 << wrong << true;
        QTest::newRow("salt") << "geheim" << 30 << 0 << damaged << false;
        QTest::newRow("key check") << "geheim" << 120 << 0 << damaged << false;
        QTest::newRow("body") << "geheim" << 5000 << 0 << damaged << false;
        QTest::newRow("last byte") << "geheim" << -1 << 0 << damaged << false;
        QTest::newRow("one byte short") << "geheim" << 0 << -1 << cut << false;
        QTest::newRow("half") << "geheim" << 0 << -2 << cut << false;
        QTest::newRow("inside the header") << "geheim" << 0 << 100 << cut << false;
        QTest::newRow("one byte more") << "geheim" << 0 << 1 << damaged << false;
    }

    void brokenFilesAreRefused()
    {
        QFETCH(QString, password);
        QFETCH(int, flipAt);
        QFETCH(int, keep);
        QFETCH(QString, message);
        QFETCH(bool, dialogStays);

        ClassGrid grid;
        grid.setCell(0, 16, QStringLiteral("Neumann, Ida"));
        grid.setCell(3, 3, QStringLiteral("aus der Datei"));
        grid.setCell(17, 599, QStringLiteral("geheim"));
        QByteArray file = encryptedFile(grid, QStringLiteral("geheim"), QByteArray(32, 'k'));
        if (flipAt != 0)
            file[flipAt > 0 ? flipAt : file.size() + flipAt] ^= 0x10;
        if (keep == -1)
            file.chop(1);
        else if (keep == -2)
            file.truncate(file.size() / 2);
        else if (keep == 1)
            file.append('x');
        else if (keep > 0)
            file.truncate(keep);
        const QString path = m_dir->filePath(QStringLiteral("kaputt.MWk"));
        QVERIFY(writeBytes(path, file));

        Session s(m_dir->path());
        s.document.grid().setCell(3, 3, QStringLiteral("offen"));
        s.document.setSaved(false);
        QVERIFY(!s.load(path, password));
        QCOMPARE(s.prompts.messages.size(), 1);
        if (message.startsWith(u'D'))
            QCOMPARE(s.prompts.messages[0], message);
        else
            QVERIFY2(s.prompts.messages[0].contains(message), qPrintable(s.prompts.messages[0]));
        // The open class is as it was, unsaved changes and all.
        QCOMPARE(s.cell(3, 3) + u'|' + s.cell(0, 16), QStringLiteral("offen|"));
        QVERIFY(!s.document.isSaved());
        QVERIFY(!s.document.isEncrypted());
        QCOMPARE(s.view.dialogVisible, dialogStays);
        // A wrong password may be corrected; a broken file is given up.
        QCOMPARE(s.controller.confirmLoad(QStringLiteral("geheim")), dialogStays);
        if (dialogStays)
            QCOMPARE(s.cell(3, 3), QStringLiteral("aus der Datei"));
    }

    void scrambledClassSavedEncryptedLoadsEqual()
    {
        const QString old = m_dir->filePath(QStringLiteral("7b.MWk"));
        TestSupport::writeClass(old, {{0, 16, QStringLiteral("Müller, Jonas")},
                                      {1, 16, QStringLiteral("7b")},
                                      {5, 20, QStringLiteral("2-; 3+ Ü")},
                                      {10, 33, QStringLiteral("Neu")},
                                      {17, 599, QStringLiteral("geheim")}});
        Session first(m_dir->path());
        QVERIFY(first.load(old, QStringLiteral("geheim")));
        QVERIFY(!first.document.isEncrypted());
        QVERIFY(!first.controller.encryptByDefault()); // a shared file stays shared
        const QString secure = m_dir->filePath(QStringLiteral("7b-sicher.MWk"));
        QVERIFY(first.saveTo(secure, QStringLiteral("geheim"), true));
        QVERIFY(first.document.isEncrypted());
        QVERIFY(SecureClassFile::isEncrypted(readBytes(secure)));
        QCOMPARE(TestSupport::cellOf(old, 0, 16), QStringLiteral("Müller, Jonas"));

        Session second(m_dir->path());
        QVERIFY(second.load(secure, QStringLiteral("geheim")));
        QVERIFY(second.document.isEncrypted());
        QVERIFY(second.controller.encryptByDefault());
        QCOMPARE(second.document.photoKey(), first.document.photoKey());
        QCOMPARE(TestSupport::firstDifference(first.document.grid(),
                                              [&](int column, int row) {
                                                  // Only where it was loaded from differs.
                                                  return column == 18 && row == 599
                                                             ? first.cell(18, 599)
                                                             : second.cell(column, row);
                                              }),
                 QString());

        // Saving on close keeps the kind it was loaded as.
        second.document.grid().setCell(5, 21, QStringLiteral("1"));
        second.prompts.answers << UserPrompts::Answer::Yes;
        QVERIFY(second.controller.requestClose());
        QVERIFY(SecureClassFile::isEncrypted(readBytes(secure)));
        Session third(m_dir->path());
        QVERIFY(third.load(secure, QStringLiteral("geheim")));
        QCOMPARE(third.cell(5, 21), QStringLiteral("1"));

        // The copy kept against a crash is encrypted like its class.
        third.document.grid().setCell(5, 22, QStringLiteral("Geheimnote 4"));
        third.controller.writeRecoveryCopy();
        const QByteArray recovery = readBytes(third.controller.recovery().copyPath());
        QVERIFY(SecureClassFile::isEncrypted(recovery));
        Session restored(m_dir->path());
        restored.prompts.yesNoAnswers << true;
        restored.controller.onPaint();
        QVERIFY(restored.controller.confirmLoad(QStringLiteral("geheim")));
        QCOMPARE(restored.cell(5, 22), QStringLiteral("Geheimnote 4"));
        QVERIFY(restored.document.isEncrypted());

        // Unticked, the class goes back to the older kind.
        QVERIFY(third.saveTo(secure, QStringLiteral("geheim"), false));
        QVERIFY(!third.document.isEncrypted());
        QCOMPARE(TestSupport::cellOf(secure, 5, 20), QStringLiteral("2-; 3+ Ü"));
    }

    void photosFollowTheClass()
    {
        const QString classFile = m_dir->filePath(QStringLiteral("7b.MWk"));
        TestSupport::writeClass(classFile, {{0, 16, QStringLiteral("Müller, Jonas")},
                                            {1, 16, QStringLiteral("7b")},
                                            {10, 33, QStringLiteral("Neu")}});
        Session s(m_dir->path());
        QVERIFY(s.load(classFile, QString()));
        const QDate day(2026, 12, 6);
        const QString bitmap = PhotoStore::store(s.document.grid(), 0, QStringLiteral("7b"),
                                                 testPhoto(), m_dir->path(), day);
        QVERIFY(bitmap.endsWith(QLatin1String(".bmp")));
        const QString bitmapFile = PhotoConverter::resolve(m_dir->path(), bitmap);
        const QImage shown = comparable(PhotoConverter::loadStoredPhoto(bitmapFile));
        QVERIFY(!shown.isNull());

        // Switching encryption on: an encrypted copy under a new name; the old file goes
        // only when the teacher says so.
        s.prompts.yesNoAnswers << true;
        QVERIFY(s.saveTo(classFile, QStringLiteral("eins"), true));
        QCOMPARE(s.prompts.questions.size(), 1);
        QVERIFY(
            s.prompts.questions[0].startsWith(QStringLiteral("Die alten Fotodateien löschen?")));
        const QString encrypted = s.cell(20, 16);
        QVERIFY(PhotoStore::isEncryptedPhoto(encrypted));
        QVERIFY(!QFileInfo::exists(bitmapFile));
        const QString encryptedFile = PhotoConverter::resolve(m_dir->path(), encrypted);
        const QByteArray sealed = readBytes(encryptedFile);
        QVERIFY(QImage::fromData(sealed).isNull());
        QCOMPARE(comparable(QImage::fromData(PhotoCipher::decrypt(sealed, s.document.photoKey()))),
                 shown);
        QVERIFY(PhotoCipher::decrypt(sealed, QByteArray(32, 'x')).isEmpty());

        // A new password keeps the photo key: the photos stay readable.
        QVERIFY(s.saveTo(classFile, QStringLiteral("zwei"), true));
        QCOMPARE(s.prompts.questions.size(), 1);
        Session again(m_dir->path());
        QVERIFY(!again.load(classFile, QStringLiteral("eins")));
        QVERIFY(again.controller.confirmLoad(QStringLiteral("zwei")));
        QCOMPARE(again.cell(20, 16), encrypted);
        QCOMPARE(comparable(QImage::fromData(
                     PhotoCipher::decrypt(readBytes(encryptedFile), again.document.photoKey()))),
                 shown);
        QCOMPARE(comparable(PhotoConverter::loadStoredPhoto(encryptedFile)), shown);

        // A photo taken now is stored encrypted too.
        const QString next =
            PhotoStore::store(again.document.grid(), 0, QStringLiteral("7b"), testPhoto(),
                              m_dir->path(), day, again.document.photoKeyForStoring());
        QVERIFY(PhotoStore::isEncryptedPhoto(next));
        QVERIFY(next != encrypted);

        // Switching it off writes scrambled bitmaps, keeping the old files when asked to.
        again.prompts.yesNoAnswers << false;
        QVERIFY(again.saveTo(classFile, QStringLiteral("zwei"), false));
        const QString back = again.cell(20, 16);
        QVERIFY(back.endsWith(QLatin1String(".bmp")));
        QVERIFY(QFileInfo::exists(PhotoConverter::resolve(m_dir->path(), next)));
        QCOMPARE(comparable(
                     PhotoConverter::loadStoredPhoto(PhotoConverter::resolve(m_dir->path(), back))),
                 shown);
    }

    void encryptTickBox()
    {
        EncryptChoice choice;
        // Nothing to encrypt with while there is no password.
        choice.start(QString(), true);
        QVERIFY(!choice.enabled() && !choice.ticked());
        choice.setTicked(true);
        QVERIFY(!choice.ticked());
        choice.passwordChanged(QStringLiteral("g"));
        QVERIFY(choice.enabled() && choice.ticked());
        choice.setTicked(false);
        choice.passwordChanged(QStringLiteral("ge"));
        QVERIFY(!choice.ticked()); // the teacher's choice holds while typing
        choice.passwordChanged(QString());
        QVERIFY(!choice.enabled() && !choice.ticked());
        choice.passwordChanged(QStringLiteral("n"));
        QVERIFY(choice.ticked());

        // A file of the older kind: unticked, until the teacher ticks it.
        choice.start(QStringLiteral("geheim"), false);
        QVERIFY(choice.enabled() && !choice.ticked());
        choice.setTicked(true);
        QVERIFY(choice.ticked());

        // A new class is encrypted once it gets a password; an empty one never is.
        Session s(m_dir->path());
        QVERIFY(s.controller.encryptByDefault());
        s.document.grid().setCell(0, 16, QStringLiteral("Neumann, Ida"));
        const QString file = m_dir->filePath(QStringLiteral("neu.MWk"));
        QVERIFY(s.saveTo(file, QString(), true));
        QVERIFY(!s.document.isEncrypted());
        QVERIFY(!SecureClassFile::isEncrypted(readBytes(file)));
    }

    void toolWritesAndReadsEncrypted()
    {
        const QString path = m_dir->filePath(QStringLiteral("tool.MWk"));
        const QByteArray cells = "0\t16\tAlbrecht, Paul\n3\t16\tKlasse 7b\n5\t20\tÄ\\tB\n";
        QCOMPARE(
            TestSupport::runTool({"write", path, "--password", "pw", "--encrypt"}, cells).exitCode,
            0);
        QVERIFY(SecureClassFile::isEncrypted(readBytes(path)));

        const TestSupport::ToolRun refused = TestSupport::runTool({"dump", path});
        QCOMPARE(refused.exitCode, 3);
        QVERIFY(refused.err.contains("Das Passwort ist falsch!"));
        const TestSupport::ToolRun dump = TestSupport::runTool({"dump", path, "--password", "pw"});
        QCOMPARE(dump.exitCode, 0);
        QCOMPARE(dump.out, cells.left(cells.size() - 1) + "\n17\t599\tpw\n");

        // A command that writes back keeps the kind it read.
        QCOMPARE(TestSupport::runTool({"recompute", path, "--password", "pw"}).exitCode, 0);
        QVERIFY(SecureClassFile::isEncrypted(readBytes(path)));
        QCOMPARE(TestSupport::runTool({"write", path, "--encrypt"}, cells).exitCode, 1);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestEncryption)
#include "tst_encryption.moc"
