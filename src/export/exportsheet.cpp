#include "exportsheet.h"

#include <QRegularExpression>

ExportCell ExportCell::fromText(const QString &text)
{
    ExportCell cell;
    cell.text = text;
    return cell;
}

ExportCell ExportCell::fromValue(const QString &text)
{
    // A point is no decimal separator here: "1.5" may be a date, and German texts use it to
    // group thousands. Very long digit runs would lose digits as a double; they stay text.
    static const QRegularExpression number(
        QStringLiteral("^\\s*(-?\\d{1,15}(?:,\\d{1,15})?)\\s*$"));
    ExportCell cell = fromText(text);
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return cell;
    bool ok = false;
    const double value =
        match.captured(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (ok) {
        cell.isNumber = true;
        cell.number = value;
    }
    return cell;
}

ExportCell ExportCell::fromNumber(int number)
{
    ExportCell cell;
    cell.text = QString::number(number);
    cell.isNumber = true;
    cell.number = number;
    return cell;
}
