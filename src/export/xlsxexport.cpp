#include "xlsxexport.h"

#include "sheetcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

namespace XlsxExport {

namespace {

constexpr int HelperTimeout = 60000; // ms; a full class takes a fraction of a second

QString failed(const QString &path, const QString &reason)
{
    return QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden.\r%2")
        .arg(QDir::toNativeSeparators(path), reason.trimmed());
}

} // namespace

QString helperPath()
{
    const QString named = qEnvironmentVariable("MARKWART_XLSX");
    if (!named.isEmpty())
        return QFileInfo(named).isExecutable() ? named : QString();
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("markwart-xlsx.exe");
#else
    const QString name = QStringLiteral("markwart-xlsx");
#endif
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return QFileInfo(beside).isExecutable() ? beside : QString();
}

bool write(const QList<ExportSheet> &sheets, const QString &path, QString *error)
{
    const QString helper = helperPath();
    if (helper.isEmpty()) {
        if (error)
            *error = failed(path, QStringLiteral("Das Hilfsprogramm markwart-xlsx fehlt neben "
                                                 "Markwart; als CSV-Tabelle geht es auch."));
        return false;
    }

    // Written beside the target and renamed at the end, so that a failure leaves an older
    // file as it was.
    QString partPath;
    {
        QTemporaryFile part(QFileInfo(path).absoluteDir().filePath(QStringLiteral("XXXXXX.part")));
        if (!part.open()) {
            if (error)
                *error = failed(path, part.errorString());
            return false;
        }
        partPath = part.fileName();
        part.setAutoRemove(false);
    }

    QProcess process;
    process.start(helper, {partPath});
    bool written = process.waitForStarted(HelperTimeout);
    if (written) {
        process.write(SheetCodec::encode(sheets));
        process.closeWriteChannel();
        written = process.waitForFinished(HelperTimeout) &&
                  process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    if (!written) {
        process.kill();
        process.waitForFinished();
        QFile::remove(partPath);
        if (error) {
            const QString reason = QString::fromUtf8(process.readAllStandardError());
            *error = failed(path, reason.isEmpty() ? process.errorString() : reason);
        }
        return false;
    }
    QFile::remove(path);
    if (!QFile::rename(partPath, path)) {
        QFile::remove(partPath);
        if (error)
            *error =
                failed(path, QStringLiteral("Ist sie noch in einem anderen Programm geöffnet?"));
        return false;
    }
    return true;
}

} // namespace XlsxExport
