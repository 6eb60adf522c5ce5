#include "appsettings.h"

#include <QSettings>

namespace {
const QString Version = QStringLiteral("version");
const QString Backgr = QStringLiteral("backgr");
const QString Last = QStringLiteral("last");
const QString Bgc = QStringLiteral("bgc");
const QString LabelOffsetX = QStringLiteral("labelOffsetX");
const QString LabelOffsetY = QStringLiteral("labelOffsetY");
} // namespace

AppSettings::AppSettings()
    : m_settings(new QSettings(QStringLiteral("Quillfen"), QStringLiteral("Markwart")))
{}

AppSettings::~AppSettings()
{
    delete m_settings;
}

void AppSettings::initialize(int programVersion)
{
    // Integers become REG_DWORD values in the Windows registry.
    m_settings->setValue(Version, programVersion);
    if (!m_settings->contains(Backgr))
        m_settings->setValue(Backgr, 1);
    if (!m_settings->contains(Last))
        m_settings->setValue(Last, QString());
    if (!m_settings->contains(Bgc))
        m_settings->setValue(Bgc, 0);
    m_settings->sync();
}

QString AppSettings::last() const
{
    return m_settings->value(Last).toString();
}

void AppSettings::setLast(const QString &path)
{
    m_settings->setValue(Last, path);
    m_settings->sync();
}

void AppSettings::clearLast()
{
    if (m_settings->contains(Last))
        setLast(QString());
}

QStringList AppSettings::recentClasses() const
{
    return m_settings->value(QStringLiteral("recent")).toStringList();
}

void AppSettings::setRecentClasses(const QStringList &entries)
{
    m_settings->setValue(QStringLiteral("recent"), entries);
    m_settings->sync();
}

int AppSettings::backgroundColour() const
{
    return m_settings->value(Bgc, 0).toInt();
}

void AppSettings::setBackgroundColour(int value)
{
    m_settings->setValue(Bgc, value);
    m_settings->sync();
}

int AppSettings::seatingBackground() const
{
    return m_settings->value(Backgr, 1).toInt();
}

void AppSettings::setSeatingBackground(int value)
{
    m_settings->setValue(Backgr, value);
    m_settings->sync();
}

int AppSettings::version() const
{
    return m_settings->value(Version, 0).toInt();
}

QPointF AppSettings::labelOffset() const
{
    return QPointF(m_settings->value(LabelOffsetX, 0.0).toDouble(),
                   m_settings->value(LabelOffsetY, 0.0).toDouble());
}

void AppSettings::setLabelOffset(QPointF offset)
{
    m_settings->setValue(LabelOffsetX, offset.x());
    m_settings->setValue(LabelOffsetY, offset.y());
    m_settings->sync();
}
