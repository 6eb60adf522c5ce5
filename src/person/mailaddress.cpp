#include "mailaddress.h"

#include "classdata/classgrid.h"
#include "personpage.h"

#include <QByteArray>
#include <QStringList>

#include <utility>

namespace MailAddress {

namespace {

constexpr int Persons = 34;

// The non-empty e-mail cells of the person data rows, in list order.
QStringList addresses(const ClassGrid &grid)
{
    QStringList list;
    for (int person = 0; person < Persons; ++person) {
        QString address = grid.cell(PersonPage::Email, person * 17 + 16);
        if (!address.isEmpty())
            list << std::move(address);
    }
    return list;
}

// Some mail programs read "+" as a blank, so it is encoded like everything but "@".
QByteArray encoded(const QString &address)
{
    return QUrl::toPercentEncoding(address, QByteArrayLiteral("@"));
}

} // namespace

QUrl toPerson(const QString &address)
{
    return QUrl::fromEncoded(QByteArrayLiteral("mailto:") + encoded(address), QUrl::StrictMode);
}

QUrl toAll(const ClassGrid &grid)
{
    QByteArray link = QByteArrayLiteral("mailto:?bcc=");
    for (const QString &address : addresses(grid))
        link += encoded(address) + ';';
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

QString collectAll(const ClassGrid &grid)
{
    QString list;
    for (const QString &address : addresses(grid))
        list += address + u';';
    return list;
}

} // namespace MailAddress
