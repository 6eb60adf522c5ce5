#include "docconverter.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace DocConverter {

QString toDocx(const QString &path, const QTemporaryDir &folder, QString *error)
{
    const QString name = QFileInfo(path).fileName();
    QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    if (office.isEmpty() || !folder.isValid()) {
        *error = QStringLiteral("„%1“ ist ein altes Word-Dokument, das nur mit LibreOffice "
                                "gelesen werden kann, und das ist hier nicht installiert. Bitte "
                                "die Datei zuerst als .docx oder .xlsx speichern.")
                     .arg(name);
        return QString();
    }
    // A private profile, so that a LibreOffice the teacher has open does not take the job.
    const QDir dir(folder.path());
    dir.mkpath(QStringLiteral("profile"));
    dir.mkpath(QStringLiteral("out"));
    const QString profile = QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(
        office, {QStringLiteral("--headless"), QStringLiteral("-env:UserInstallation=") + profile,
                 QStringLiteral("--convert-to"), QStringLiteral("docx"), QStringLiteral("--outdir"),
                 dir.filePath(QStringLiteral("out")), QFileInfo(path).absoluteFilePath()});
    if (process.waitForStarted(30000))
        process.waitForFinished(180000);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
    // Its exit code says little; what counts is the converted file.
    const QString converted = dir.filePath(
        QStringLiteral("out/") + QFileInfo(path).completeBaseName() + QStringLiteral(".docx"));
    if (!QFileInfo::exists(converted)) {
        *error = QStringLiteral("LibreOffice konnte „%1“ nicht umwandeln. Bitte die Datei "
                                "zuerst als .docx oder .xlsx speichern.")
                     .arg(name);
        return QString();
    }
    return converted;
}

} // namespace DocConverter
