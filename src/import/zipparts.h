#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QuaZip;

// Reads parts of a zip container (xlsx, docx, ods, odt) with a cap on the unpacked size,
// so that a zip bomb cannot exhaust memory.
class ZipParts
{
public:
    static constexpr qint64 MaxPartSize = 64 * 1024 * 1024;

    ZipParts();
    ~ZipParts();

    // False with a German message when the file is no readable zip.
    bool open(const QString &path, QString *error);
    bool contains(const QString &name) const;
    // The unpacked part; false with a message when it is missing, damaged or too large.
    bool read(const QString &name, QByteArray *data, QString *error);

private:
    std::unique_ptr<QuaZip> m_zip;
    QString m_fileName;
};
