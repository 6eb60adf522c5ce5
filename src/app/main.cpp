#include "app/appfolders.h"
#include "app/appsettings.h"
#include "app/hintstyle.h"
#include "app/instanceguard.h"
#include "app/mainwindow.h"
#include "app/messageboxprompts.h"
#include "app/sessionrestart.h"
#include "classdata/classdocument.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Markwart"));
    QApplication::setOrganizationName(QStringLiteral("Quillfen"));

    InstanceGuard guard;
    if (!guard.tryAcquire()) {
        QMessageBox::information(nullptr, QStringLiteral("Markwart"),
                                 QStringLiteral("Markwart erlaubt nur eine Instanz!"));
        return 1;
    }
    SessionRestart::install(app);
    HintStyle::install();

    MainWindow::Options options;
    options.programFolder = AppFolders::programFolder();
    options.reportFolder = AppFolders::reportFolder();
    const QStringList args = app.arguments();
    if (args.size() > 1)
        options.commandLineFile = args.at(1);
    AppFolders::ensureProgramFolder(options.programFolder);

    ClassDocument document;
    AppSettings settings;
    MessageBoxPrompts prompts;
    MainWindow window(document, settings, prompts, options);
    prompts.setParent(&window);
    window.show();
    return app.exec();
}
