#include "sheetnames.h"

#include <QSet>

namespace SheetNames {

namespace {

// Cuts to `length` UTF-16 units without splitting a surrogate pair.
QString cut(const QString &text, int length)
{
    if (text.size() <= length)
        return text;
    if (length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

} // namespace

QString clean(const QString &name, const QString &fallback)
{
    QString text;
    for (const QChar c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c) || c.category() == QChar::Other_Control)
            text += QLatin1Char('_');
        else
            text += c;
    }
    text = cut(text.trimmed(), MaxLength).trimmed();
    if (text.startsWith(QLatin1Char('\'')))
        text[0] = QLatin1Char('_');
    if (text.endsWith(QLatin1Char('\'')))
        text[text.size() - 1] = QLatin1Char('_');
    return text.isEmpty() ? fallback : text;
}

QStringList make(const QStringList &wanted, const QString &fallback)
{
    // Excel keeps "History" for itself.
    QSet<QString> taken{QStringLiteral("history")};
    QStringList names;
    for (const QString &name : wanted) {
        const QString base = clean(name, fallback);
        QString unique = base;
        for (int n = 2; taken.contains(unique.toLower()); ++n) {
            const QString suffix = QStringLiteral(" (%1)").arg(n);
            unique = cut(base, MaxLength - int(suffix.size())).trimmed() + suffix;
        }
        taken.insert(unique.toLower());
        names << unique;
    }
    return names;
}

} // namespace SheetNames
