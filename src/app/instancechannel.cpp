#include "instancechannel.h"

#include "username.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace {

// A path is short; anything longer is not one of ours.
constexpr qint64 MaxMessage = 64 * 1024;
const QByteArray Taken = "ok\n";

} // namespace

QString InstanceChannel::defaultName()
{
    // A socket file in the temporary folder, beside the report folder "Markwart-<user>".
    return QStringLiteral("Markwart-%1.socket").arg(UserName::current());
}

InstanceChannel::InstanceChannel(const QString &name, QObject *parent)
    : QObject(parent), m_name(name), m_server(new QLocalServer(this))
{
    // Only this user may hand over files.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::accept);
}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::listen()
{
    if (m_server->listen(m_name))
        return true;
    // A crashed instance leaves its socket file behind; we hold the lock, so it is stale.
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void InstanceChannel::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > MaxMessage)
                    socket->abort();
                return;
            }
            const QString path = QString::fromUtf8(socket->readLine(MaxMessage)).trimmed();
            socket->write(Taken);
            socket->flush();
            socket->disconnectFromServer();
            // The running instance may ask questions now; the caller is answered first.
            if (!path.isEmpty())
                QMetaObject::invokeMethod(
                    this, [this, path] { emit fileHandedOver(path); }, Qt::QueuedConnection);
        });
    }
}

bool InstanceChannel::handOver(const QString &path, const QString &name, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (socket.bytesAvailable() < Taken.size()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.read(Taken.size()) == Taken;
}
