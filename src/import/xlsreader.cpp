#include "xlsreader.h"

#include "isolatedcall.h"
#include "sheetnumbers.h"

#include <QDataStream>
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

enum class Outcome : qint32
{
    Read,
    Protected,
    Damaged,
    NoSuchSheet,
};

struct Result
{
    Outcome outcome = Outcome::Damaged;
    quint32 sheets = 0;
    PreviewGrid grid;
};

Result readWorkbook(const QByteArray &path, int sheet)
{
    Result result;
    Handle xls;
    const int opened = freexl_open(path.constData(), &xls.handle);
    // A workbook that does not open may still tell whether a password locks it.
    Handle info;
    const bool infoOpened =
        opened != FREEXL_OK && freexl_open_info(path.constData(), &info.handle) == FREEXL_OK;
    unsigned int protection = 0;
    const void *const asked = opened == FREEXL_OK ? xls.handle : infoOpened ? info.handle : nullptr;
    if (asked && freexl_get_info(asked, FREEXL_BIFF_PASSWORD, &protection) == FREEXL_OK &&
        protection == FREEXL_BIFF_OBFUSCATED) {
        result.outcome = Outcome::Protected;
        return result;
    }
    if (opened != FREEXL_OK)
        return result;
    unsigned int sheets = 0;
    freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
    result.sheets = sheets;
    if (sheet < 1 || unsigned(sheet) > sheets ||
        freexl_select_active_worksheet(xls.handle, (unsigned short)(sheet - 1)) != FREEXL_OK) {
        result.outcome = Outcome::NoSuchSheet;
        return result;
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(xls.handle, &rows, &columns) != FREEXL_OK)
        return result;
    rows = std::min<unsigned>(rows, PreviewGrid::MaxRows);
    columns = std::min<unsigned short>(columns, PreviewGrid::MaxColumns);
    PreviewGrid &grid = result.grid;
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
    result.outcome = Outcome::Read;
    return result;
}

QByteArray encoded(const Result &result)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(result.outcome) << result.sheets << qint32(result.grid.columns())
        << qint32(result.grid.rows());
    for (int r = 0; r < result.grid.rows(); ++r)
        for (int c = 0; c < result.grid.columns(); ++c)
            if (!result.grid.cell(c, r).isEmpty())
                out << qint32(c) << qint32(r) << result.grid.cell(c, r);
    return bytes;
}

Result decoded(const QByteArray &bytes)
{
    Result result;
    QDataStream in(bytes);
    qint32 outcome = 0;
    qint32 columns = 0;
    qint32 rows = 0;
    in >> outcome >> result.sheets >> columns >> rows;
    if (in.status() != QDataStream::Ok || outcome < 0 || outcome > qint32(Outcome::NoSuchSheet))
        return Result();
    result.outcome = Outcome(outcome);
    while (!in.atEnd()) {
        qint32 c = 0;
        qint32 r = 0;
        QString text;
        in >> c >> r >> text;
        if (in.status() != QDataStream::Ok)
            return Result();
        result.grid.setCell(c, r, text);
    }
    result.grid.extend(columns, rows);
    return result;
}

// libfreexl trusts the lengths in a workbook more than it should: a damaged file can make it
// write past its buffers, or loop. It reads apart from the program, which gets the cells back.
Result readIsolated(const QByteArray &path, int sheet)
{
    QByteArray bytes;
    if (!IsolatedCall::run([&] { return encoded(readWorkbook(path, sheet)); }, 20000, &bytes))
        return Result();
    return decoded(bytes);
}

} // namespace

bool read(const QString &path, int sheet, PreviewGrid &grid, QString *error)
{
    const QString name = QFileInfo(path).fileName();
    const Result result = readIsolated(QFile::encodeName(path), sheet);
    switch (result.outcome) {
    case Outcome::Read:
        grid = result.grid;
        return true;
    case Outcome::Protected:
        *error = QStringLiteral("„%1“ ist mit einem Kennwort geschützt. Bitte ohne Kennwort "
                                "speichern und noch einmal laden.")
                     .arg(name);
        return false;
    case Outcome::NoSuchSheet:
        *error = QStringLiteral("Die Tabelle %1 gibt es nicht; die Arbeitsmappe hat %2.")
                     .arg(sheet)
                     .arg(result.sheets);
        return false;
    case Outcome::Damaged:
        break;
    }
    *error = QStringLiteral("„%1“ ist beschädigt und kann nicht gelesen werden.").arg(name);
    return false;
}

} // namespace XlsReader
