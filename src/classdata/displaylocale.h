#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// The locale dates and numbers are shown in. Markwart is German: a German system keeps its
// own variant (Austria, Switzerland), any other shows 06.12.2026 and 2,7. Code that shows
// dates or numbers formats them through QLocale(), which follows this choice once installed.
class DisplayLocale
{
public:
    static QLocale choose(const QLocale &system);
    // Makes the choice for the system the default of every QLocale().
    static void install(const QLocale &system = QLocale::system());

    // A date in the short format with the full year: 06.12.2026.
    static QString shortDate(const QDate &date);
    // A date written in the short format, with a two- or four-digit year and one or two
    // digits for day and month; an invalid date for any other text.
    static QDate readDate(const QString &text);
};
