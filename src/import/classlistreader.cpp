#include "classlistreader.h"

#include "classdata/userprompts.h"
#include "csvreader.h"
#include "docconverter.h"
#include "docxreader.h"
#include "odfreader.h"
#include "xlsreader.h"
#include "xlsxreader.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

enum class Container
{
    Zip,
    Ole,
    Text,
    Other
};

// What the file really is, by its first bytes: extensions are easily changed.
Container container(const QByteArray &head)
{
    if (head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06"))
        return Container::Zip;
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return Container::Ole;
    // Text has no NUL bytes, except UTF-16 with its byte-order mark.
    if (!head.contains('\0') || head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF"))
        return Container::Text;
    return Container::Other;
}

// Word also saves RTF and web pages under .doc; LibreOffice converts those as well.
bool isWordText(const QByteArray &head)
{
    return head.startsWith("{\\rtf") || head.left(1024).toLower().contains("<html");
}

QString quoted(const QString &path)
{
    return QStringLiteral("„%1“").arg(QFileInfo(path).fileName());
}

QString damaged(const QString &path)
{
    return QStringLiteral("%1 ist beschädigt und kann nicht gelesen werden.").arg(quoted(path));
}

QString notWhatItSays(const QString &path, Container found, const QString &kind)
{
    if (found == Container::Text)
        return QStringLiteral("%1 ist keine %2, sondern eine Textdatei. Eine Liste als Text "
                              "bitte mit der Endung .csv oder .txt laden.")
            .arg(quoted(path), kind);
    if (found == Container::Ole)
        return QStringLiteral("%1 ist mit einem Kennwort geschützt oder im alten Format "
                              "gespeichert. Bitte ohne Kennwort als .xlsx oder .docx speichern "
                              "und noch einmal laden.")
            .arg(quoted(path));
    return damaged(path);
}

bool chooseTable(const QString &path, const QList<PreviewGrid> &tables, int table,
                 UserPrompts *prompts, PreviewGrid &grid, QString *error)
{
    if (tables.isEmpty()) {
        *error = QStringLiteral("In %1 steht keine Tabelle.").arg(quoted(path));
        return false;
    }
    if (table == 0 && tables.size() > 1 && prompts) {
        const QString answer = prompts->askText(
            QStringLiteral("%1 Tabellen vorhanden,...").arg(tables.size()),
            QStringLiteral(" ...wähle die gewünschte Tabelle!"), QStringLiteral("1"));
        bool ok = false;
        table = answer.trimmed().toInt(&ok);
        if (!ok)
            table = -1;
    }
    if (table == 0)
        table = 1;
    if (table < 1 || table > tables.size()) {
        *error = QStringLiteral("Eine Tabelle %1 gibt es nicht; %2 hat %3.")
                     .arg(table < 1 ? QStringLiteral("mit dieser Nummer") : QString::number(table),
                          quoted(path),
                          tables.size() == 1 ? QStringLiteral("nur eine Tabelle")
                                             : QStringLiteral("%1 Tabellen").arg(tables.size()));
        return false;
    }
    grid = tables[table - 1];
    // The document's name stands where the class is looked for.
    grid.setCell(0, 0, QFileInfo(path).completeBaseName());
    return true;
}

bool readDocx(const QString &path, const QString &shownPath, int table, UserPrompts *prompts,
              PreviewGrid &grid, QString *error)
{
    QList<PreviewGrid> tables;
    if (!DocxReader::readTables(path, tables, error))
        return false;
    return chooseTable(shownPath, tables, table, prompts, grid, error);
}

} // namespace

QStringList ClassListReader::extensions()
{
    return {QStringLiteral("xlsx"), QStringLiteral("xlsm"), QStringLiteral("xls"),
            QStringLiteral("ods"),  QStringLiteral("csv"),  QStringLiteral("txt"),
            QStringLiteral("docx"), QStringLiteral("docm"), QStringLiteral("odt"),
            QStringLiteral("doc")};
}

bool ClassListReader::isDocument(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    return extension.startsWith(QLatin1String("doc")) || extension == QLatin1String("odt");
}

bool ClassListReader::read(const QString &path, UserPrompts &prompts, PreviewGrid &grid,
                           QString *error)
{
    return read(path, 0, &prompts, grid, error);
}

bool ClassListReader::read(const QString &path, int table, PreviewGrid &grid, QString *error)
{
    return read(path, std::max(table, 1), nullptr, grid, error);
}

bool ClassListReader::read(const QString &path, int table, UserPrompts *prompts,
                           PreviewGrid &result, QString *error)
{
    // Filled aside: a file that fails halfway leaves the caller's grid as it was.
    PreviewGrid grid;
    const QString extension = QFileInfo(path).suffix().toLower();
    if (!extensions().contains(extension)) {
        *error = QStringLiteral("Das Format von %1 kann nicht gelesen werden. Lesbar sind "
                                "Tabellen als .%2.")
                     .arg(quoted(path), extensions().join(QStringLiteral(", .")));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1 kann nicht geöffnet werden.").arg(quoted(path));
        return false;
    }
    if (file.size() == 0) {
        *error = QStringLiteral("%1 ist leer.").arg(quoted(path));
        return false;
    }
    if (file.size() > MaxFileSize) {
        *error = QStringLiteral("%1 ist mit über 64 MB zu groß für eine Klassenliste.")
                     .arg(quoted(path));
        return false;
    }
    const Container found = container(file.peek(4096));
    const int sheet = std::max(table, 1);
    bool ok = false;
    bool isSheet = true;
    if (extension == QLatin1String("csv") || extension == QLatin1String("txt")) {
        if (found != Container::Text) {
            *error = QStringLiteral("%1 ist keine Textdatei. Bitte eine Tabelle unter ihrer "
                                    "eigenen Endung laden.")
                         .arg(quoted(path));
            return false;
        }
        grid = CsvReader::parse(CsvReader::decode(file.readAll()));
        ok = true;
    } else if (extension == QLatin1String("xls")) {
        // Newer workbooks are often saved under the old extension.
        if (found == Container::Zip)
            ok = XlsxReader::read(path, sheet, grid, error);
        else if (found == Container::Ole)
            ok = XlsReader::read(path, sheet, grid, error);
        else
            *error = notWhatItSays(path, found, QStringLiteral("Excel-Arbeitsmappe"));
    } else if (extension == QLatin1String("doc")) {
        isSheet = false;
        if (found == Container::Zip) {
            ok = readDocx(path, path, table, prompts, grid, error);
        } else if (found == Container::Ole || isWordText(file.peek(4096))) {
            const QTemporaryDir folder;
            const QString converted = DocConverter::toDocx(path, folder, error);
            ok = !converted.isEmpty() && readDocx(converted, path, table, prompts, grid, error);
        } else {
            *error = notWhatItSays(path, found, QStringLiteral("Word-Datei"));
        }
    } else if (found != Container::Zip) {
        const bool word = extension.startsWith(QLatin1String("doc"));
        *error = notWhatItSays(
            path, found,
            word                                ? QStringLiteral("Word-Datei")
            : extension == QLatin1String("odt") ? QStringLiteral("OpenDocument-Textdatei")
            : extension == QLatin1String("ods") ? QStringLiteral("OpenDocument-Tabelle")
                                                : QStringLiteral("Excel-Arbeitsmappe"));
    } else if (extension == QLatin1String("xlsx") || extension == QLatin1String("xlsm")) {
        ok = XlsxReader::read(path, sheet, grid, error);
    } else if (extension == QLatin1String("ods")) {
        ok = OdfReader::readSheet(path, sheet, grid, error);
    } else if (extension == QLatin1String("odt")) {
        isSheet = false;
        QList<PreviewGrid> tables;
        ok = OdfReader::readTables(path, tables, error) &&
             chooseTable(path, tables, table, prompts, grid, error);
    } else {
        isSheet = false;
        ok = readDocx(path, path, table, prompts, grid, error);
    }
    if (ok && isSheet && grid.isEmpty()) {
        *error = QStringLiteral("In %1 stehen keine Daten.").arg(quoted(path));
        return false;
    }
    if (ok)
        result = grid;
    return ok;
}
