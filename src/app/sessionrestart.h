#pragma once

class QGuiApplication;

// Asks the desktop session to start Markwart again at the next log-in when the user logs
// off or shuts down while it runs.
namespace SessionRestart {
void install(QGuiApplication &app);
} // namespace SessionRestart
