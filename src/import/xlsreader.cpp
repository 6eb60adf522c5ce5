#include "xlsreader.h"

#include "sheetnumbers.h"

#include <QFile>
#include <QFileInfo>

#include <freexl.h>

#include <algorithm>

namespace XlsReader {

namespace {

// Closes the workbook on every way out, also after a failed open.
struct Handle
{
    const void *handle = nullptr;
    ~Handle() { freexl_close(handle); }
};

} // namespace

bool read(const QString &path, int sheet, PreviewGrid &grid, QString *error)
{
    const QString name = QFileInfo(path).fileName();
    Handle xls;
    const int opened = freexl_open(QFile::encodeName(path).constData(), &xls.handle);
    // A workbook that does not open may still tell whether a password locks it.
    Handle info;
    const bool infoOpened =
        opened != FREEXL_OK &&
        freexl_open_info(QFile::encodeName(path).constData(), &info.handle) == FREEXL_OK;
    unsigned int protection = 0;
    const void *const asked = opened == FREEXL_OK ? xls.handle : infoOpened ? info.handle : nullptr;
    if (asked && freexl_get_info(asked, FREEXL_BIFF_PASSWORD, &protection) == FREEXL_OK &&
        protection == FREEXL_BIFF_OBFUSCATED) {
        *error = QStringLiteral("„%1“ ist mit einem Kennwort geschützt. Bitte ohne Kennwort "
                                "speichern und noch einmal laden.")
                     .arg(name);
        return false;
    }
    if (opened != FREEXL_OK) {
        *error = QStringLiteral("„%1“ ist beschädigt und kann nicht gelesen werden.").arg(name);
        return false;
    }
    unsigned int sheets = 0;
    freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
    if (sheet < 1 || unsigned(sheet) > sheets ||
        freexl_select_active_worksheet(xls.handle, (unsigned short)(sheet - 1)) != FREEXL_OK) {
        *error = QStringLiteral("Die Tabelle %1 gibt es nicht; die Arbeitsmappe hat %2.")
                     .arg(sheet)
                     .arg(sheets);
        return false;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(xls.handle, &rows, &columns) != FREEXL_OK) {
        *error = QStringLiteral("„%1“ ist beschädigt und kann nicht gelesen werden.").arg(name);
        return false;
    }
    rows = std::min<unsigned>(rows, PreviewGrid::MaxRows);
    columns = std::min<unsigned short>(columns, PreviewGrid::MaxColumns);
    grid = PreviewGrid();
    for (unsigned r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(xls.handle, r, c, &value) != FREEXL_OK)
                continue;
            QString text;
            switch (value.type) {
            case FREEXL_CELL_INT:
                text = QString::number(value.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                text = SheetNumbers::formatNumber(value.value.double_value);
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_TIME:
                text = QString::fromUtf8(value.value.text_value);
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                text = SheetNumbers::isoToGermanDate(QString::fromUtf8(value.value.text_value));
                break;
            default:
                break;
            }
            if (!text.isEmpty())
                grid.setCell(c, int(r), text);
        }
    }
    grid.extend(columns, int(rows) + 2);
    return true;
}

} // namespace XlsReader
