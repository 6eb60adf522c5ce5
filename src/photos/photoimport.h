#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class ClassGrid;

// Takes a whole folder of portraits (as a school photographer delivers them) for the persons
// of a class: a picture whose file name is a person's name becomes that person's photo, stored
// as the photo dialog stores it.
namespace PhotoImport {

struct Assignment
{
    int person;   // index
    QString file; // file name within the folder
};

struct Result
{
    QList<Assignment> stored;
    // Pictures whose name matched a person who could not be given a photo (unreadable
    // picture, no class known, the file could not be written).
    QList<Assignment> failed;
    // Pictures for a person who already got one from an earlier file of the folder.
    QStringList surplus;
    // Pictures whose name matched nobody.
    QStringList unmatched;
};

// A name or file name reduced to what the match compares: lower case, umlauts and ß written
// out (ae, oe, ue, ss), words separated by single blanks (blanks, underscores and commas
// separate words).
QString comparable(const QString &text);

// Whether a file's base name names the person: "Nachname Vorname" or "Vorname Nachname", for
// a name kept as "Nachname, Vorname" or typed without a comma.
bool nameMatches(const QString &personName, const QString &fileBaseName);

// Scales every matching picture in `folder` with the search variant at `zoom` (stepped up
// until the frame is filled), frames it from its top edge, centred across, and stores it
// below `projectFolder` for the class in the person's class cell (or the class of the list's
// first person). The grid takes the new paths. With a photo key the photos are encrypted.
Result run(ClassGrid &grid, const QString &folder, const QString &projectFolder, int zoom = 20,
           const QDate &day = QDate::currentDate(), const QByteArray &photoKey = QByteArray());

// The outcome as lines for the teacher.
QStringList describe(const Result &result, const ClassGrid &grid);

} // namespace PhotoImport
