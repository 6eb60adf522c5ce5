// What the person page and the main window show agrees with the class, and the page keeps
// its layout while controls appear, change and turn bold.

#include "app/passworddialog.h"
#include "coursebook/coursebookview.h"
#include "grades/subjectsheetview.h"
#include "guishell.h"
#include "person/personpageview.h"
#include "sheetkit/enlargedtextpanel.h"
#include "sheetkit/sheetview.h"
#include "verbal/overviewview.h"
#include "verbal/remarkspanel.h"

namespace {

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

class TestScreensGui : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

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
        QCOMPARE(size, QSize(1165, 745));
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
};

QTEST_MAIN(TestScreensGui)
#include "tst_gui_screens.moc"
