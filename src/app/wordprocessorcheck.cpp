#include "wordprocessorcheck.h"

#include <QString>
#include <QtGlobal>

#if defined(Q_OS_WIN)
#include <QSettings>
#elif !defined(Q_OS_MACOS)
#include <QProcess>
#include <QStringList>
#endif

namespace WordProcessorCheck {

bool namesProgram(const QByteArray &xdgMimeOutput)
{
    // One desktop entry id ("libreoffice-writer.desktop"); anything else is a complaint.
    const QByteArray first = xdgMimeOutput.trimmed().split('\n').value(0).trimmed();
    return first.size() > int(sizeof(".desktop") - 1) && first.endsWith(".desktop") &&
           !first.contains(' ');
}

#if defined(Q_OS_WIN)

static QString registryDefault(const QString &key)
{
    return QSettings(QStringLiteral("HKEY_CLASSES_ROOT\\") + key, QSettings::NativeFormat)
        .value(QStringLiteral("Default"))
        .toString();
}

bool isInstalled()
{
    // .docx names a program id, and that id has a command to open with.
    const QString programId = registryDefault(QStringLiteral(".docx"));
    return !programId.isEmpty() &&
           !registryDefault(programId + QStringLiteral("\\shell\\open\\command")).isEmpty();
}

#elif defined(Q_OS_MACOS)

bool isInstalled()
{
    // Every Mac opens Word documents (TextEdit at least).
    return true;
}

#else

bool isInstalled()
{
    QProcess query;
    query.setProcessChannelMode(QProcess::SeparateChannels);
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"),
                 QStringLiteral(
                     "application/vnd.openxmlformats-officedocument.wordprocessingml.document")});
    if (!query.waitForStarted(1000))
        return false; // no xdg-mime: no desktop to ask
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(500);
        return false;
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return false;
    return namesProgram(query.readAllStandardOutput());
}

#endif

} // namespace WordProcessorCheck
