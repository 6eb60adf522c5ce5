#include "app/appfolders.h"
#include "app/appsettings.h"
#include "app/instancechannel.h"
#include "app/instanceguard.h"
#include "app/mainwindow.h"
#include "app/messageboxprompts.h"
#include "app/sessioncontroller.h"
#include "app/sessionrestart.h"
#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "sheetkit/hintstyle.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Markwart"));
    QApplication::setOrganizationName(QStringLiteral("Quillfen"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/markwart.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.quillfen.Markwart"));
    // Dates and numbers are German, whatever language the system speaks.
    DisplayLocale::install();
    // Markwart speaks German, so do Qt's own dialogs (file dialogs, Ja/Nein).
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    const QStringList args = app.arguments();
    InstanceGuard guard;
    if (!guard.tryAcquire()) {
        // A class opened by double-click while Markwart runs goes to the running one.
        if (args.size() > 1 && InstanceChannel::handOver(QFileInfo(args.at(1)).absoluteFilePath()))
            return 0;
        QMessageBox::information(nullptr, QStringLiteral("Markwart"),
                                 QStringLiteral("Markwart erlaubt nur eine Instanz!"));
        return 1;
    }
    SessionRestart::install(app);
    HintStyle::install();

    MainWindow::Options options;
    options.programFolder = AppFolders::programFolder();
    options.reportFolder = AppFolders::reportFolder();
    if (args.size() > 1)
        options.commandLineFile = args.at(1);
    AppFolders::ensureProgramFolder(options.programFolder);

    ClassDocument document;
    AppSettings settings;
    MessageBoxPrompts prompts;
    MainWindow window(document, settings, prompts, options);
    prompts.setParent(&window);
    window.show();

    InstanceChannel channel;
    channel.listen();
    QObject::connect(&channel, &InstanceChannel::fileHandedOver, &window,
                     [&window](const QString &path) {
                         window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
                         window.raise();
                         window.activateWindow();
                         window.controller().openClass(path);
                     });
    return app.exec();
}
