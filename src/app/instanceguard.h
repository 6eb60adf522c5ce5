#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Keeps a second Markwart of the same user from running: a lock file in the temporary
// folder, released when the process ends (also when it crashes; a stale lock is taken over).
class InstanceGuard
{
public:
    explicit InstanceGuard(const QString &lockFolder = QString());
    ~InstanceGuard();

    bool tryAcquire();
    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
