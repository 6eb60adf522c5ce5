#include "classlistimport.h"

#include "previewgrid.h"

#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "classdata/userprompts.h"

const QString ClassListImport::RowCheckQuestion = QStringLiteral(
    "Evtl. gibt es einen Zeilensprung oder es werden keine Namen abgerufen, willst du trotzdem "
    "importieren?");
const QString ClassListImport::NoNameQuestion =
    QStringLiteral("Ups, es wurden keine Namen gewählt und bestätigt!\r  \rWillst du es noch "
                   "einmal versuchen?");

namespace {

constexpr int NameColumn = 0;
constexpr int ClassColumn = 1;
constexpr int BirthdayColumn = 3;
constexpr int StreetColumn = 4;
constexpr int TownColumn = 5;
constexpr int PhoneColumn = 6;
constexpr int EmailColumn = 9;
constexpr int MobileColumn = 13;

const char *const Keys[ClassListImport::FieldCount] = {
    "name", "first", "street", "postcode", "town", "phone", "email", "mobile", "class", "birthday"};

int index(ClassListImport::Field field)
{
    return int(field);
}

// The class file holds one cell per line, so a break inside a cell cannot be stored.
QString withoutBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

ClassListImport::ClassListImport(const PreviewGrid &preview, ClassGrid &grid)
    : m_preview(preview), m_grid(grid)
{
    m_columns.fill(-1);
    m_rows.fill(-1);
}

void ClassListImport::setPosition(Field field, int column, int row)
{
    m_columns[index(field)] = column;
    m_rows[index(field)] = row;
}

void ClassListImport::clearPosition(Field field)
{
    setPosition(field, -1, -1);
}

bool ClassListImport::isChosen(Field field) const
{
    return m_columns[index(field)] >= 0 && m_rows[index(field)] >= 0;
}

int ClassListImport::column(Field field) const
{
    return m_columns[index(field)];
}

int ClassListImport::row(Field field) const
{
    return m_rows[index(field)];
}

bool ClassListImport::fieldFromKey(const QString &key, Field &field)
{
    for (int i = 0; i < FieldCount; ++i) {
        if (key == QLatin1String(Keys[i])) {
            field = Field(i);
            return true;
        }
    }
    return false;
}

QString ClassListImport::sourceCell(Field field, int person) const
{
    // One cell names the class of all.
    const int offset = field == Field::Class ? 0 : person;
    return withoutBreaks(m_preview.cell(column(field), row(field) + offset));
}

void ClassListImport::write(int person, int column, const QString &text)
{
    m_grid.setCell(column, ClassDocument::dataRow(person), text);
}

ClassListImport::Result ClassListImport::apply(UserPrompts &prompts)
{
    Result result;
    const bool nameChosen = isChosen(Field::Name);
    const bool firstChosen = isChosen(Field::FirstName);
    const int nameRow = nameChosen ? row(Field::Name) : -1;
    bool rowsDiffer = false;
    for (const Field field : {Field::FirstName, Field::Street, Field::Postcode, Field::Town,
                              Field::Phone, Field::Email, Field::Mobile}) {
        if (isChosen(field) && row(field) != nameRow)
            rowsDiffer = true;
    }
    if (rowsDiffer) {
        if (!prompts.askYesNo(RowCheckQuestion))
            return result;
    } else if (!nameChosen && !firstChosen) {
        if (prompts.askYesNo(NoNameQuestion))
            return result;
    }

    struct Copy
    {
        Field field;
        int column;
    };
    static const Copy Copies[] = {{Field::Street, StreetColumn}, {Field::Phone, PhoneColumn},
                                  {Field::Email, EmailColumn},   {Field::Mobile, MobileColumn},
                                  {Field::Class, ClassColumn},   {Field::Birthday, BirthdayColumn}};

    const ClassGrid::UndoStep step(m_grid, QStringLiteral("Klassenliste importiert"));
    ClassGrid::BulkChange change(m_grid);
    for (int person = 0; person < ClassDocument::PersonCount; ++person) {
        if (nameChosen || firstChosen) {
            QString name;
            if (nameChosen && firstChosen)
                name = sourceCell(Field::FirstName, person) + QLatin1Char(' ') +
                       sourceCell(Field::Name, person);
            else
                name = sourceCell(nameChosen ? Field::Name : Field::FirstName, person);
            // Two empty cells below the list join to a lone blank, which is no name.
            if (name == QLatin1String(" "))
                name.clear();
            write(person, NameColumn, name);
            if (!name.isEmpty())
                ++result.namedPersons;
        }
        const bool postcodeChosen = isChosen(Field::Postcode);
        const bool townChosen = isChosen(Field::Town);
        if (postcodeChosen && townChosen) {
            QString town = sourceCell(Field::Postcode, person) + QLatin1Char(' ') +
                           sourceCell(Field::Town, person);
            if (town == QLatin1String(" "))
                town.clear();
            write(person, TownColumn, town);
        } else if (postcodeChosen || townChosen)
            write(person, TownColumn,
                  sourceCell(townChosen ? Field::Town : Field::Postcode, person));
        for (const Copy &copy : Copies) {
            if (isChosen(copy.field))
                write(person, copy.column, sourceCell(copy.field, person));
        }
    }
    for (int i = 0; i < FieldCount; ++i)
        result.fields += isChosen(Field(i)) ? 1 : 0;
    result.imported = true;
    return result;
}
