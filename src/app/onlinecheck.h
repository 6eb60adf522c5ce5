#pragma once

// Whether the computer is online, as far as the platform can tell.
namespace OnlineCheck {
// False only when the platform reports that there is no connection.
bool isOnline();
} // namespace OnlineCheck
