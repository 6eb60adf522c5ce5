// The main window driven with real key and mouse events on the offscreen platform.

#include "app/messageboxprompts.h"
#include "app/passworddialog.h"
#include "guishell.h"

#include <functional>

using TestSupport::cellOf;

namespace {

struct Shell : GuiShell
{
    PasswordDialog *dialog() const { return window->passwordDialog(); }
    void click(const char *button) { ::click(child<QPushButton>(window.get(), button)); }

    void load(const QString &path, const QString &password)
    {
        prompts.filesToOpen << path;
        click("loadButton");
        QVERIFY(dialog()->loadButton()->isVisible() && !dialog()->saveButton()->isVisible());
        QTest::keyClicks(dialog()->field(), password);
        QTest::mouseClick(dialog()->loadButton(), Qt::LeftButton);
    }
};

// Waits for the next message box, reads its buttons and answers it with `answer`.
void answerNextBox(QStringList *buttons, std::function<void(QMessageBox *)> answer)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        for (QAbstractButton *button : box->buttons())
            *buttons << button->text();
        QTest::qWait(80);
        answer(box);
    });
    timer->start(50);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_classDir;
    QString m_class;

private slots:
    void init()
    {
        TestSupport::isolateSettings();
        m_class = m_classDir.filePath("7b.MWk");
        // Pages 3 ("Fach 2") and 15 ("Fach 14") are stored with their places swapped.
        TestSupport::writeClass(m_class, {{0, 16, "Şahin, Elif"},
                                          {10, 33, "Neu"},
                                          {17, 599, "geheim"},
                                          {16, 50, "14"},
                                          {16, 254, "2"}});
    }

    void newClass()
    {
        // A window that has shown no class yet, in place of the shell's own.
        Shell shell;
        shell.reopen();
        QCOMPARE(shell.window->size(), QSize(1165, 745));
        QTabWidget *tabs = shell.window->tabs();
        QCOMPARE(tabs->count(), 18);
        QStringList captions;
        for (int n : {0, 1, 14, 15, 16, 17})
            captions << tabs->tabText(n);
        QCOMPARE(captions.join(u'|'),
                 "&Person|Fach 1|Fach 14|Übersicht|Kursbuch 1.HJ.|Kursbuch 2. HJ.");
        QVERIFY(!tabs->isTabVisible(15) && tabs->isTabVisible(16));
        // No class files in the program folder: no open dialog at the first paint.
        QVERIFY(shell.prompts.openFolders.isEmpty());

        // Closing a class that was never saved waits for the save dialog.
        shell.document.grid().setCell(0, 16, "Neu, Nina");
        shell.prompts.yesNoAnswers << true;
        QVERIFY(!shell.window->close());
        QVERIFY(shell.window->isVisible() && shell.dialog()->isVisible());

        const QString target = m_classDir.filePath("nina.MWk");
        shell.prompts.filesToSaveTo << target;
        QTest::mouseClick(shell.dialog()->saveButton(), Qt::LeftButton);
        QTRY_VERIFY(!shell.window->isVisible());
        QCOMPARE(cellOf(target, 0, 16), "Neu, Nina");
    }

    void questionsAreNeverAnsweredByEscape()
    {
        // The program as it runs: real message boxes over the main window.
        Shell shell;
        MessageBoxPrompts prompts;
        shell.reopen(nullptr, &prompts);
        prompts.setParent(shell.window.get());
        auto *name = child<QLineEdit>(shell.window.get(), "nameField");
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name, "Neu, Nina");
        QVERIFY(!shell.document.isSaved());

        QStringList buttons;
        answerNextBox(&buttons, [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); });
        shell.click("endButton");
        QVERIFY(shell.window->isVisible());
        buttons.sort();
        QCOMPARE(buttons.join(u'|'), "Abbrechen|Ja|Nein");

        // The close box of the question cancels the load: no open dialog, the class stays.
        buttons.clear();
        answerNextBox(&buttons, [](QMessageBox *box) { box->close(); });
        shell.click("loadButton");
        QVERIFY(!buttons.isEmpty());
        QVERIFY(!shell.window->findChild<QFileDialog *>());
        QCOMPARE(shell.cell(0, 16), "Neu, Nina");
        QVERIFY(!shell.document.isSaved());

        answerNextBox(&buttons, [](QMessageBox *box) { box->button(QMessageBox::No)->click(); });
        shell.click("endButton");
        QVERIFY(!shell.window->isVisible());
    }

    void placementAndFirstHint()
    {
        // The offscreen screen is lower than 840 pixels: top at 10, left edge kept visible.
        ClassDocument empty;
        Shell shell;
        QCOMPARE(shell.window->pos(), QPoint(0, 10));
        QCOMPARE(MainWindow::placement({0, 0, 1366, 768}, {0, 0, 1366, 740}, {1165, 745}),
                 QPoint(100, 10));
        QCOMPARE(MainWindow::placement({0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {1165, 745}),
                 QPoint(377, 147));

        // A first start without any class: a hint says what to do, until a name is typed.
        QVERIFY(!shell.window->startHint()->isVisible());
        shell.reopen(&empty);
        QTRY_VERIFY(shell.window->startHint()->isVisible());
        QCOMPARE(shell.window->size(), QSize(1165, 745));
        QVERIFY(shell.window->startHint()->text().startsWith("Noch keine Klasse geöffnet"));
        if (!qEnvironmentVariableIsEmpty("MARKWART_SHOTS"))
            shell.window->grab().save(qEnvironmentVariable("MARKWART_SHOTS") + "/firststart.png");
        auto *name = child<QLineEdit>(shell.window.get(), "nameField");
        name->setFocus();
        for (QChar c : QStringLiteral("Ute")) {
            QTest::keyClick(name, c.toLatin1());
            QTest::qWait(40);
        }
        QTRY_VERIFY(!shell.window->startHint()->isVisible());
    }

    void saveWithSaveButton()
    {
        Shell shell;
        shell.document.grid().setCell(0, 16, "Łukasz");
        shell.click("saveButton");
        QVERIFY(shell.dialog()->saveButton()->isVisible() &&
                !shell.dialog()->loadButton()->isVisible());
        // The toggle shows the password and hides it again.
        QLineEdit *field = shell.dialog()->field();
        for (const char *caption : {"aBc123", "###", "aBc123"}) {
            QCOMPARE(shell.dialog()->toggleButton()->text(), caption);
            QCOMPARE(field->echoMode(), *caption == '#' ? QLineEdit::Normal : QLineEdit::Password);
            QTest::mouseClick(shell.dialog()->toggleButton(), Qt::LeftButton);
        }
        const QString target = m_classDir.filePath("neu.MWk");
        shell.prompts.filesToSaveTo << target;
        QTest::keyClicks(field, "abc");
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_VERIFY(!shell.dialog()->isVisible());
        QCOMPARE(cellOf(target, 0, 16) + u' ' + cellOf(target, 17, 599), "Łukasz abc");
        QVERIFY(shell.document.isSaved());
    }

    void loadThroughPasswordDialog()
    {
        Shell shell;
        shell.load(m_class, "falsch");
        QCOMPARE(shell.prompts.messages, {"Das Passwort ist falsch!"});
        QVERIFY(shell.dialog()->isVisible());
        QCOMPARE(shell.cell(0, 16), "Albrecht, Paul");

        shell.dialog()->field()->clear();
        QTest::keyClicks(shell.dialog()->field(), "geheim");
        QTest::mouseClick(shell.dialog()->loadButton(), Qt::LeftButton);
        QVERIFY(!shell.dialog()->isVisible());
        QCOMPARE(shell.cell(0, 16), "Şahin, Elif");
        QCOMPARE(shell.window->tabs()->currentIndex(), 0);
        // Placing the stored tab order is no change: closing asks nothing.
        QVERIFY(shell.window->close());
        QVERIFY(shell.prompts.questions.isEmpty());
    }

    void saveOnCloseKeepsTabOrder()
    {
        Shell shell;
        shell.load(m_class, "geheim");
        QTabWidget *tabs = shell.window->tabs();
        QCOMPARE(tabs->indexOf(shell.window->page(3)), 14);
        QCOMPARE(tabs->indexOf(shell.window->page(15)), 2);
        QCOMPARE(tabs->tabText(0), "&Person");

        tabs->tabBar()->moveTab(5, 2);
        const QVector<int> moved = shell.window->tabPositions();
        shell.document.grid().setCell(2, 16, "2026/27");
        shell.prompts.yesNoAnswers << true;
        shell.click("endButton");
        QVERIFY(!shell.window->isVisible());
        QCOMPARE(shell.prompts.questions, {"Änderungen speichern?"});
        QCOMPARE(cellOf(m_class, 2, 16) + u' ' + cellOf(m_class, 10, 33), "2026/27 53");
        for (int k = 0; k < 18; ++k)
            QCOMPARE(cellOf(m_class, 16, k * 17 + 16), QString::number(moved[k]));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_gui_mainwindow.moc"
