#include "tempreportfiles.h"

#include <QDir>
#include <QFileInfo>

namespace TempReportFiles {

void removeAll(const QString &reportFolder)
{
    QDir folder(reportFolder);
    if (!folder.exists())
        return;
    // Names compare case-insensitively, as they do on Windows.
    const QStringList named = {QStringLiteral("druck.doc"),    QStringLiteral("druck.html"),
                               QStringLiteral("druck1.doc"),   QStringLiteral("sitzplan.jpg"),
                               QStringLiteral("sitzplan.bmp"), QStringLiteral("bild.bmp")};
    const auto entries =
        folder.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName().toLower();
        if (entry.isDir() && !entry.isSymLink()) {
            if (name == QLatin1String("druck"))
                QDir(entry.filePath()).removeRecursively();
        } else if (named.contains(name) || name.endsWith(QLatin1String(".doc"))) {
            QFile::remove(entry.filePath());
        }
    }
}

} // namespace TempReportFiles
