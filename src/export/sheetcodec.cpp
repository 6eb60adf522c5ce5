#include "sheetcodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace SheetCodec {

QByteArray encode(const QList<ExportSheet> &sheets)
{
    QJsonArray list;
    for (const ExportSheet &sheet : sheets) {
        QJsonArray rows;
        for (const QList<ExportCell> &row : sheet.rows) {
            QJsonArray cells;
            for (const ExportCell &cell : row)
                cells.append(cell.isNumber ? QJsonValue(cell.number) : QJsonValue(cell.text));
            rows.append(cells);
        }
        list.append(
            QJsonObject{{QStringLiteral("name"), sheet.name}, {QStringLiteral("rows"), rows}});
    }
    return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

bool decode(const QByteArray &json, QList<ExportSheet> *sheets)
{
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parsed);
    if (parsed.error != QJsonParseError::NoError || !document.isArray())
        return false;
    sheets->clear();
    for (const QJsonValue &item : document.array()) {
        const QJsonObject object = item.toObject();
        if (!object.value(QStringLiteral("name")).isString())
            return false;
        ExportSheet sheet;
        sheet.name = object.value(QStringLiteral("name")).toString();
        for (const QJsonValue &rowValue : object.value(QStringLiteral("rows")).toArray()) {
            QList<ExportCell> row;
            for (const QJsonValue &value : rowValue.toArray()) {
                ExportCell cell;
                if (value.isDouble()) {
                    cell.isNumber = true;
                    cell.number = value.toDouble();
                } else {
                    cell.text = value.toString();
                }
                row << cell;
            }
            sheet.rows << row;
        }
        *sheets << sheet;
    }
    return true;
}

} // namespace SheetCodec
