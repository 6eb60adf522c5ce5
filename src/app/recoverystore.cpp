#include "recoverystore.h"

#include "classdata/classfile.h"

#include "backupstore.h"
#include "classdata/classdocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

void copyGrid(const ClassGrid &from, ClassGrid &to)
{
    QString text;
    std::vector<uint32_t> offsets(ClassGrid::CellCount);
    std::vector<uint32_t> lengths(ClassGrid::CellCount);
    int i = 0;
    for (int column = 0; column < ClassGrid::Columns; ++column) {
        for (int row = 0; row < ClassGrid::Rows; ++row, ++i) {
            const QStringView cell = from.cellView(column, row);
            offsets[i] = uint32_t(text.size());
            lengths[i] = uint32_t(cell.size());
            text += cell;
        }
    }
    to.replaceAll(std::move(text), std::move(offsets), std::move(lengths));
}

} // namespace

RecoveryStore::RecoveryStore(const QString &programFolder)
    : m_programFolder(programFolder),
      m_folder(QDir(programFolder).filePath(QStringLiteral("Wiederherstellung")))
{}

QString RecoveryStore::copyPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("ungespeichert.MWk"));
}

QString RecoveryStore::notePath() const
{
    return QDir(m_folder).filePath(QStringLiteral("ungespeichert.txt"));
}

bool RecoveryStore::exists() const
{
    return QFileInfo(copyPath()).isFile();
}

QString RecoveryStore::classPath() const
{
    QFile note(notePath());
    if (!note.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(note.readAll()).trimmed();
}

QDateTime RecoveryStore::writtenAt() const
{
    return QFileInfo(copyPath()).lastModified();
}

bool RecoveryStore::isNewerThanClass() const
{
    const QFileInfo classFile(classPath());
    if (classPath().isEmpty() || !classFile.isFile())
        return true;
    return writtenAt() > classFile.lastModified();
}

bool RecoveryStore::write(const QByteArray &fileBytes, const QString &classPath)
{
    if (!QDir().mkpath(m_folder))
        return false;
    // The note first: a copy never names the wrong class.
    return writeWhole(notePath(), classPath.toUtf8()) && writeWhole(copyPath(), fileBytes);
}

void RecoveryStore::remove()
{
    QFile::remove(copyPath());
    QFile::remove(notePath());
}

bool RecoveryStore::keepAsBackup(BackupStore &backups)
{
    QString owner = classPath();
    if (owner.isEmpty())
        owner = QDir(m_programFolder).filePath(QStringLiteral("unbenannt.MWk"));
    const bool kept = backups.adopt(copyPath(), owner, writtenAt());
    if (kept)
        QFile::remove(notePath());
    return kept;
}

QByteArray RecoveryStore::stampedImage(const ClassDocument &document, const QString &versionMark)
{
    ClassDocument copy;
    copyGrid(document.grid(), copy.grid());
    copy.setVerbalEvaluation(document.verbalEvaluation());
    copy.setPointsMode(document.pointsMode());
    copy.setHalfDown(document.halfDown());
    copy.setPhotosVisible(document.photosVisible());
    copy.setSliderPosition(document.sliderPosition());
    const QStringList labels = document.rowLabels();
    for (int row = 1; row < labels.size(); ++row)
        copy.setRowLabel(row, labels.at(row));
    copy.setTabPositions(document.tabPositions());
    copy.stamp(versionMark);
    LoadBuffer &buffer = copy.loadBuffer();
    buffer.scrambleFrom(copy.grid());
    // The unsaved changes of an encrypted class must not lie about in the clear.
    if (document.isEncrypted()) {
        QString error;
        if (!ClassFile::seal(buffer, document.password(), document.photoKey(), &error))
            return QByteArray();
        return buffer.sealedBytes();
    }
    return buffer.fileBytes();
}
