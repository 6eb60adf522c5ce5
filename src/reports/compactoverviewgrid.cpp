#include "compactoverviewgrid.h"

#include "classdata/classgrid.h"
#include "documents/listpagewriter.h"
#include "documents/reportpicture.h"
#include "photos/photoconverter.h"
#include "reportbuilder.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int PersonCount = 34;
constexpr int Blocks =
    (PersonCount + CompactOverviewGrid::Columns - 1) / CompactOverviewGrid::Columns;

QString cleaned(const QString &text)
{
    return text == QLatin1String(" ") ? QString() : text;
}

} // namespace

const QString CompactOverviewGrid::PhotoNotice = QStringLiteral(
    "Aus datenschutzrechtlichen Gründen sind Fotos nur temporär. Liste bitte sofort drucken.");
const QString CompactOverviewGrid::PhotosHiddenMessage =
    QStringLiteral("Fotos dürfen nicht angezeigt werden - das würde keine schöne Übersicht :-) ");

CompactOverviewGrid::CompactOverviewGrid(const ClassGrid &grid)
    : m_className(ListPrintKit::className(grid))
{
    for (int person = 0; person < PersonCount; ++person) {
        const int row = person * 17 + 16;
        m_names << cleaned(grid.cell(0, row));
        m_photos << cleaned(grid.cell(20, row));
    }
}

int CompactOverviewGrid::rowCount() const
{
    int rows = 0;
    for (int block = 0; block < Blocks; ++block)
        for (int c = 0; c < Columns && block * Columns + c < PersonCount; ++c)
            if (!name(block * Columns + c).isEmpty())
                rows = 2 * (block + 1);
    return rows;
}

ListPrint CompactOverviewGrid::build(const QString &photoFolder) const
{
    const int rows = rowCount();
    PrintTable table(Columns, rows);
    PrintTable page(Columns, rows);
    ListPrint out;
    ReportDocument::Table documentTable;
    const QString empty = QDir(photoFolder).filePath(QStringLiteral("leer.bmp"));
    const QImage placeholder = ReportPicture::placeholder();
    out.photoFiles.push_back({empty, placeholder, {}});
    const QSize pictureSize(PictureWidth, PictureHeight);

    for (int row = 0; row + 1 < rows; row += 2) {
        const int block = row / 2;
        for (int c = 0; c < Columns; ++c) {
            const int person = block * Columns + c;
            if (person >= PersonCount)
                break;
            const QString personName = name(person);
            table.setCell(c, row + 1, personName);
            page.setCell(c, row + 1, personName.toHtmlEscaped());

            const QString stored = m_photos.at(person);
            if (stored.isEmpty() && personName.isEmpty())
                continue;
            QImage picture;
            QString target = empty;
            const QString file = PhotoConverter::resolve(m_projectFolder, stored);
            if (!stored.isEmpty() && !personName.isEmpty() && QFileInfo(file).isFile()) {
                const QString own = QDir(ListPrintKit::personFolder(photoFolder, person))
                                        .filePath(ListPrintKit::fileName(stored));
                if (ListPrintKit::isStoredBitmap(stored)) {
                    picture = PhotoConverter::loadStoredPhoto(file);
                    if (!picture.isNull())
                        out.photoFiles.push_back({own, picture, {}});
                } else {
                    picture = QImage(file);
                    if (!picture.isNull())
                        out.photoFiles.push_back({own, {}, file});
                }
                if (!picture.isNull())
                    target = own;
            }
            if (picture.isNull())
                picture = placeholder;
            page.setCell(c, row, ListPageWriter::compactPicture(target, block == 0));
            documentTable.cellPictures[{c, row}].image =
                ListPrintKit::letterbox(picture, pictureSize);
        }
    }

    page.setDefaultRowHeight(PrintTable::DefaultRowHeight);
    page.setControlWidth(180 + 20 * (Columns - 1));
    ListPageWriter::WriteCompactListHtml(page, out.page, 1);

    table.setDefaultColumnWidth(PictureWidth);
    documentTable.grid = table;
    // Fitted to the portraits, not spread over the page.
    documentTable.fitToPageWidth = false;
    documentTable.cellAlignment = ReportDocument::Alignment::Center;
    documentTable.fontFace = QStringLiteral("Arial");
    out.document.table = std::move(documentTable);
    out.document.page.margins = {30, 30, 28, 5};
    out.table = table;
    out.documentName = ReportBuilder::fileNamePart(QStringLiteral("Übersicht ") + m_className);
    return out;
}
