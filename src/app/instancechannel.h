#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// How a second start reaches the Markwart already running: it hands over the class file it
// was given, and the running one opens it. Only the instance holding the InstanceGuard
// listens, so a name left behind by a crashed one may be taken over.
class InstanceChannel : public QObject
{
    Q_OBJECT

public:
    // Per user, like the instance lock.
    static QString defaultName();

    explicit InstanceChannel(const QString &name = defaultName(), QObject *parent = nullptr);
    ~InstanceChannel() override;

    bool listen();

    // From the second start: true once the running instance has taken the path.
    static bool handOver(const QString &path, const QString &name = defaultName(),
                         int timeoutMs = 3000);

signals:
    void fileHandedOver(const QString &path);

private:
    void accept();

    QString m_name;
    QLocalServer *m_server;
};
