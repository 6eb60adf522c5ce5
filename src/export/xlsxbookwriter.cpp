#include "xlsxbookwriter.h"

#include <QFile>

#include <xlsxwriter.h>

#include <algorithm>

namespace XlsxBookWriter {

namespace {

void fillSheet(lxw_worksheet *worksheet, const ExportSheet &sheet, lxw_format *bold)
{
    QList<int> widths;
    for (qsizetype r = 0; r < sheet.rows.size(); ++r) {
        const QList<ExportCell> &row = sheet.rows[r];
        for (qsizetype c = 0; c < row.size(); ++c) {
            const ExportCell &cell = row[c];
            if (widths.size() <= c)
                widths.resize(c + 1);
            widths[c] = std::max(widths[c], int(cell.text.size()));
            if (cell.isNumber)
                worksheet_write_number(worksheet, lxw_row_t(r), lxw_col_t(c), cell.number, nullptr);
            else if (!cell.text.isEmpty())
                worksheet_write_string(worksheet, lxw_row_t(r), lxw_col_t(c),
                                       cell.text.toUtf8().constData(), r == 0 ? bold : nullptr);
        }
    }
    for (qsizetype c = 0; c < widths.size(); ++c)
        worksheet_set_column(worksheet, lxw_col_t(c), lxw_col_t(c),
                             std::clamp(widths[c] + 2, 5, 40), nullptr);
    worksheet_freeze_panes(worksheet, 1, 2);
}

} // namespace

bool write(const QList<ExportSheet> &sheets, const QString &path, QString *error)
{
    lxw_workbook *workbook = workbook_new(QFile::encodeName(path).constData());
    if (!workbook) {
        *error = QStringLiteral("Kein Speicher frei.");
        return false;
    }
    lxw_format *bold = workbook_add_format(workbook);
    format_set_bold(bold);
    for (const ExportSheet &sheet : sheets) {
        lxw_worksheet *worksheet =
            workbook_add_worksheet(workbook, sheet.name.toUtf8().constData());
        if (!worksheet) {
            workbook_close(workbook);
            *error = QStringLiteral("Ungültiger Tabellenname \"%1\".").arg(sheet.name);
            return false;
        }
        fillSheet(worksheet, sheet, bold);
    }
    const lxw_error result = workbook_close(workbook);
    if (result != LXW_NO_ERROR) {
        *error = QString::fromUtf8(lxw_strerror(result));
        return false;
    }
    return true;
}

} // namespace XlsxBookWriter
