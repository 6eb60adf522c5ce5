#include "sheetnumbers.h"

#include <QDate>

#include <cmath>

namespace SheetNumbers {

namespace {

// The first section of a format code without quoted text, escapes and [..] parts (colours,
// locales, elapsed time), which may contain letters that are no date codes.
QString plainCode(const QString &code)
{
    QString out;
    bool quoted = false;
    int bracket = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (quoted) {
            quoted = c != u'"';
            continue;
        }
        if (c == u'"') {
            quoted = true;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            ++bracket;
        } else if (c == u']') {
            bracket = std::max(0, bracket - 1);
        } else if (c == u';' && bracket == 0) {
            break;
        } else if (bracket == 0) {
            out.append(c.toLower());
        }
    }
    return out;
}

} // namespace

bool isDateFormat(int formatId, const QString &formatCode)
{
    if (formatCode.isEmpty())
        return (formatId >= 14 && formatId <= 17) || formatId == 22 ||
               (formatId >= 27 && formatId <= 36) || (formatId >= 50 && formatId <= 58);
    const QString code = plainCode(formatCode);
    if (code == QLatin1String("general") || code == QLatin1String("standard"))
        return false;
    // "t" and "j" are the German day and year codes.
    return code.contains(u'd') || code.contains(u'y') || code.contains(u't') || code.contains(u'j');
}

QString serialToGermanDate(double serial, bool date1904)
{
    if (!std::isfinite(serial) || serial < 0 || serial > 2958465)
        return QString();
    qint64 days = qint64(std::floor(serial));
    QDate date;
    if (date1904) {
        date = QDate(1904, 1, 1).addDays(days);
    } else {
        if (days < 1)
            return QString();
        // Day 60 is the 29.02.1900 that the 1900 system counts; later days are one too many.
        if (days == 60)
            return QStringLiteral("29.02.1900");
        if (days > 60)
            --days;
        date = QDate(1899, 12, 31).addDays(days);
    }
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString isoToGermanDate(const QString &iso)
{
    const QDate date = QDate::fromString(iso.left(10), Qt::ISODate);
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : iso;
}

QString formatNumber(double value, const QString &formatCode)
{
    if (!std::isfinite(value))
        return QString();
    const bool whole = std::floor(value) == value && std::fabs(value) < 1e15;
    if (whole) {
        QString digits = QString::number(qint64(std::fabs(value)));
        const QString code = plainCode(formatCode);
        // A code of zeros only ("00000") keeps leading zeros: postcodes, customer numbers.
        if (!code.isEmpty() && code.count(u'0') == code.size())
            digits = digits.rightJustified(code.size(), u'0');
        return value < 0 ? u'-' + digits : digits;
    }
    QString text = QString::number(value, 'g', 15);
    text.replace(u'.', u',');
    return text;
}

} // namespace SheetNumbers
