#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What a file looked like on disk: enough to tell whether someone else (another computer
// on a shared folder, a second Markwart) has rewritten it since.
class FileFingerprint
{
public:
    FileFingerprint() = default;
    static FileFingerprint of(const QString &path);

    bool isValid() const { return m_valid; }
    // True when the file is now different. A file that has gone counts as unchanged:
    // writing it loses nothing.
    bool changedOnDisk(const QString &path) const;

private:
    bool m_valid = false;
    qint64 m_size = 0;
    QDateTime m_modified;
    QByteArray m_hash;
};
