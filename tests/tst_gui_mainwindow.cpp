// The main window driven with real key and mouse events on the offscreen platform.

#include "app/appsettings.h"
#include "app/mainwindow.h"
#include "classdata/classdocument.h"
#include "classdata/classfile.h"
#include "classdata/loadbuffer.h"
#include "classdata/passworddialog.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TestSupport::cellOf;

// A main window over its own document, settings and scripted prompts.
struct Shell
{
    explicit Shell(const QString &programFolder)
    {
        options.programFolder = programFolder;
        options.reportFolder = programFolder + QStringLiteral("/tmp");
        options.today = QDate(2026, 12, 6);
        window = std::make_unique<MainWindow>(document, settings, prompts, options);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    QPushButton *button(const char *name) const
    {
        return window->findChild<QPushButton *>(QLatin1String(name));
    }
    PasswordDialog *dialog() const { return window->passwordDialog(); }

    void loadWithPassword(const QString &path, const QString &password)
    {
        prompts.filesToOpen << path;
        QTest::mouseClick(button("loadButton"), Qt::LeftButton);
        QVERIFY(dialog()->isVisible());
        QVERIFY(dialog()->loadButton()->isVisible());
        QVERIFY(!dialog()->saveButton()->isVisible());
        QTest::keyClicks(dialog()->field(), password);
        QTest::mouseClick(dialog()->loadButton(), Qt::LeftButton);
    }

    ClassDocument document;
    AppSettings settings;
    ScriptedPrompts prompts;
    MainWindow::Options options;
    std::unique_ptr<MainWindow> window;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void windowHasItsPagesInOrder();
    void loadThroughPasswordDialog();
    void saveWithSaveButton();
    void passwordToggleShowsText();
    void saveOnClose();
    void closingRightAfterLoadAsksNothing();
    void closeOfNewClassWaitsForSaveDialog();
    void tabOrderTravelsWithClass();

private:
    QTemporaryDir m_programDir;
    QTemporaryDir m_classDir;
    QString m_class;
};

void TestMainWindow::init()
{
    TestSupport::isolateSettings();
    m_class = m_classDir.filePath(QStringLiteral("7b.MWk"));
    TestSupport::writeClass(m_class, {{0, 16, QStringLiteral("Şahin, Elif")},
                                      {10, 33, QStringLiteral("Neu")},
                                      {17, 599, QStringLiteral("geheim")},
                                      {16, 50, QStringLiteral("14")},
                                      {16, 254, QStringLiteral("2")}});
}

void TestMainWindow::windowHasItsPagesInOrder()
{
    Shell shell(m_programDir.path());
    QCOMPARE(shell.window->size(), QSize(1165, 745));
    QTabWidget *tabs = shell.window->tabs();
    QCOMPARE(tabs->count(), 18);
    QCOMPARE(tabs->tabText(0), QStringLiteral("&Person"));
    QCOMPARE(tabs->tabText(14), QStringLiteral("Fach 14"));
    QCOMPARE(tabs->tabText(15), QStringLiteral("Übersicht"));
    QCOMPARE(tabs->tabText(16), QStringLiteral("Kursbuch 1.HJ."));
    QCOMPARE(tabs->tabText(17), QStringLiteral("Kursbuch 2. HJ."));
    QVERIFY(!tabs->isTabVisible(15));
    QVERIFY(tabs->isTabVisible(16));
    // No class files in the program folder: no open dialog at the first paint.
    QVERIFY(shell.prompts.openFolders.isEmpty());
}

void TestMainWindow::loadThroughPasswordDialog()
{
    Shell shell(m_programDir.path());
    shell.loadWithPassword(m_class, QStringLiteral("falsch"));
    QCOMPARE(shell.prompts.messages, {QStringLiteral("Das Passwort ist falsch!")});
    QVERIFY(shell.dialog()->isVisible());
    QCOMPARE(shell.document.grid().cell(0, 16), QString());

    shell.dialog()->field()->clear();
    QTest::keyClicks(shell.dialog()->field(), QStringLiteral("geheim"));
    QTest::mouseClick(shell.dialog()->loadButton(), Qt::LeftButton);
    QVERIFY(!shell.dialog()->isVisible());
    QCOMPARE(shell.document.grid().cell(0, 16), QStringLiteral("Şahin, Elif"));
    QCOMPARE(shell.window->tabs()->currentIndex(), 0);
}

void TestMainWindow::saveWithSaveButton()
{
    Shell shell(m_programDir.path());
    shell.document.grid().setCell(0, 16, QStringLiteral("Łukasz"));
    QTest::mouseClick(shell.button("saveButton"), Qt::LeftButton);
    QVERIFY(shell.dialog()->isVisible());
    QVERIFY(shell.dialog()->saveButton()->isVisible());
    QVERIFY(!shell.dialog()->loadButton()->isVisible());

    const QString target = m_classDir.filePath(QStringLiteral("neu.MWk"));
    shell.prompts.filesToSaveTo << target;
    QTest::keyClicks(shell.dialog()->field(), QStringLiteral("abc"));
    QTest::keyClick(shell.dialog()->field(), Qt::Key_Return);
    QTRY_VERIFY(!shell.dialog()->isVisible());
    QCOMPARE(cellOf(target, 0, 16), QStringLiteral("Łukasz"));
    QCOMPARE(cellOf(target, 17, 599), QStringLiteral("abc"));
    QVERIFY(shell.document.isSaved());
}

void TestMainWindow::passwordToggleShowsText()
{
    Shell shell(m_programDir.path());
    QTest::mouseClick(shell.button("saveButton"), Qt::LeftButton);
    QLineEdit *field = shell.dialog()->field();
    QPushButton *toggle = shell.dialog()->toggleButton();
    QCOMPARE(toggle->text(), QStringLiteral("aBc123"));
    QCOMPARE(field->echoMode(), QLineEdit::Password);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), QStringLiteral("###"));
    QCOMPARE(field->echoMode(), QLineEdit::Normal);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), QStringLiteral("aBc123"));
    QCOMPARE(field->echoMode(), QLineEdit::Password);
}

