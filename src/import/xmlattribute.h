#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QXmlStreamReader>

// The readers look attributes up by local name: the prefixes differ between the programs
// that write the files.
namespace XmlAttribute {
QString value(const QXmlStreamAttributes &attributes, QLatin1StringView name);
inline QString value(const QXmlStreamReader &xml, QLatin1StringView name)
{
    return value(xml.attributes(), name);
}
} // namespace XmlAttribute
