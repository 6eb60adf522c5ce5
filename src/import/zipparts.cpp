#include "zipparts.h"

#include <QFileInfo>
#include <quazip.h>
#include <quazipfile.h>

ZipParts::ZipParts() = default;
ZipParts::~ZipParts() = default;

bool ZipParts::open(const QString &path, QString *error)
{
    m_fileName = QFileInfo(path).fileName();
    m_zip = std::make_unique<QuaZip>(path);
    if (!m_zip->open(QuaZip::mdUnzip)) {
        m_zip.reset();
        *error =
            QStringLiteral("„%1“ ist beschädigt und kann nicht gelesen werden.").arg(m_fileName);
        return false;
    }
    return true;
}

bool ZipParts::contains(const QString &name) const
{
    return m_zip && m_zip->setCurrentFile(name, QuaZip::csInsensitive);
}

bool ZipParts::read(const QString &name, QByteArray *data, QString *error)
{
    const QString damaged =
        QStringLiteral("„%1“ ist beschädigt und kann nicht gelesen werden.").arg(m_fileName);
    if (!contains(name)) {
        *error = damaged;
        return false;
    }
    QuaZipFile part(m_zip.get());
    if (!part.open(QIODevice::ReadOnly)) {
        *error = damaged;
        return false;
    }
    data->clear();
    // The size in the directory may lie; what counts is what comes out.
    char buffer[65536];
    for (;;) {
        const qint64 got = part.read(buffer, sizeof buffer);
        if (got < 0) {
            *error = damaged;
            return false;
        }
        if (got == 0)
            break;
        if (data->size() + got > MaxPartSize) {
            *error = QStringLiteral("„%1“ ist zu groß zum Einlesen.").arg(m_fileName);
            return false;
        }
        data->append(buffer, got);
    }
    part.close();
    if (part.getZipError() != UNZ_OK) {
        *error = damaged;
        return false;
    }
    return true;
}
