#include "filefingerprint.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray hashOf(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QByteArray();
    return hash.result();
}

} // namespace

FileFingerprint FileFingerprint::of(const QString &path)
{
    FileFingerprint print;
    const QFileInfo info(path);
    if (!info.isFile())
        return print;
    print.m_size = info.size();
    print.m_modified = info.lastModified();
    print.m_hash = hashOf(path);
    print.m_valid = !print.m_hash.isEmpty();
    return print;
}

bool FileFingerprint::changedOnDisk(const QString &path) const
{
    if (!m_valid)
        return false;
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    if (info.size() == m_size && info.lastModified() == m_modified)
        return false;
    // Touched but rewritten with the same bytes (a sync client) is no change.
    return info.size() != m_size || hashOf(path) != m_hash;
}
