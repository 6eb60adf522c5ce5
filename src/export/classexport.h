#pragma once

#include "exportsheet.h"

#include <QList>
#include <QString>
#include <QStringList>

class ClassGrid;

// The whole class for a spreadsheet, built from the class cells alone: the person data,
// one sheet per named subject and the missed lessons. Free slots are left out.
class ClassExport
{
public:
    // Subject names and grade mode as the class cells keep them.
    explicit ClassExport(const ClassGrid &grid);
    // Names of subjects 1..14 at indices 1..14 (an open class keeps them outside the cells
    // until it is saved) and the grade mode in use.
    ClassExport(const ClassGrid &grid, const QStringList &subjectNames, bool pointsMode);

    // "Personen", a sheet for every named subject, "Fehlzeiten".
    QList<ExportSheet> workbook() const;
    // One table: the person data and every named subject's final value (in points mode also
    // its grade), for a CSV file.
    ExportSheet summary() const;

    // Writes the workbook (.xlsx) or the summary (.csv), by the path's ending; false with a
    // German message otherwise.
    bool write(const QString &path, QString *error) const;

    // The persons with a name, as indices 0..33 in list order.
    QList<int> persons() const;
    // Subjects 1..14 whose name is not blank.
    QList<int> namedSubjects() const;

private:
    ExportSheet personSheet() const;
    ExportSheet subjectSheet(int subject) const;
    ExportSheet absenceSheet() const;
    // "Nr." and "Name" of a person row.
    QList<ExportCell> personStart(int person) const;
    QString cell(int column, int row) const;

    const ClassGrid &m_grid;
    QStringList m_subjectNames;
    bool m_pointsMode = false;
};
