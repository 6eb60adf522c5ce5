// markwart-xlsx PATH: writes the sheets read as JSON from stdin as an Excel workbook to PATH.
// Markwart starts it to export a class; its message on failure goes to stderr.

#include "sheetcodec.h"
#include "xlsxbookwriter.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fputs("Aufruf: markwart-xlsx DATEI.xlsx < Tabellen.json\n", stderr);
        return 2;
    }
    QFile in;
    QList<ExportSheet> sheets;
    if (!in.open(stdin, QIODevice::ReadOnly) || !SheetCodec::decode(in.readAll(), &sheets)) {
        std::fputs("Die Tabellen sind nicht lesbar.\n", stderr);
        return 2;
    }
    QString error;
    if (!XlsxBookWriter::write(sheets, args[1], &error)) {
        std::fputs(error.toUtf8().constData(), stderr);
        std::fputc('\n', stderr);
        return 1;
    }
    return 0;
}
