#pragma once

class QFileDevice;

// Whether a failed write ran out of room on its storage (a full disk or an exhausted
// quota). The only place that knows how each platform reports that.
namespace DiskFull {
bool explains(const QFileDevice &failed);
} // namespace DiskFull
