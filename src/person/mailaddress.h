#pragma once

#include <QString>
#include <QUrl>

class ClassGrid;

// The "mailto:" links handed to the user's mail program. Addresses are not checked, only
// percent-encoded so that "+", blanks and the like reach the mail program unchanged.
namespace MailAddress {

// "mailto:" + the address; an empty address gives "mailto:" alone.
QUrl toPerson(const QString &address);

// "mailto:?bcc=" + collectAll(grid): every address as a blind copy.
QUrl toAll(const ClassGrid &grid);

// The e-mail cells of all persons in list order, empty ones skipped, each followed by ";".
QString collectAll(const ClassGrid &grid);

} // namespace MailAddress
