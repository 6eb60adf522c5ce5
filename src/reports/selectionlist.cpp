#include "selectionlist.h"

#include "classdata/classgrid.h"
#include "documents/listpagewriter.h"
#include "documents/reportpicture.h"
#include "photos/photoconverter.h"
#include "reportbuilder.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

struct FieldInfo
{
    const char *caption;
    const char *heading;
    int column;
};

// In list order.
constexpr FieldInfo Fields[SelectionListOptions::FieldCount] = {
    {"Straße", "Straße:", 4}, {"Ort", "Ort:", 5},     {"Telefon", "Telefon:", 6},
    {"Handy:", "Handy:", 13}, {"eMail", "eMail:", 9}, {"Geburtsdatum", "Geburtstag:", 3},
    {"LRS", "LRS:", 7},
};

constexpr int PersonCount = 34;
constexpr int PhotoCell = 20;

int dataRow(int person)
{
    return person * 17 + 16;
}

// Round to nearest, halves to even, of numerator / denominator (both positive).
int roundHalfEven(int numerator, int denominator)
{
    const int whole = numerator / denominator;
    const int twice = 2 * (numerator % denominator);
    if (twice > denominator || (twice == denominator && whole % 2 == 1))
        return whole + 1;
    return whole;
}

QString withoutColon(QString text)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

// Pixels of a column in the Word document, from the longest text in it.
int estimatedWidth(const PrintTable &table, int column, int minimum)
{
    int longest = 0;
    for (int row = 1; row < table.rowCount(); ++row)
        longest = std::max(longest, int(table.cell(column, row).size()));
    return std::max(minimum, longest * 7 + 8);
}

} // namespace

const QString SelectionList::NoPhotoText = QStringLiteral("Leider kein Foto hinterlegt!");

QString SelectionListOptions::caption(Field field)
{
    return QString::fromUtf8(Fields[field].caption);
}

QString SelectionListOptions::heading(Field field)
{
    return QString::fromUtf8(Fields[field].heading);
}

int SelectionListOptions::cellColumn(Field field)
{
    return Fields[field].column;
}

SelectionListOptions::Field SelectionListOptions::fieldNamed(const QString &name)
{
    const QString wanted = withoutColon(name);
    for (int n = 0; n < FieldCount; ++n) {
        const auto field = Field(n);
        if (wanted.compare(withoutColon(caption(field)), Qt::CaseInsensitive) == 0 ||
            wanted.compare(withoutColon(heading(field)), Qt::CaseInsensitive) == 0)
            return field;
    }
    return FieldCount;
}

SelectionList::SelectionList(const ClassGrid &grid, SelectionListOptions options)
    : m_grid(grid), m_options(options)
{
    m_options.emptyColumns =
        std::clamp(m_options.emptyColumns, 0, SelectionListOptions::MaxEmptyColumns);
    m_options.extraRows = std::clamp(m_options.extraRows, 0, SelectionListOptions::MaxExtraRows);
    m_options.photoSize = std::clamp(m_options.photoSize, SelectionListOptions::MinPhotoSize,
                                     SelectionListOptions::MaxPhotoSize);
}

QVector<int> SelectionList::persons() const
{
    QVector<int> listed;
    for (int person = 0; person < PersonCount; ++person)
        if (ListPrintKit::isListed(m_grid.cell(0, dataRow(person))))
            listed << person;
    return listed;
}

int SelectionList::firstEmptyColumn() const
{
    return 2 + int(std::count(m_options.fields.begin(), m_options.fields.end(), true));
}

int SelectionList::photoColumn() const
{
    return m_options.photos ? firstEmptyColumn() + m_options.emptyColumns : -1;
}

int SelectionList::columnCount() const
{
    return firstEmptyColumn() + m_options.emptyColumns + (m_options.photos ? 1 : 0);
}

int SelectionList::rowCount() const
{
    return 2 + int(persons().size()) + m_options.extraRows;
}

QSize SelectionList::photoPixels(int photoSize)
{
    return QSize(roundHalfEven(photoSize * 16, 10), roundHalfEven(photoSize * 225, 100));
}

int SelectionList::rowHeight(int rows, bool landscape)
{
    return rows > 0 ? (landscape ? 470 : 740) / rows : 0;
}

QString SelectionList::topicHeading(int emptyColumns, bool photos)
{
    if (emptyColumns <= (photos ? 4 : 5))
        return QStringLiteral("Thema:");
    if (photos || emptyColumns <= 15)
        return QStringLiteral("Th.");
    return QStringLiteral("T.");
}

