#include "instanceguard.h"

#include "username.h"

#include <QDir>
#include <QLockFile>

InstanceGuard::InstanceGuard(const QString &lockFolder)
{
    const QDir folder(lockFolder.isEmpty() ? QDir::tempPath() : lockFolder);
    m_path = folder.filePath(QStringLiteral("Markwart-%1.lock").arg(UserName::current()));
    m_lock = std::make_unique<QLockFile>(m_path);
    m_lock->setStaleLockTime(0); // only a dead owner makes the lock stale
}

InstanceGuard::~InstanceGuard() = default;

bool InstanceGuard::tryAcquire()
{
    return m_lock->isLocked() || m_lock->tryLock(0);
}
