// "Spezialdrucke" on the main window: the room opens with the special prints in front, the
// wish list is ticked with the mouse, the list goes to the desktop, and leaving asks nothing.

#include "guishell.h"

#include "seating/seatingplanview.h"
#include "seating/specialprints.h"
#include "seating/specialprintspanel.h"

namespace {

// Set MARKWART_SHOTS to a folder to keep pictures of the window.
void keepShot(QWidget *window, const char *name)
{
    const QByteArray folder = qgetenv("MARKWART_SHOTS");
    if (!folder.isEmpty())
        window->grab().save(QString::fromLocal8Bit(folder) + u'/' + QLatin1String(name));
}

SeatingPlanView *openSpecialPrints(GuiShell &shell)
{
    click(child<QPushButton>(shell.window.get(), "specialPrintsButton"));
    SeatingPlanView *plan = shell.window->seatingPlan();
    if (plan && !QTest::qWaitForWindowExposed(plan))
        qWarning("seating plan not exposed");
    return plan;
}

} // namespace

class SpecialPrintsGuiTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void listFromTheTickedWishes()
    {
        GuiShell shell;
        keepShot(shell.window.get(), "mainwindow.png");
        auto *special = child<QPushButton>(shell.window.get(), "specialPrintsButton");
        QVERIFY(special->isVisible());
        // The bar keeps within the window.
        QCOMPARE(shell.window->width(), 1165);
        QVERIFY(special->mapTo(shell.window.get(), QPoint(special->width(), 0)).x() <=
                shell.window->width());
        QVERIFY(child<QPushButton>(shell.window.get(), "endButton")->geometry().right() <
                shell.window->width());

        SeatingPlanView *plan = openSpecialPrints(shell);
        QVERIFY(plan && plan->isVisible());
        SpecialPrintsPanel *panel = plan->specialPrintsPanel();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->pos(), QPoint(96, 90));
        // The names cannot be unticked.
        auto *names = child<QCheckBox>(panel, "namesCheck");
        tick(names);
        QVERIFY(names->isChecked());

        tick(child<QCheckBox>(panel, "streetCheck"));
        tick(child<QCheckBox>(panel, "photosCheck"));
        QCOMPARE(shell.prompts.messages, QStringList{SpecialPrints::PhotoNotice});
        auto *slider = child<QSlider>(panel, "photoSizeSlider");
        QVERIFY(slider->isVisible());
        slider->setFocus();
        for (int k = 0; k < 25; ++k) {
            QTest::keyClick(slider, Qt::Key_Right);
            QTest::qWait(5);
        }
        QCOMPARE(slider->value(), 40);
        QCOMPARE(child<QGroupBox>(panel, "pagesGroup")->title(),
                 QStringLiteral("etwa 10 Prs. pro Seite"));
        // The sample goes with the key.
        QVERIFY(!child<QLabel>(panel, "photoSample")->isVisible());
        auto *empty = child<QSpinBox>(panel, "emptyColumnsSpin");
        empty->setFocus();
        QTest::keyClick(empty, Qt::Key_Up);
        QTest::qWait(30);
        QTest::keyClick(empty, Qt::Key_Up);
        QTest::qWait(30);
        tick(child<QRadioButton>(panel, "landscapeRadio"));
        keepShot(plan, "specialprints.png");

        click(child<QPushButton>(panel, "createListButton"));
        QTRY_VERIFY(!plan->isVisible());
        QVERIFY(!panel->isVisible());
        const QString document = shell.options.reportFolder + QStringLiteral("/Liste der 7b.docx");
        QCOMPARE(shell.opener.opened, QStringList{document});
        const SelectionListOptions &options = plan->specialPrints()->options();
        QVERIFY(options.fields[SelectionListOptions::Street] && options.photos);
        QCOMPARE(options.emptyColumns, 2);
        QVERIFY(options.landscape);
        QVERIFY(!QFileInfo::exists(shell.options.reportFolder + QStringLiteral("/Druck")));
        QVERIFY(shell.prompts.questions.isEmpty());
    }

    void leavingTheSpecialPrintsAsksNothing()
    {
        GuiShell shell;
        SeatingPlanView *plan = openSpecialPrints(shell);
        QVERIFY(plan);
        // A moved desk would be a change of the room, but the visit was for the prints.
        plan->plan().setSaved(false);
        click(child<QPushButton>(plan, "planBackButton"));
        QTRY_VERIFY(!plan->isVisible());
        QVERIFY(shell.prompts.questions.isEmpty());

        // "Sitzplan u. mehr" opens the room without them; the red X puts them away.
        click(child<QPushButton>(shell.window.get(), "seatingPlanButton"));
        QTRY_VERIFY(plan->isVisible());
        QVERIFY(!plan->specialPrintsPanel()->isVisible());
        click(child<QPushButton>(shell.window.get(), "specialPrintsButton"));
        QTRY_VERIFY(plan->specialPrintsPanel()->isVisible());
        click(child<QToolButton>(plan->specialPrintsPanel(), "specialPrintsClose"));
        QVERIFY(!plan->specialPrintsPanel()->isVisible());

        // The photo overview as a page: the browser gets it with its pictures.
        click(child<QPushButton>(shell.window.get(), "specialPrintsButton"));
        SpecialPrintsPanel *panel = plan->specialPrintsPanel();
        tick(child<QRadioButton>(panel, "pageRadio"));
        QVERIFY(child<QGroupBox>(panel, "pagesGroup")->isVisible());
        QVERIFY(!child<QSlider>(panel, "photoSizeSlider")->isVisible());
        click(child<QPushButton>(panel, "compactButton"));
        QTRY_VERIFY(!plan->isVisible());
        QCOMPARE(shell.opener.opened,
                 QStringList{shell.options.reportFolder + QStringLiteral("/Druck.html")});
        QVERIFY(QFileInfo::exists(shell.options.reportFolder + QStringLiteral("/Druck/leer.bmp")));
    }
};

QTEST_MAIN(SpecialPrintsGuiTest)
#include "tst_gui_specialprints.moc"