ListPrint SelectionList::build(const QString &photoFolder) const
{
    const QString className = ListPrintKit::className(m_grid);
    const QVector<int> listed = persons();
    const int columns = columnCount();
    const int rows = rowCount();

    // The table as the document shows it; the page gets HTML in the same places.
    PrintTable table(columns, rows);
    PrintTable page(columns, rows);
    auto set = [&](int column, int row, const QString &text) {
        table.setCell(column, row, text);
        page.setCell(column, row, text.toHtmlEscaped());
    };
    set(0, 0, QLatin1Char(' ') + className);
    table.setCell(1, 0, QStringLiteral("© Layout by Quillfen"));
    page.setCell(1, 0, ListPageWriter::credit());
    set(0, 1, QStringLiteral(" Nr.:"));
    set(1, 1, QStringLiteral(" Name:"));
    for (int row = 2; row < rows; ++row)
        set(0, row, QString::number(row - 1));
    for (int i = 0; i < listed.size(); ++i)
        set(1, 2 + i, m_grid.cell(0, dataRow(listed[i])));

    int column = 2;
    for (int n = 0; n < SelectionListOptions::FieldCount; ++n) {
        const auto field = SelectionListOptions::Field(n);
        if (!m_options.fields[field])
            continue;
        set(column, 1, SelectionListOptions::heading(field));
        for (int i = 0; i < listed.size(); ++i)
            set(column, 2 + i,
                m_grid.cell(SelectionListOptions::cellColumn(field), dataRow(listed[i])));
        ++column;
    }

    ListPrint out;
    ReportDocument::Table documentTable;
    const int photos = photoColumn();
    if (photos >= 0) {
        const QSize size = photoPixels(m_options.photoSize);
        for (int i = 0; i < listed.size(); ++i) {
            const int person = listed[i];
            const int row = 2 + i;
            const QString stored = m_grid.cell(PhotoCell, dataRow(person));
            const QString folder = ListPrintKit::personFolder(photoFolder, person);
            const QString target = QDir(folder).filePath(
                stored.isEmpty() ? QString() : ListPrintKit::fileName(stored));
            page.setCell(photos, row, ListPageWriter::listPicture(target));
            const QString file = PhotoConverter::resolve(m_projectFolder, stored);
            const bool exists = !stored.isEmpty() && QFileInfo(file).isFile();
            QImage picture;
            if (ListPrintKit::isStoredBitmap(stored)) {
                if (exists)
                    picture =
                        m_photosVisible ? PhotoConverter::loadStoredPhoto(file) : QImage(file);
                // A missing or unreadable photo shows the empty portrait.
                if (picture.isNull())
                    picture = ReportPicture::placeholder();
                picture = ListPrintKit::letterbox(picture, size);
                out.photoFiles.push_back({target, picture, {}});
            } else if (exists) {
                // Older classes keep plain pictures: the page shows the file as it is.
                out.photoFiles.push_back({target, {}, file});
                const QImage plain(file);
                if (!plain.isNull())
                    picture = ListPrintKit::letterbox(plain, size);
            }
            if (picture.isNull()) {
                table.setCell(photos, row, NoPhotoText);
                documentTable.format(photos, row).fontSize = 6;
            } else
                documentTable.cellPictures[{photos, row}].image = picture;
        }
    }

    // The page: every column as the writer sets it, all rows of one height.
    page.setDefaultRowHeight(PrintTable::DefaultRowHeight);
    page.setControlWidth(180 + 20 * (columns - 1));
    ListPageWriter::WriteSelectionListHtml(page, out.page, 1);

    // The document: the topics over the empty columns, rows sharing the page.
    const int firstEmpty = firstEmptyColumn();
    const QString topic = topicHeading(m_options.emptyColumns, m_options.photos);
    for (int c = firstEmpty; c < firstEmpty + m_options.emptyColumns; ++c)
        table.setCell(c, 0, topic);
    for (int c = 0; c < columns; ++c) {
        int width = estimatedWidth(table, c, 24);
        if (c >= firstEmpty && c < firstEmpty + m_options.emptyColumns)
            width = 60;
        else if (c == photos)
            // Room for the small notice where a photo is missing.
            width = std::max(photoPixels(m_options.photoSize).width() + 8, 64);
        table.setColumnWidth(c, width);
    }
    documentTable.grid = table;
    documentTable.fitToPageWidth = true;
    documentTable.cellAlignment = ReportDocument::Alignment::Left;
    documentTable.fontFace = QStringLiteral("Arial");
    // With photos a row grows with its picture.
    documentTable.setAllRowsHeight(rowHeight(rows, m_options.landscape), photos < 0);
    out.document.table = std::move(documentTable);
    out.document.page.orientation = m_options.landscape ? ReportDocument::Orientation::Landscape
                                                        : ReportDocument::Orientation::Portrait;
    out.document.page.margins = {55, 20, photos >= 0 ? 20.0 : 49.0, 10};
    out.table = table;
    out.documentName = ReportBuilder::fileNamePart(QStringLiteral("Liste der ") + className);
    return out;
}
