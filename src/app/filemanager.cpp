#include "filemanager.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#ifdef MARKWART_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#endif

namespace {

bool selectInFileManager(const QString &path)
{
#if defined(Q_OS_WIN)
    // Explorer reads its switches itself; Qt's quoting of the whole argument would hide them.
    QProcess explorer;
    explorer.setProgram(QStringLiteral("explorer.exe"));
    explorer.setNativeArguments(
        QStringLiteral("/e,/select,\"%1\"").arg(QDir::toNativeSeparators(path)));
    return explorer.startDetached();
#elif defined(Q_OS_MACOS)
    return QProcess::startDetached(QStringLiteral("open"), {QStringLiteral("-R"), path});
#elif defined(MARKWART_HAVE_DBUS)
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    // Without a file manager that offers the service, the bus answers with an error at once.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
#else
    Q_UNUSED(path)
    return false;
#endif
}

} // namespace

bool FileManager::openWebPage(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool FileManager::showSelected(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return false;
    return selectInFileManager(file.absoluteFilePath()) ||
           QDesktopServices::openUrl(QUrl::fromLocalFile(file.absolutePath()));
}
