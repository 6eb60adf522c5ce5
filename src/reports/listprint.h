#pragma once

#include "documents/printtable.h"
#include "documents/reportdocument.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

class ClassGrid;

// A photo the page of a list needs on disk: a picture saved as a bitmap, or a file copied
// as it is.
struct ListPhotoFile
{
    QString path;
    QImage image;     // saved as a 24-bit bitmap when set
    QString copyFrom; // copied unchanged otherwise
};

// A marking list or photo overview, made from the class alone: the table as the document
// shows it, the page for the browser with the photos it points at, and the Word document
// with the photos inside.
struct ListPrint
{
    PrintTable table;
    QStringList page;
    ReportDocument document;
    // The Word document's file name without folder and extension.
    QString documentName;
    std::vector<ListPhotoFile> photoFiles;
};

namespace ListPrintKit {
// Where the unscrambled photos of a page go: "Druck" in the report folder.
QString photoFolder(const QString &reportFolder);
// The folder of one person's photo; person counts from 0.
QString personFolder(const QString &photoFolder, int person);

// The class named in a list: the first person's class.
QString className(const ClassGrid &grid);
// A name that is neither empty nor a single blank.
bool isListed(const QString &name);
// Whether a stored photo path names a scrambled bitmap.
bool isStoredBitmap(const QString &storedPath);
// The file name of a stored path, whichever separator it uses.
QString fileName(const QString &storedPath);

// The picture scaled to fit the size, its proportions kept, centred on a pale background.
QImage letterbox(const QImage &picture, const QSize &size);

// Writes every photo file, creating the folders; false when one could not be written.
bool writePhotos(const std::vector<ListPhotoFile> &files);
} // namespace ListPrintKit
