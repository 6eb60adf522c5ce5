// The seating plan opened from the main window and handled with the mouse: desks dragged and
// resized at their frame, saved into the class, the questions on leaving, the way to a
// person's page, name learning, the photo under the mouse and the printed picture.

#include "app/passworddialog.h"
#include "app/sessioncontroller.h"
#include "documents/reportpicture.h"
#include "guishell.h"

#include "game/memorygameview.h"
#include "person/personpageview.h"
#include "photos/photoconverter.h"
#include "seating/planitemwidget.h"
#include "seating/planpicture.h"
#include "seating/planprinter.h"
#include "seating/seatingpictures.h"
#include "seating/seatingplanview.h"

namespace {

class RecordingPrinter : public PlanPrinter
{
public:
    QStringList printed;
    bool print(const QString &picturePath) override
    {
        printed << picturePath;
        return true;
    }
};

struct Shell : GuiShell
{
    SeatingPlanView *openPlan()
    {
        click(child<QPushButton>(window.get(), "seatingPlanButton"));
        SeatingPlanView *plan = window->seatingPlan();
        if (plan && !QTest::qWaitForWindowExposed(plan))
            qWarning("seating plan not exposed");
        return plan;
    }
};

QPoint centreOf(const QWidget *widget)
{
    return widget->geometry().center();
}

// Presses the left button at `from` (window coordinates), moves in steps as a hand does and
// lets go at `to`.
void drag(QWidget *window, const QPoint &from, const QPoint &to)
{
    QWindow *handle = window->windowHandle();
    QTest::mousePress(handle, Qt::LeftButton, {}, from);
    constexpr int Steps = 8;
    for (int step = 1; step <= Steps; ++step) {
        QTest::mouseMove(handle, from + (to - from) * step / Steps);
        QTest::qWait(15);
    }
    QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
    QTest::qWait(30);
}

void clickAt(QWidget *window, const QPoint &at)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
    QTest::qWait(30);
}

QPushButton *button(QWidget *plan, const char *name)
{
    return child<QPushButton>(plan, name);
}

int dataRow(int person)
{
    return person * 17 + 16;
}

} // namespace

class SeatingGuiTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void draggedDeskIsSavedIntoTheClass()
    {
        Shell shell;
        SeatingPlanView *plan = shell.openPlan();
        QVERIFY(plan && plan->isVisible());
        QVERIFY(plan->desk(0)->isVisible() && plan->desk(1)->isVisible());
        QVERIFY(!plan->desk(2)->isVisible());
        QCOMPARE(plan->desk(1)->text(), QStringLiteral("Bauer, Lina"));
        QCOMPARE(plan->desk(0)->geometry(), QRect(240, 136, 80, 60));

        const QPoint grip = centreOf(plan->desk(0));
        drag(plan, grip, grip + QPoint(150, 40));
        QCOMPARE(plan->desk(0)->geometry(), QRect(390, 176, 80, 60));
        // The button of the main window only brings the open room up again.
        QCOMPARE(shell.openPlan(), plan);
        QCOMPARE(plan->desk(0)->geometry(), QRect(390, 176, 80, 60));

        click(button(plan, "planSaveButton"));
        QVERIFY(!plan->isVisible());
        QCOMPARE(shell.cells({{22, 16}, {23, 16}, {24, 16}, {25, 16}}),
                 QStringLiteral("176|390|60|80"));
        // Lina's desk and the desks of the free places are written too.
        QCOMPARE(shell.cells({{22, 33}, {23, 33}}), QStringLiteral("136|352"));
        QCOMPARE(shell.cells({{22, dataRow(33)}, {23, dataRow(33)}}), QStringLiteral("576|576"));
        // The main window saves the class: its password dialog asks first.
        QTRY_VERIFY(shell.window->passwordDialog()->isVisible());
        QVERIFY(!shell.document.isSaved());
        QVERIFY(shell.prompts.questions.isEmpty());
    }

    void framesResizeDesksAndThePhotoPanel()
    {
        Shell shell;
        SeatingPlanView *plan = shell.openPlan();
        QVERIFY(plan);
        // The lower right corner of Paul's desk.
        const QRect desk = plan->desk(0)->geometry();
        drag(plan, desk.bottomRight() - QPoint(1, 1), desk.bottomRight() + QPoint(19, 9));
        QCOMPARE(plan->desk(0)->geometry(), QRect(240, 136, 100, 70));
        QCOMPARE(plan->plan().desk(0).rect, QRect(240, 136, 100, 70));

        // The photo panel grows at its right border; its height follows.
        const QRect photo = plan->photoPanel()->geometry();
        QCOMPARE(photo.size(), QSize(150, 195));
        const QPoint border(photo.right() - 1, photo.center().y());
        drag(plan, border, border + QPoint(50, 0));
        QCOMPARE(plan->photoPanel()->geometry(), QRect(photo.topLeft(), QSize(200, 260)));
        QCOMPARE(plan->photoPanel()->toolTip(), QStringLiteral("Doppelklick = Originalgröße!"));
        QTest::mouseDClick(plan->windowHandle(), Qt::LeftButton, {},
                           plan->photoPanel()->geometry().center());
        QTRY_COMPARE(plan->photoPanel()->size(), QSize(150, 195));
        QVERIFY(plan->photoPanel()->toolTip().isEmpty());
    }

    void desksStayInsideTheWindow()
    {
        Shell shell;
        SeatingPlanView *plan = shell.openPlan();
        QVERIFY(plan);
        const QPoint grip = centreOf(plan->desk(1));
        drag(plan, grip, QPoint(plan->width() - 1, plan->height() - 1));
        QCOMPARE(plan->desk(1)->geometry().bottomRight(),
                 QPoint(plan->width() - 1, plan->height() - 1));
        drag(plan, centreOf(plan->desk(1)), QPoint(1, 1));
        QCOMPARE(plan->desk(1)->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(plan->plan().desk(1).rect.topLeft(), QPoint(0, 0));
    }

    void leavingAsksOnlyAfterAChange()
    {
        Shell shell;
        SeatingPlanView *plan = shell.openPlan();
        QVERIFY(plan);
        // A click that does not move a desk changes nothing.
        clickAt(plan, centreOf(plan->desk(0)));
        click(button(plan, "planBackButton"));
        QVERIFY(!plan->isVisible());
        QVERIFY(shell.prompts.questions.isEmpty());
        QVERIFY(!plan->desk(0)->isVisible());

        shell.openPlan();
        const QPoint grip = centreOf(plan->desk(1));
        drag(plan, grip, grip + QPoint(0, 100));
        shell.prompts.yesNoAnswers << false;
        click(button(plan, "planBackButton"));
        QCOMPARE(shell.prompts.questions, QStringList(SeatingPlanView::SaveQuestion));
        QVERIFY(!plan->isVisible());
        QVERIFY(shell.cell(22, 33).isEmpty());
        // Lina's desk is back where the class has it.
        shell.openPlan();
        QCOMPARE(plan->desk(1)->geometry().top(), 136);

        // The close box asks the same; yes saves.
        drag(plan, grip, grip + QPoint(0, 100));
        shell.prompts.yesNoAnswers << true;
        plan->close();
        QCOMPARE(shell.prompts.questions.size(), 2);
        QVERIFY(!plan->isVisible());
        QCOMPARE(shell.cell(22, 33), QStringLiteral("236"));
        QTRY_VERIFY(shell.window->passwordDialog()->isVisible());

        // Switching furniture on and off is a change as well.
        shell.window->passwordDialog()->hide();
        shell.openPlan();
        tick(child<QCheckBox>(plan, "shelfCheck"));
        QVERIFY(child<PlanItemWidget>(plan, "shelf")->isVisible());
        shell.prompts.yesNoAnswers << false;
        click(button(plan, "planBackButton"));
        QCOMPARE(shell.prompts.questions.size(), 3);
    }

    void cupboardTextIsTypedAndSaved()
    {
        Shell shell;
        SeatingPlanView *plan = shell.openPlan();
        QVERIFY(plan);
        tick(child<QCheckBox>(plan, "cupboardCheck"));
        PlanItemWidget *cupboard = child<PlanItemWidget>(plan, "cupboard");
        QVERIFY(cupboard->isVisible());
        QCOMPARE(cupboard->text(), QStringLiteral("Schrank"));
        // A click into the text places the cursor; the piece stays where it is.
        const QRect before = cupboard->geometry();
        clickAt(plan, before.center());
        QCOMPARE(QApplication::focusWidget(), cupboard->editor());
        QTest::keyClick(cupboard->editor(), Qt::Key_A, Qt::ControlModifier);
        shell.typeSlowly(QStringLiteral("Kiste"));
        QCOMPARE(cupboard->geometry(), before);
        click(button(plan, "planSaveButton"));
        QCOMPARE(shell.cells({{35, 33}, {36, 33}, {36, 50}}), QStringLiteral("Kiste|1|0"));
    }

    void gameOpensOverThePlanAndEndsBoth()
    {
        Shell shell;
        SeatingPlanView *plan = shell.openPlan();
        click(button(plan, "nameGameButton"));
        MemoryGameView *game = shell.window->memoryGame();
        QVERIFY(game && game->isVisible());
        QCOMPARE(game->pos(), plan->pos() + QPoint(8, 0));
        QVERIFY(shell.prompts.messages.isEmpty());
        QTest::mouseClick(child<QLabel>(game, "endLabel"), Qt::LeftButton);
        QTRY_VERIFY(!game->isVisible());
        QTRY_VERIFY(!plan->isVisible());
    }

    void doubleClickShowsThePerson()
    {
        Shell shell;
        SeatingPlanView *plan = shell.openPlan();
        QVERIFY(plan);
        QTest::mouseDClick(plan->windowHandle(), Qt::LeftButton, {}, centreOf(plan->desk(1)));
        QTRY_VERIFY(!plan->isVisible());
        QCOMPARE(shell.document.currentPerson(), 1);
        QCOMPARE(shell.window->tabs()->currentWidget(), shell.person());
        QCOMPARE(shell.person()->fieldEdit(PersonPage::Name)->text(),
                 QStringLiteral("Bauer, Lina"));
        QVERIFY(shell.prompts.questions.isEmpty());

        // While names are learned a double-click only shows the name.
        shell.openPlan();
        click(button(plan, "learnNamesButton"));
        QTest::mouseDClick(plan->windowHandle(), Qt::LeftButton, {}, centreOf(plan->desk(0)));
        QTest::qWait(50);
        QVERIFY(plan->isVisible());
        QCOMPARE(shell.document.currentPerson(), 1);
        QCOMPARE(plan->desk(0)->text(), QStringLiteral("Albrecht, Paul"));
    }

    void namesAppearWhereClicked()
    {
        Shell shell;
        SeatingPlanView *plan = shell.openPlan();
        QVERIFY(plan);
        click(button(plan, "learnNamesButton"));
        QCOMPARE(plan->desk(0)->text(), SeatingPlan::QuestionMark);
        QCOMPARE(plan->desk(1)->text(), SeatingPlan::QuestionMark);
        clickAt(plan, centreOf(plan->desk(1)));
        QCOMPARE(plan->desk(1)->text(), QStringLiteral("Bauer, Lina"));
        QCOMPARE(plan->desk(0)->text(), SeatingPlan::QuestionMark);
        clickAt(plan, centreOf(plan->desk(0)));
        QCOMPARE(plan->desk(0)->text(), QStringLiteral("Albrecht, Paul"));
        QCOMPARE(plan->desk(1)->text(), QStringLiteral("Bauer, Lina"));
        // Once more: every name hides again, also the one that has the focus.
        click(button(plan, "learnNamesButton"));
        clickAt(plan, centreOf(plan->desk(0)));
        QCOMPARE(plan->desk(0)->text(), QStringLiteral("Albrecht, Paul"));
        QCOMPARE(plan->desk(1)->text(), SeatingPlan::QuestionMark);
        // Learning is no change of the room; the next opening shows every name.
        click(button(plan, "planBackButton"));
        QVERIFY(shell.prompts.questions.isEmpty());
        shell.openPlan();
        QCOMPARE(plan->desk(1)->text(), QStringLiteral("Bauer, Lina"));
    }

    void photoFollowsTheMouse()
    {
        Shell shell;
        QImage face(135, 180, QImage::Format_RGB888);
        face.fill(QColor(200, 120, 40));
        const QString stored = QStringLiteral("Fotos\\12_2026\\7b\\2.bmp");
        const QString file = PhotoConverter::resolve(shell.options.programFolder, stored);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QVERIFY(PhotoConverter::saveStoredPhoto(face, file));
        shell.document.grid().setCell(20, 33, stored);

        SeatingPlanView *plan = shell.openPlan();
        QVERIFY(plan);
        const QImage board = SeatingPictures::board();
        QCOMPARE(plan->photoPanel()->picture(), board);
        QTest::mouseMove(plan->windowHandle(), centreOf(plan->desk(1)));
        QTRY_COMPARE(plan->photoPanel()->picture().convertToFormat(QImage::Format_RGB888), face);
        QTest::mouseMove(plan->windowHandle(), centreOf(plan->desk(0)));
        QTRY_COMPARE(plan->photoPanel()->picture(), ReportPicture::placeholder());
        QTest::mouseMove(plan->windowHandle(), QPoint(60, 60));
        QTRY_COMPARE(plan->photoPanel()->picture(), board);
    }

    void backgroundSwitchIsRemembered()
    {
        Shell shell;
        QCOMPARE(shell.settings.seatingBackground(), 1);
        SeatingPlanView *plan = shell.openPlan();
        QVERIFY(plan);
        QPushButton *toggle = button(plan, "backgroundButton");
        QCOMPARE(toggle->text(), QStringLiteral("ohne Hintergrund"));
        QVERIFY(plan->smallPicture()->isVisible());
        click(toggle);
        QCOMPARE(toggle->text(), QStringLiteral("mit Hintergrund"));
        QCOMPARE(shell.settings.seatingBackground(), 0);
        QVERIFY(!plan->smallPicture()->isVisible());
        click(toggle);
        QCOMPARE(shell.settings.seatingBackground(), 1);
        QCOMPARE(plan->smallPicture()->geometry(), QRect(288, 634, 53, 29));
        QVERIFY(plan->smallPicture()->isVisible());
        // Dragged out of the room it is put away.
        drag(plan, QPoint(300, 640), QPoint(300, 730));
        QVERIFY(!plan->smallPicture()->isVisible());
    }

    void planWaitsForASavedClass()
    {
        Shell shell;
        shell.window->controller().setPlanAvailable(false);
        click(child<QPushButton>(shell.window.get(), "seatingPlanButton"));
        QCOMPARE(shell.prompts.messages,
                 QStringList(QStringLiteral(
                     "Das Klassenzimmer ist erst nach dem Speichern der Datei verfügbar.")));
        QVERIFY(!shell.window->seatingPlan());
    }

    void printedPlanIsTheRoomWithoutPhoto()
    {
        Shell shell;
        RecordingPrinter printer;
        SeatingPlanView plan(shell.document, shell.prompts, false, &printer);
        const QString folder = shell.options.reportFolder;
        plan.setReportFolder(folder);
        plan.open();
        QVERIFY(QTest::qWaitForWindowExposed(&plan));
        QCOMPARE(plan.size(), QSize(1165, 745));
        click(button(&plan, "printPlanButton"));
        QCOMPARE(printer.printed, QStringList(PlanPicture::jpegPath(folder)));
        const QImage picture(PlanPicture::bitmapPath(folder));
        QCOMPARE(picture.size(), QSize(1017, 745));
        QVERIFY(QFileInfo::exists(PlanPicture::jpegPath(folder)));
        // The desk is in it, the photo panel is not, and it is back on screen.
        QCOMPARE(picture.pixelColor(centreOf(plan.desk(0)) + QPoint(30, 20)),
                 QColor(231, 209, 126));
        QCOMPARE(picture.pixelColor(plan.photoPanel()->geometry().topLeft() + QPoint(1, 1)),
                 QColor(Qt::white));
        QVERIFY(plan.photoPanel()->isVisible());
    }
};

QTEST_MAIN(SeatingGuiTest)
#include "tst_gui_seating.moc"
