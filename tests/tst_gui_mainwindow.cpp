// The main window driven with real key and mouse events on the offscreen platform. What the
// person page and the main window show agrees with the class, and the page keeps its layout
// while controls appear, change and turn bold.

#include "app/appfolders.h"
#include "app/instancechannel.h"
#include "app/messageboxprompts.h"
#include "app/passworddialog.h"
#include "coursebook/coursebookview.h"
#include "grades/subjectsheetview.h"
#include "guishell.h"
#include "person/personpageview.h"
#include "sheetkit/enlargedtextpanel.h"
#include "sheetkit/sheetview.h"
#include "verbal/overviewview.h"
#include "verbal/remarkspanel.h"

#include <QCheckBox>

#include <atomic>
#include <functional>
#include <thread>

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

QRect inWindow(const QWidget *widget)
{
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

// Counts how often a widget was shown, for bars that are visible during one command only.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(QWidget *watched) { watched->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shown;
        return false;
    }
};

QString settingsShown(QWidget *page)
{
    return QStringLiteral("%1 %2 %3 %4:%5")
        .arg(child<QRadioButton>(page, "gradeModeRadio")->isChecked() ? "Noten" : "Punkte")
        .arg(child<QCheckBox>(page, "halfDownCheck")->isChecked() ? "abrunden" : "-")
        .arg(child<QSlider>(page, "weightSlider")->value())
        .arg(child<QLabel>(page, "oralWeightLabel")->text(),
             child<QLabel>(page, "writtenWeightLabel")->text());
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
        QCheckBox *encrypt = shell.dialog()->encryptBox();
        QVERIFY(encrypt->isVisible() && !encrypt->isEnabled() && !encrypt->isChecked());
        QTest::keyClicks(field, "abc");
        // A new class with a password is encrypted unless the teacher unticks it.
        QVERIFY(encrypt->isEnabled() && encrypt->isChecked());
        QTest::keyClick(encrypt, Qt::Key_Space);
        QVERIFY(!encrypt->isChecked());
        QTest::keyClick(field, Qt::Key_Return);
        QTRY_VERIFY(!shell.dialog()->isVisible());
        QCOMPARE(cellOf(target, 0, 16) + u' ' + cellOf(target, 17, 599), "Łukasz abc");
        QVERIFY(shell.document.isSaved());
    }

    void loadThroughPasswordDialog()
    {
        Shell shell;
        shell.load(m_class, "falsch");
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

    void controlsShowTheOpenClass()
    {
        // A start without a class: the defaults the computation uses (60:40, rounding down).
        ClassDocument document;
        GuiShell shell;
        shell.reopen(&document);
        PersonPageView *page = shell.person();
        QCOMPARE(settingsShown(page), "Noten abrunden 2 60%:40%");

        // A loaded class brings its own ratio: the notice of a moved slider has gone.
        auto *slider = child<QSlider>(page, "weightSlider");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Left);
        QVERIFY(child<QWidget>(page, "yellowNotice")->isVisible());
        document.grid().setCell(8, 33, QStringLiteral("4"));
        document.grid().setCell(15, 599, QStringLiteral("ja"));
        document.readSettingsFromGrid();
        shell.window->showLoadedClass();
        QCOMPARE(settingsShown(page), "Punkte - 4 70%:30%");
        QVERIFY(!child<QWidget>(page, "yellowNotice")->isVisible());
    }

    void newGroupLeavesVerbalMode()
    {
        GuiShell shell;
        PersonPageView *page = shell.person();
        tick(page->verbalCheck());
        QVERIFY(shell.document.verbalEvaluation());
        click(child<QPushButton>(page, "newGroupButton"));
        QTabWidget *tabs = shell.window->tabs();
        QVERIFY(!page->verbalCheck()->isChecked());
        QVERIFY(tabs->isTabVisible(tabs->indexOf(shell.window->subjectSheet(1))));
        QVERIFY(!tabs->isTabVisible(tabs->indexOf(shell.window->overview())));
        QVERIFY(page->sheet()->isVisible());
        QCOMPARE(settingsShown(page), "Noten abrunden 2 60%:40%");
        QVERIFY(child<QCheckBox>(shell.window.get(), "popArtCheck")->isVisible());
    }

    void weightingSwitchAndWalk()
    {
        GuiShell shell;
        PersonPageView *page = shell.person();
        auto *weighting = child<QCheckBox>(page, "weightingSwitch");
        auto *help = child<QPushButton>(page, "verbalHelpButton");
        tick(weighting);
        QVERIFY(!page->sheet()->isRowHidden(0));
        QVERIFY(!page->verbalCheck()->isVisible() && !help->isVisible());

        // The caption follows the name of the first subject as it is typed.
        GuiShell::type(page->sheet(), 1, 0, QStringLiteral("Mathe"));
        QTRY_COMPARE(weighting->text(), QStringLiteral("Wichtung für Mathe"));

        // Unticking offers to reset the weights; the walk that follows shows what it does.
        auto *progress = child<QProgressBar>(page, "walkProgress");
        ShowCounter bar(progress);
        shell.prompts.yesNoAnswers = {true};
        tick(weighting);
        QCOMPARE(shell.prompts.questions.value(0),
                 "Sollen evtl. vorhandene Einzelgewichtungen gelöscht werden?");
        QCOMPARE(shell.prompts.messages.size(), 1);
        QVERIFY(shell.prompts.messages[0].startsWith(QStringLiteral("Es dauert einen Moment")));
        QCOMPARE(bar.shown, 1);
        QVERIFY(!progress->isVisible());
        QVERIFY(page->verbalCheck()->isVisible() && help->isVisible());

        // Deleting and inserting show the bar as well, with room for the whole walk.
        click(child<QPushButton>(page, "insertButton"));
        click(child<QPushButton>(page, "deleteButton"));
        QCOMPARE(bar.shown, 3);
        QCOMPARE(progress->maximum(), 66);
        QVERIFY(!progress->isVisible());
    }

    void popArtScheme()
    {
        GuiShell shell;
        PersonPageView *page = shell.person();
        auto *popArt = child<QCheckBox>(shell.window.get(), "popArtCheck");
        RemarksPanel *remarks = page->remarksPanel();
        tick(popArt);
        QCOMPARE(remarks->palette().color(QPalette::Window), QColor(0xFE, 0xC5, 0xF9));
        // The double-lesson row above a course book is a sheet row like the others.
        CourseBookView *courseBook = shell.window->courseBook(2);
        QCOMPARE(courseBook->doubleLessonView()->logic().background(4, 0, false, -1),
                 QColor(0xFE, 0xC5, 0xF9));
        tick(popArt);
        QCOMPARE(remarks->palette().color(QPalette::Window), QColor(0xD8, 0xE9, 0xFC));

        // Offered at list position 1 only, also when the verbal evaluation ends elsewhere.
        click(child<QPushButton>(page, "forwardButton"));
        tick(page->verbalCheck());
        tick(page->verbalCheck());
        QVERIFY(!popArt->isVisible());
        click(child<QPushButton>(page, "backButton"));
        QVERIFY(popArt->isVisible());
    }

    void overviewCellsOpenTheEnlargedPanel()
    {
        GuiShell shell;
        ClassGrid &grid = shell.document.grid();
        grid.setCell(0, 1001, QStringLiteral("Liest sinnerfassend"));
        grid.setCell(36, 1001, QStringLiteral("2,5"));
        grid.setCell(35, 1018, QStringLiteral("b"));
        tick(shell.person()->verbalCheck());
        shell.show(shell.window->overview());
        SheetView *view = shell.window->overview()->view();
        EnlargedTextPanel *panel = shell.window->enlargedTextPanel();
        clickCell(view, 1, 1);
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->line()->text(), "2,5");
        clickCell(view, 2, 1); // Lina's own judgement, one character
        QVERIFY(!panel->isVisible());
    }

    void forwardOffersPhotoConversion()
    {
        GuiShell shell;
        QDir(shell.dir.path()).mkpath(QStringLiteral("Fotos/7b"));
        QImage photo(30, 40, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        QVERIFY(photo.save(shell.dir.filePath(QStringLiteral("Fotos/7b/2.jpg")), "JPG"));
        ClassGrid &grid = shell.document.grid();
        grid.setCell(20, 33, QStringLiteral("Fotos\\7b\\2.jpg"));
        PersonPageView *page = shell.person();
        auto *forward = child<QPushButton>(page, "forwardButton");

        shell.prompts.yesNoAnswers = {false};
        click(forward);
        QCOMPARE(shell.prompts.questions,
                 {QStringLiteral("Diese Datei enthält noch unverschlüsselte Fotos!\rSollen Fotos "
                                 "und Datei in das neue Format konvertiert werden?  \rDie "
                                 "Konvertierung wird empfohlen.")});
        QCOMPARE(grid.cell(20, 33), "Fotos\\7b\\2.jpg");

        // Yes converts the photos and saves the class (through the password dialog).
        click(child<QPushButton>(page, "backButton"));
        shell.prompts.yesNoAnswers = {true};
        click(forward);
        QCOMPARE(grid.cell(20, 33), "Fotos\\7b\\2.bmp");
        QVERIFY(QFileInfo::exists(shell.dir.filePath(QStringLiteral("Fotos/7b/2.bmp"))));
        QVERIFY(shell.window->passwordDialog()->isVisible());

        // A bitmap is no older photo; moving back asks nothing.
        shell.window->hidePasswordDialog();
        click(child<QPushButton>(page, "backButton"));
        click(forward);
        QCOMPARE(shell.prompts.questions.size(), 2);
    }

    void layoutStaysPut()
    {
        GuiShell shell;
        MainWindow *window = shell.window.get();
        PersonPageView *page = shell.person();
        const QSize size = window->size();
        const QRect sheet = inWindow(page->sheet());
        QLineEdit *name = page->fieldEdit(PersonPage::Name);
        const QRect field = inWindow(name);

        // The verbal evaluation leaves the person fields as they were.
        tick(page->verbalCheck());
        QCOMPARE(inWindow(name), field);
        tick(page->verbalCheck());

        // A long subject name is shortened on its tab and in the switch caption.
        const QString longName = QStringLiteral("Naturwissenschaften und Technik mit Praktikum");
        GuiShell::type(page->sheet(), 1, 0, longName);
        QTRY_COMPARE(shell.cell(0, 1), longName);
        QTest::qWait(50);
        QCOMPARE(window->size(), size);
        QVERIFY(window->minimumSizeHint().width() <= size.width());
        const QString tab = window->tabs()->tabText(1);
        QVERIFY2(tab.endsWith(QChar(0x2026)) && tab.size() < longName.size(), qPrintable(tab));
        QVERIFY(child<QCheckBox>(page, "weightingSwitch")->text().endsWith(QChar(0x2026)));

        // The notice lies over the page; the sheet stays where it was.
        auto *slider = child<QSlider>(page, "weightSlider");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_Right);
        QWidget *notice = child<QWidget>(page, "yellowNotice");
        QVERIFY(notice->isVisible());
        QCOMPARE(inWindow(page->sheet()), sheet);
        QVERIFY(inWindow(notice).intersects(sheet));

        // Remarks turn the caption bold; nothing beside it moves.
        QLabel *caption = page->remarksCaption();
        const QRect captionPlace = inWindow(caption);
        const QRect verbalPlace = inWindow(page->verbalCheck());
        click(caption);
        QTest::keyClicks(page->remarksPanel()->text(), QStringLiteral("Liest gern vor."));
        click(child<QPushButton>(page->remarksPanel(), "remarksClose"));
        QVERIFY(caption->font().bold());
        QCOMPARE(inWindow(caption), captionPlace);
        QCOMPARE(inWindow(page->verbalCheck()), verbalPlace);
    }

    void secondStartHandsItsFileToTheRunningOne()
    {
        const QString name =
            QStringLiteral("markwart-test-%1").arg(QCoreApplication::applicationPid());
        // Nobody listens yet: the second start shows its own message instead.
        QVERIFY(!InstanceChannel::handOver(QStringLiteral("/x/7b.MWk"), name, 200));

        InstanceChannel running(name);
        QVERIFY(running.listen());
        QSignalSpy handed(&running, &InstanceChannel::fileHandedOver);
        // The second start blocks while it waits; the running one answers from its event loop.
        const QString path = QStringLiteral("/home/lehrer/Klassen/7b Müller.MWk");
        std::atomic<int> taken{-1};
        std::thread second([&] { taken = InstanceChannel::handOver(path, name) ? 1 : 0; });
        QTRY_VERIFY(taken != -1);
        second.join();
        QCOMPARE(taken.load(), 1);
        QTRY_COMPARE(handed.count(), 1);
        QCOMPARE(handed.at(0).at(0).toString(), path);

        // A crashed instance leaves its socket behind; the next one takes the name over.
        InstanceChannel again(name);
        QVERIFY(again.listen());

        // The real name lives in the temporary folder beside the report folder.
        const QString reports = AppFolders::reportFolder();
        QVERIFY(QDir().mkpath(reports));
        InstanceChannel real;
        QVERIFY(real.listen());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_gui_mainwindow.moc"
