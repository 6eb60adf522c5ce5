#pragma once

#include <QString>

namespace UserName {
// The login name of the current user, made safe for use in a file name.
QString current();
} // namespace UserName
