#include "classexport.h"

#include "csvexport.h"
#include "sheetnames.h"
#include "xlsxexport.h"

#include "classdata/classgrid.h"

namespace {

constexpr int PersonCount = 34;
constexpr int BlockRows = 17;
constexpr int SubjectCount = 14;
constexpr int TopicRow = 600;

int dataRow(int person)
{
    return person * BlockRows + 16;
}

struct PersonField
{
    const char *heading;
    int column;
};

// The person page's fields, in its order.
constexpr PersonField PersonFields[] = {
    {"Klasse", 1},  {"Geburtsdatum", 3}, {"Straße", 4}, {"PLZ Ort", 5},
    {"Telefon", 6}, {"Handy", 13},       {"eMail", 9},  {"LRS", 7},
};

constexpr int OralAverage = 31;
constexpr int WrittenAverage = 43;
constexpr int FinalValue = 44;
constexpr int GradeText = 45;

QList<ExportCell> headings(const QStringList &texts)
{
    QList<ExportCell> row;
    for (const QString &text : texts)
        row << ExportCell::fromText(text);
    return row;
}

} // namespace

ClassExport::ClassExport(const ClassGrid &grid) : m_grid(grid)
{
    m_subjectNames << QString();
    for (int k = 1; k <= SubjectCount; ++k)
        m_subjectNames << grid.cell(0, k);
    m_pointsMode = grid.cell(15, 599) == QLatin1String("ja");
}

ClassExport::ClassExport(const ClassGrid &grid, const QStringList &subjectNames, bool pointsMode)
    : m_grid(grid), m_subjectNames(subjectNames), m_pointsMode(pointsMode)
{}

QString ClassExport::cell(int column, int row) const
{
    return m_grid.cell(column, row);
}

QList<int> ClassExport::persons() const
{
    QList<int> persons;
    for (int i = 0; i < PersonCount; ++i)
        if (!cell(0, dataRow(i)).trimmed().isEmpty())
            persons << i;
    return persons;
}

QList<int> ClassExport::namedSubjects() const
{
    QList<int> subjects;
    for (int k = 1; k <= SubjectCount; ++k)
        if (!m_subjectNames.value(k).trimmed().isEmpty())
            subjects << k;
    return subjects;
}

QList<ExportCell> ClassExport::personStart(int person) const
{
    return {ExportCell::fromNumber(person + 1), ExportCell::fromText(cell(0, dataRow(person)))};
}

ExportSheet ClassExport::personSheet() const
{
    ExportSheet sheet;
    QStringList texts{QStringLiteral("Nr."), QStringLiteral("Name")};
    for (const PersonField &field : PersonFields)
        texts << QString::fromUtf8(field.heading);
    sheet.rows << headings(texts);
    for (int person : persons()) {
        QList<ExportCell> row = personStart(person);
        for (const PersonField &field : PersonFields)
            row << ExportCell::fromText(cell(field.column, dataRow(person)));
        sheet.rows << row;
    }
    return sheet;
}

ExportSheet ClassExport::subjectSheet(int subject) const
{
    const QList<int> people = persons();
    const int topicRow = TopicRow + subject;
    auto used = [&](int column) {
        if (!cell(column, topicRow).isEmpty())
            return true;
        for (int person : people)
            if (!cell(column, person * BlockRows + subject).isEmpty())
                return true;
        return false;
    };

    // Every result column that holds a topic or a result, under its topic; the averages,
    // the final value and the grade always.
    QList<int> columns;
    QStringList texts{QStringLiteral("Nr."), QStringLiteral("Name")};
    auto addResults = [&](int first, int last, const QString &part) {
        for (int c = first; c <= last; ++c) {
            if (!used(c))
                continue;
            columns << c;
            const QString topic = cell(c, topicRow);
            texts << (topic.isEmpty() ? QStringLiteral("%1 %2").arg(part).arg(c - first + 1)
                                      : topic);
        }
    };
    addResults(1, 30, QStringLiteral("mündlich"));
    columns << OralAverage;
    texts << QStringLiteral("Schnitt mündlich");
    addResults(32, 42, QStringLiteral("schriftlich"));
    columns << WrittenAverage << FinalValue << GradeText;
    texts << QStringLiteral("Schnitt schriftlich")
          << (m_pointsMode ? QStringLiteral("Punkte") : QStringLiteral("Note"))
          << (m_pointsMode ? QStringLiteral("Note") : QStringLiteral("Notensyst."));

    ExportSheet sheet;
    sheet.rows << headings(texts);
    for (int person : people) {
        QList<ExportCell> row = personStart(person);
        for (int c : columns)
            row << ExportCell::fromValue(cell(c, person * BlockRows + subject));
        sheet.rows << row;
    }
    return sheet;
}

ExportSheet ClassExport::absenceSheet() const
{
    ExportSheet sheet;
    sheet.rows << headings(
        {QStringLiteral("Nr."), QStringLiteral("Name"), QStringLiteral("1. HJ. Fehlstunden gesamt"),
         QStringLiteral("1. HJ. davon unentschuldigt"), QStringLiteral("2. HJ. Fehlstunden gesamt"),
         QStringLiteral("2. HJ. davon unentschuldigt")});
    for (int person : persons()) {
        QList<ExportCell> row = personStart(person);
        for (int column : {47, 48, 108, 109})
            row << ExportCell::fromValue(cell(column, dataRow(person)));
        sheet.rows << row;
    }
    return sheet;
}

QList<ExportSheet> ClassExport::workbook() const
{
    const QList<int> subjects = namedSubjects();
    // The fixed sheets keep their names; a subject of the same name gives way.
    QStringList wanted{QStringLiteral("Personen"), QStringLiteral("Fehlzeiten")};
    for (int k : subjects)
        wanted << m_subjectNames.value(k);
    const QStringList names = SheetNames::make(wanted);

    QList<ExportSheet> sheets;
    sheets << personSheet();
    sheets.last().name = names[0];
    for (qsizetype i = 0; i < subjects.size(); ++i) {
        sheets << subjectSheet(subjects[i]);
        sheets.last().name = names[i + 2];
    }
    sheets << absenceSheet();
    sheets.last().name = names[1];
    return sheets;
}

ExportSheet ClassExport::summary() const
{
    ExportSheet table = personSheet();
    table.name = QStringLiteral("Klasse");
    const QList<int> subjects = namedSubjects();
    for (int k : subjects) {
        const QString name = m_subjectNames.value(k).trimmed();
        table.rows[0] << ExportCell::fromText(name);
        if (m_pointsMode)
            table.rows[0] << ExportCell::fromText(name + QStringLiteral(" Note"));
    }
    const QList<int> people = persons();
    for (qsizetype r = 0; r < people.size(); ++r) {
        for (int k : subjects) {
            const int row = people[r] * BlockRows + k;
            table.rows[r + 1] << ExportCell::fromValue(cell(FinalValue, row));
            if (m_pointsMode)
                table.rows[r + 1] << ExportCell::fromText(cell(GradeText, row));
        }
    }
    return table;
}

bool ClassExport::write(const QString &path, QString *error) const
{
    if (path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return XlsxExport::write(workbook(), path, error);
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return CsvExport::write(summary(), path, error);
    if (error)
        *error =
            QStringLiteral("Die Exportdatei muss auf .xlsx oder .csv enden: \"%1\".").arg(path);
    return false;
}
