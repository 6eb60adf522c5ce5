#include "csvexport.h"

#include <QDir>
#include <QSaveFile>

namespace CsvExport {

namespace {

QString field(const QString &text)
{
    // Quoted when a separator, a quote or a line break would cut the field.
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QByteArray bytes(const ExportSheet &table)
{
    QString text;
    for (const QList<ExportCell> &row : table.rows) {
        QStringList fields;
        for (const ExportCell &cell : row)
            fields << field(cell.text);
        text += fields.join(QLatin1Char(';')) + QLatin1String("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool write(const ExportSheet &table, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes(table)) >= 0 && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden.\r%2")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

} // namespace CsvExport
