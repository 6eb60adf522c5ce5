#include "recentclasses.h"

#include "appsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

// One settings entry: path, class and date, separated by tabs (none of them holds one).
QString encode(const RecentClasses::Entry &entry)
{
    return QStringList{entry.path, entry.className, entry.opened.toString(Qt::ISODate)}.join(u'\t');
}

bool samePath(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
               .compare(QDir::cleanPath(QFileInfo(b).absoluteFilePath()), cs) == 0;
}

} // namespace

QString RecentClasses::Entry::name() const
{
    return QFileInfo(path).completeBaseName();
}

bool RecentClasses::Entry::exists() const
{
    return QFileInfo(path).isFile();
}

QString RecentClasses::Entry::line() const
{
    QStringList parts{name()};
    if (!className.isEmpty() && className != name())
        parts << QStringLiteral("Klasse ") + className;
    parts << QDir::toNativeSeparators(path)
          << QLocale().toString(opened, QStringLiteral("dd.MM.yyyy, HH:mm"));
    QString text = parts.join(QStringLiteral("   ·   "));
    if (!exists())
        text += QStringLiteral("   (Datei fehlt)");
    return text;
}

RecentClasses::RecentClasses(AppSettings &settings) : m_settings(settings) {}

QList<RecentClasses::Entry> RecentClasses::entries() const
{
    QList<Entry> entries;
    for (const QString &stored : m_settings.recentClasses()) {
        const QStringList parts = stored.split(u'\t');
        // Entries of another form (a later version's, say) are passed over.
        if (parts.size() != 3 || parts[0].isEmpty())
            continue;
        entries.append({parts[0], parts[1], QDateTime::fromString(parts[2], Qt::ISODate)});
        if (entries.size() == Limit)
            break;
    }
    return entries;
}

void RecentClasses::remember(const QString &path, const QString &className, const QDateTime &when)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList stored{encode({absolute, className, when})};
    for (const Entry &entry : entries()) {
        if (!samePath(entry.path, absolute) && stored.size() < Limit)
            stored << encode(entry);
    }
    m_settings.setRecentClasses(stored);
}
