#include "xmlattribute.h"

namespace XmlAttribute {

QString value(const QXmlStreamAttributes &attributes, QLatin1StringView name)
{
    for (const QXmlStreamAttribute &a : attributes)
        if (a.name() == name)
            return a.value().toString();
    return QString();
}

} // namespace XmlAttribute
