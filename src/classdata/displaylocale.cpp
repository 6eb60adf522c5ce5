#include "displaylocale.h"

#include <QRegularExpression>

namespace {

QString fullYearFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

// Day and month numbers with one digit or two; names of days and months stay.
QString readingFormat(QString format)
{
    static const QRegularExpression day(QStringLiteral("(?<!d)dd(?!d)"));
    static const QRegularExpression month(QStringLiteral("(?<!M)MM(?!M)"));
    format.replace(day, QStringLiteral("d"));
    format.replace(month, QStringLiteral("M"));
    return format;
}

} // namespace

QLocale DisplayLocale::choose(const QLocale &system)
{
    if (system.language() == QLocale::German)
        return system;
    return QLocale(QLocale::German, QLocale::Germany);
}

void DisplayLocale::install(const QLocale &system)
{
    QLocale::setDefault(choose(system));
}

QString DisplayLocale::shortDate(const QDate &date)
{
    // Two-digit years are ambiguous in a school year's records; the year is written in full.
    return QLocale().toString(date, fullYearFormat());
}

QDate DisplayLocale::readDate(const QString &text)
{
    const QString trimmed = text.trimmed();
    const QLocale locale;
    QDate date = locale.toDate(trimmed, readingFormat(fullYearFormat()));
    if (date.isValid())
        return date;
    // Two-digit years are read in this century.
    date = locale.toDate(trimmed, readingFormat(locale.dateFormat(QLocale::ShortFormat)));
    if (date.isValid() && date.year() < 2000)
        date = date.addYears(100);
    return date;
}
