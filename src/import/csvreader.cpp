#include "csvreader.h"

#include <QStringDecoder>

namespace CsvReader {

QString decode(const QByteArray &data)
{
    if (const auto bom = QStringConverter::encodingForData(data)) {
        QStringDecoder decoder(*bom);
        return decoder.decode(data);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    return windows.decode(data);
}

namespace {

QChar separator(const QString &text)
{
    int semicolons = 0;
    int commas = 0;
    int tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\n')
            break;
        else if (c == u';')
            ++semicolons;
        else if (c == u',')
            ++commas;
        else if (c == u'\t')
            ++tabs;
    }
    if (tabs > semicolons && tabs > commas)
        return u'\t';
    if (commas > semicolons)
        return u',';
    return u';';
}

} // namespace

PreviewGrid parse(const QString &input)
{
    QString text = input;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    const QChar sep = separator(text);
    PreviewGrid grid;
    int row = 0;
    int column = 0;
    int lastRow = -1;
    QString field;
    // Whether the field holds only blanks so far; asked at every quote, so kept rather than
    // looked up in a field that may be long.
    bool blank = true;
    bool quoted = false;
    bool wasQuoted = false;
    auto endField = [&] {
        if (!field.isEmpty()) {
            grid.setCell(column, row, wasQuoted ? field : field.trimmed());
            lastRow = row;
        }
        grid.extend(column + 1, 0);
        field.clear();
        blank = true;
        wasQuoted = false;
    };
    const auto append = [&](QChar c) {
        field.append(c);
        blank = blank && c.isSpace();
    };
    for (qsizetype i = 0; i < text.size() && row < PreviewGrid::MaxRows; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                append(c);
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                append(text[++i]);
            else
                quoted = false;
        } else if (c == u'"' && blank) {
            field.clear();
            quoted = wasQuoted = true;
        } else if (c == sep) {
            endField();
            ++column;
        } else if (c == u'\n') {
            endField();
            ++row;
            column = 0;
        } else {
            append(c);
        }
    }
    endField();
    PreviewGrid result = grid;
    result.trim();
    const int columns = result.columns();
    result.extend(columns, lastRow + 1 + 2);
    return result;
}

} // namespace CsvReader
