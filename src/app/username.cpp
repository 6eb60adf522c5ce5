#include "username.h"

#include <QRegularExpression>

namespace UserName {

QString current()
{
#ifdef Q_OS_WIN
    QString name = qEnvironmentVariable("USERNAME");
#else
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("LOGNAME");
#endif
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return name.isEmpty() ? QStringLiteral("user") : name;
}

} // namespace UserName
