#include "app/appfolders.h"
#include "app/appsettings.h"
#include "app/instanceguard.h"
#include "app/mainwindow.h"
#include "app/messageboxprompts.h"
#include "app/sessionrestart.h"
#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "sheetkit/hintstyle.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Markwart"));
    QApplication::setOrganizationName(QStringLiteral("Quillfen"));
    // Dates and numbers are German, whatever language the system speaks.
    DisplayLocale::install();
    // Markwart speaks German, so do Qt's own dialogs (file dialogs, Ja/Nein).
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

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