void TestMainWindow::saveOnClose()
{
    Shell shell(m_programDir.path());
    shell.loadWithPassword(m_class, QStringLiteral("geheim"));
    shell.document.grid().setCell(2, 16, QStringLiteral("2026/27"));
    shell.prompts.yesNoAnswers << true;
    QTest::mouseClick(shell.button("endButton"), Qt::LeftButton);
    QVERIFY(!shell.window->isVisible());
    QCOMPARE(shell.prompts.questions, {QStringLiteral("Änderungen speichern?")});
    QCOMPARE(cellOf(m_class, 2, 16), QStringLiteral("2026/27"));
    QCOMPARE(cellOf(m_class, 10, 33), QStringLiteral("53"));
}

void TestMainWindow::closingRightAfterLoadAsksNothing()
{
    Shell shell(m_programDir.path());
    shell.loadWithPassword(m_class, QStringLiteral("geheim"));
    QVERIFY(shell.window->close());
    QVERIFY(shell.prompts.questions.isEmpty());
}

void TestMainWindow::closeOfNewClassWaitsForSaveDialog()
{
    Shell shell(m_programDir.path());
    shell.document.grid().setCell(0, 16, QStringLiteral("Neu, Nina"));
    shell.prompts.yesNoAnswers << true;
    QVERIFY(!shell.window->close());
    QVERIFY(shell.window->isVisible());
    QVERIFY(shell.dialog()->isVisible());

    const QString target = m_classDir.filePath(QStringLiteral("nina.MWk"));
    shell.prompts.filesToSaveTo << target;
    QTest::mouseClick(shell.dialog()->saveButton(), Qt::LeftButton);
    QTRY_VERIFY(!shell.window->isVisible());
    QCOMPARE(cellOf(target, 0, 16), QStringLiteral("Neu, Nina"));
}

void TestMainWindow::tabOrderTravelsWithClass()
{
    Shell shell(m_programDir.path());
    shell.loadWithPassword(m_class, QStringLiteral("geheim"));
    // Pages 3 ("Fach 2") and 15 ("Fach 14") were stored with their places swapped.
    QCOMPARE(shell.window->tabs()->indexOf(shell.window->page(3)), 14);
    QCOMPARE(shell.window->tabs()->indexOf(shell.window->page(15)), 2);
    QCOMPARE(shell.window->tabs()->tabText(0), QStringLiteral("&Person"));

    shell.window->tabs()->tabBar()->moveTab(5, 2);
    const QVector<int> moved = shell.window->tabPositions();
    const QString target = m_classDir.filePath(QStringLiteral("tabs.MWk"));
    shell.prompts.filesToSaveTo << target;
    QTest::mouseClick(shell.button("saveButton"), Qt::LeftButton);
    QTest::mouseClick(shell.dialog()->saveButton(), Qt::LeftButton);
    for (int k = 0; k < 18; ++k)
        QCOMPARE(cellOf(target, 16, k * 17 + 16), QString::number(moved[k]));
}

QTEST_MAIN(TestMainWindow)
#include "tst_gui_mainwindow.moc"
