#include "classlistimportform.h"

#include "classlistreader.h"

#include "classdata/userprompts.h"

#include <QFileInfo>

const QString ClassListImportForm::Caption = QStringLiteral("Importieren einer Klassenliste");

const QString ClassListImportForm::Conditions = QStringLiteral(
    "Eine Klassenliste wird aus einer Tabelle übernommen, ohne abzutippen. Gelesen werden "
    "Excel-Arbeitsmappen (.xlsx, .xlsm, .xls), OpenDocument-Tabellen (.ods), Textlisten (.csv, "
    ".txt) und die Tabellen in Word- und OpenDocument-Texten (.docx, .docm, .odt; ein altes "
    ".doc nur, wenn LibreOffice installiert ist). Office muss dazu nicht installiert sein.\n\n"
    "Voraussetzung: Die Daten stehen in Spalten, eine Person pro Zeile, zum Beispiel Name, "
    "Vorname, Straße, PLZ, Ort, Telefon, Geburtstag. Aus einer Arbeitsmappe wird das erste "
    "Tabellenblatt gelesen; hat ein Dokument mehrere Tabellen, wird nach der gewünschten "
    "gefragt.\n\n"
    "So geht's: Tabelle laden, in der Vorschau das erste Feld einer Kategorie anklicken und "
    "mit [Feld bestätigen] übernehmen, für jede gewünschte Kategorie, dann [ Importieren]. "
    "Übernommen werden höchstens 34 Personen; die gewählten Spalten der Personendaten werden "
    "dabei überschrieben. Bis zum Speichern ist nichts endgültig.\n\n"
    "Eine Tabelle mit Kennwortschutz bitte vorher ohne Kennwort speichern.");

const QString ClassListImportForm::Instruction = QStringLiteral(
    "Wähle durch klicken das jeweils erste (obere) Feld der Kategorie (nicht die Überschrift)  "
    "und bestätige die Eingabe per [Feld bestätigen!]");

const QStringList ClassListImportForm::FieldCaptions = {
    QStringLiteral("Nachname / vollerName:"),
    QStringLiteral("Vorname falls eigene Spalte:"),
    QStringLiteral("Straße:"),
    QStringLiteral("PLZ falls eigene Spalte:"),
    QStringLiteral("Ort:"),
    QStringLiteral("Telefon:"),
    QStringLiteral("eMail:"),
    QStringLiteral("Handy:"),
    QStringLiteral("Klasse:"),
    QStringLiteral("Geburtstag:")};

ClassListImportForm::ClassListImportForm(ClassGrid &grid, UserPrompts &prompts)
    : m_prompts(prompts), m_import(m_preview, grid)
{}

bool ClassListImportForm::load(const QString &folder)
{
    const QString filter = QStringLiteral("Klassenliste suchen (*.%1);;Alle Dateien (*)")
                               .arg(ClassListReader::extensions().join(QStringLiteral(" *.")));
    const QString path =
        m_prompts.chooseFileToOpen(QStringLiteral("Tabelle laden"), filter, folder);
    return !path.isEmpty() && loadFile(path);
}

bool ClassListImportForm::loadFile(const QString &path)
{
    QString error;
    PreviewGrid read;
    if (!ClassListReader::read(path, m_prompts, read, &error)) {
        m_prompts.showMessage(error);
        return false;
    }
    reset();
    m_preview = read;
    m_loaded = true;
    // A document's name stands in its first cell, so that it names the class unless the
    // teacher chooses another cell.
    if (ClassListReader::isDocument(path))
        m_import.setPosition(Field::Class, 0, 0);
    return true;
}

void ClassListImportForm::setCurrentCell(int column, int row)
{
    m_currentColumn = column;
    m_currentRow = row;
}

void ClassListImportForm::confirm(Field field)
{
    if (m_loaded)
        m_import.setPosition(field, m_currentColumn, m_currentRow);
}

QString ClassListImportForm::columnText(Field field) const
{
    return m_import.isChosen(field) ? QString::number(m_import.column(field)) : QString();
}

QString ClassListImportForm::rowText(Field field) const
{
    return m_import.isChosen(field) ? QString::number(m_import.row(field)) : QString();
}

bool ClassListImportForm::importList()
{
    if (!m_loaded || !m_import.apply(m_prompts).imported)
        return false;
    reset();
    return true;
}

void ClassListImportForm::reset()
{
    m_preview = PreviewGrid();
    m_loaded = false;
    m_currentColumn = 0;
    m_currentRow = 0;
    for (int field = 0; field < ClassListImport::FieldCount; ++field)
        m_import.clearPosition(Field(field));
}
