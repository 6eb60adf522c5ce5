#include "sessionrestart.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>

namespace SessionRestart {

void install(QGuiApplication &app)
{
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [](QSessionManager &manager) {
        manager.setRestartCommand({QCoreApplication::applicationFilePath()});
        manager.setRestartHint(QSessionManager::RestartIfRunning);
    });
#else
    Q_UNUSED(app);
#endif
}

} // namespace SessionRestart
