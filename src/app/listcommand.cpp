#include "listcommand.h"

#include "toolsupport.h"

#include "classdata/classdocument.h"
#include "classdata/userprompts.h"
#include "documents/docxwriter.h"
#include "documents/reportpage.h"
#include "reports/compactoverviewgrid.h"
#include "reports/selectionlist.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace ListCommand {

namespace {

using namespace ToolSupport;

constexpr int Ok = 0;
constexpr int BadFile = 2;

const QString List = QStringLiteral("list");
const QString Compact = QStringLiteral("compact");

struct Options
{
    bool compact = false;
    QString classPath;
    QString outPath;
    QString password;
    SelectionListOptions list;
};

void printError(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

bool readFields(const QString &text, SelectionListOptions &options, QString *error)
{
    for (const QString &name : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (name.trimmed().compare(QLatin1String("Fotos"), Qt::CaseInsensitive) == 0) {
            options.photos = true;
            continue;
        }
        const auto field = SelectionListOptions::fieldNamed(name);
        if (field == SelectionListOptions::FieldCount) {
            *error = QStringLiteral("Unbekanntes Feld: \"%1\".").arg(name.trimmed());
            return false;
        }
        options.fields[field] = true;
    }
    return true;
}

bool parse(const QStringList &args, Options &options, QString *error)
{
    options.compact = args.value(0) == Compact;
    if (args.size() < 2 || args[1].startsWith(QLatin1String("--"))) {
        *error = QStringLiteral("Es fehlt die Klassendatei.");
        return false;
    }
    options.classPath = args[1];
    QStringList known{QStringLiteral("--out"), QStringLiteral("--password")};
    if (!options.compact)
        known << QStringLiteral("--fields") << QStringLiteral("--empty")
              << QStringLiteral("--extra") << QStringLiteral("--landscape")
              << QStringLiteral("--photo-size");
    QStringList seen;
    for (int k = 2; k < args.size(); ++k) {
        const QString option = args[k];
        if (!known.contains(option)) {
            *error = QStringLiteral("Unbekannte Angabe: \"%1\".").arg(option);
            return false;
        }
        if (seen.contains(option)) {
            *error = QStringLiteral("%1 ist doppelt angegeben.").arg(option);
            return false;
        }
        seen << option;
        if (option == QLatin1String("--landscape")) {
            options.list.landscape = true;
            continue;
        }
        if (++k >= args.size()) {
            *error = QStringLiteral("Nach %1 fehlt der Wert.").arg(option);
            return false;
        }
        const QString value = args[k];
        bool ok = true;
        if (option == QLatin1String("--out"))
            options.outPath = value;
        else if (option == QLatin1String("--password"))
            options.password = value;
        else if (option == QLatin1String("--fields"))
            ok = readFields(value, options.list, error);
        else if (option == QLatin1String("--empty"))
            ok = readNumber(option, value, 0, SelectionListOptions::MaxEmptyColumns,
                            options.list.emptyColumns, error);
        else if (option == QLatin1String("--extra"))
            ok = readNumber(option, value, 0, SelectionListOptions::MaxExtraRows,
                            options.list.extraRows, error);
        else
            ok = readNumber(option, value, SelectionListOptions::MinPhotoSize,
                            SelectionListOptions::MaxPhotoSize, options.list.photoSize, error);
        if (!ok)
            return false;
    }
    return checkDocumentOrPage(options.outPath, error);
}

// The page's photos lie beside it, so that the page still shows them later.
QString photoFolderFor(const QString &pagePath)
{
    const QFileInfo page(pagePath);
    return page.absoluteDir().filePath(page.completeBaseName() + QStringLiteral("-Fotos"));
}

bool write(const ListPrint &print, const QString &path, QString *error)
{
    bool written = false;
    if (endsWith(path, ".html")) {
        written = ListPrintKit::writePhotos(print.photoFiles) && ReportPage::save(print.page, path);
    } else {
        DocxWriter writer;
        written = writer.write(print.document, path);
    }
    if (!written)
        *error = QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden.")
                     .arg(QDir::toNativeSeparators(path));
    return written;
}

} // namespace

const QString Usage = QStringLiteral(
    "        markwart-tool list DATEI --out AUSGABE.docx|AUSGABE.html [--password PW]\n"
    "              [--fields Straße,Ort,Telefon,Handy,eMail,Geburtstag,LRS,Fotos]\n"
    "              [--empty 0..22] [--extra 0..27] [--landscape] [--photo-size 15..80]\n"
    "        markwart-tool compact DATEI --out AUSGABE.docx|AUSGABE.html [--password PW]");

bool handles(const QString &command)
{
    return command == List || command == Compact;
}

int run(const QStringList &args, const ClassLoader &load, UserPrompts &prompts)
{
    Options options;
    QString error;
    if (!parse(args, options, &error)) {
        printError(error);
        printError(QStringLiteral("Aufruf:\n") + Usage);
        return BadFile;
    }
    ClassDocument document;
    const int loaded =
        load(options.classPath, options.password, document.loadBuffer(), document.grid());
    if (loaded != Ok)
        return loaded;
    document.readSettingsFromGrid();

    const QString projectFolder = QFileInfo(options.classPath).absolutePath();
    const QString photos = photoFolderFor(options.outPath);
    ListPrint print;
    if (options.compact) {
        prompts.showMessage(CompactOverviewGrid::PhotoNotice);
        if (!document.photosVisible()) {
            prompts.showMessage(CompactOverviewGrid::PhotosHiddenMessage);
            printError(QStringLiteral("Keine Übersicht geschrieben."));
            return BadFile;
        }
        CompactOverviewGrid overview(document.grid());
        overview.setProjectFolder(projectFolder);
        print = overview.build(photos);
    } else {
        SelectionList list(document.grid(), options.list);
        list.setProjectFolder(projectFolder);
        list.setPhotosVisible(document.photosVisible());
        print = list.build(photos);
    }
    if (!write(print, options.outPath, &error)) {
        printError(error);
        return BadFile;
    }
    return Ok;
}

} // namespace ListCommand
