#include "diskfull.h"

#include <QFileDevice>

#include <algorithm>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#endif

namespace DiskFull {

bool explains(const QFileDevice &failed)
{
#ifdef Q_OS_WIN
    const int codes[] = {ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL};
#elif defined(EDQUOT)
    const int codes[] = {ENOSPC, EDQUOT};
#else
    const int codes[] = {ENOSPC};
#endif
    // A file device keeps only the system's wording of its last error, so compare that.
    const QString reason = failed.errorString();
    return std::any_of(std::begin(codes), std::end(codes),
                       [&](int code) { return qt_error_string(code) == reason; });
}

} // namespace DiskFull
