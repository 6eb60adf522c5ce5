// The game window over a class of four, one of them with a stored photo: cards clicked
// right and wrong, the commands of the top line, and "Ende".

#include "guishell.h"

#include "documents/reportpicture.h"
#include "game/memorygameview.h"
#include "photos/photoconverter.h"

namespace {
QPoint placeAfterMixes(int mixes, int card)
{
    ScriptedPrompts prompts;
    MemoryGame game(prompts);
    for (int i = 0; i < mixes; ++i)
        game.mixCards();
    return game.cardPlace(card);
}

// The top line: attempts, hits and the prompt.
QString state(QWidget *view)
{
    return child<QLabel>(view, "attemptsLabel")->text() + u'|' +
           child<QLabel>(view, "hitsLabel")->text() + u'|' +
           child<QLineEdit>(view, "promptField")->text();
}
} // namespace

class GuiGameTest : public QObject
{
    Q_OBJECT

private slots:
    void clickCards()
    {
        QTemporaryDir project;
        ClassDocument document;
        ScriptedPrompts prompts;
        const QStringList names = {"Anna Beck", "Ben Cramer", "Cem Demir", "Dora Engel"};
        for (int person = 0; person < names.size(); ++person)
            document.grid().setCell(0, ClassDocument::dataRow(person), names.at(person));
        const QColor colour(200, 120, 40);
        QImage photo(135, 180, QImage::Format_RGB888);
        photo.fill(colour);
        QDir(project.path()).mkpath("Fotos/12_2026/7b");
        QVERIFY(PhotoConverter::saveStoredPhoto(photo, project.filePath("Fotos/12_2026/7b/1.bmp")));
        document.grid().setCell(20, ClassDocument::dataRow(0), "Fotos\\12_2026\\7b\\1.bmp");

        MemoryGameView view(
            document, [&project] { return project.path(); }, prompts);
        view.game().setSeedSource([] { return 0u; }); // asks 3, 4, 2, 1
        QSignalSpy ended(&view, &MemoryGameView::ended);
        view.start(QPoint(100, 50));
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QCOMPARE(view.windowTitle(), QStringLiteral("Spielend lernen"));
        QVERIFY(view.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(view.pos(), QPoint(108, 50));
        QCOMPARE(view.card(32)->geometry(), QRect(963, 556, 123, 164));
        for (int card = 1; card <= 32; ++card)
            QCOMPARE(view.card(card)->isVisible(), card <= 4);
        // The stored photo is shown unscrambled, the others as portraits, empty slots not.
        const QImage screen = view.grab().toImage();
        const QColor portrait = ReportPicture::placeholder().pixelColor(10, 10);
        QCOMPARE(screen.pixelColor(58 + 60, 46 + 80), colour);     // card 1
        QCOMPARE(screen.pixelColor(187 + 10, 386 + 10), portrait); // card 4
        QVERIFY(screen.pixelColor(58 + 10, 556 + 10) != portrait); // no card 31

        QCOMPARE(state(&view), QStringLiteral("Versuche: 0|Treffer: 0|Klicke auf Cem Demir"));
        click(view.card(3));
        QCOMPARE(state(&view), QStringLiteral("Versuche: 1|Treffer: 1|Klicke auf Dora Engel"));
        click(view.card(1));
        QCOMPARE(state(&view), QStringLiteral("Versuche: 2|Treffer: 1|Klicke auf Ben Cramer"));
        // A hovered command turns red and keeps its font; a click mixes the cards.
        QLabel *mix = child<QLabel>(&view, "mixLabel");
        const qreal size = mix->fontInfo().pointSizeF();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(mix, &enter);
        QCOMPARE(mix->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(mix->fontInfo().pointSizeF(), size);
        click(mix);
        QCOMPARE(view.card(1)->pos(), MemoryGame::initialPlace(22));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(mix, &leave);
        QCOMPARE(mix->palette().color(QPalette::WindowText), QColor(Qt::white));
        click(view.card(2));
        QCOMPARE(state(&view), QStringLiteral("Versuche: 3|Treffer: 2|Klicke auf Anna Beck"));
        QVERIFY(prompts.messages.isEmpty());
        click(view.card(1)); // the fourth click ends the round of four
        QCOMPARE(prompts.messages,
                 QStringList{"1 mal rum, Anzahl der aktuellen Fehlversuche : 1."});
        QCOMPARE(state(&view), QStringLiteral("Versuche: 0|Treffer: 0|Klicke auf Cem Demir"));
        QCOMPARE(view.card(1)->pos(), placeAfterMixes(2, 1)); // the round's end mixes too

        click(view.card(4));
        click(child<QLabel>(&view, "attemptsLabel")); // starts afresh
        QCOMPARE(state(&view), QStringLiteral("Versuche: 0|Treffer: 0|Klicke auf Cem Demir"));
        QCOMPARE(view.card(1)->pos(), placeAfterMixes(3, 1));
        tick(child<QCheckBox>(&view, "autoMixCheck"));
        QVERIFY(view.game().autoMix());

        click(child<QLabel>(&view, "endLabel"));
        QVERIFY(!view.isVisible());
        QCOMPARE(ended.size(), 1);
        QVERIFY(view.card(1)->pixmap().isNull());

        // Shown again, the cards are loaded afresh where the last game left them.
        view.start(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(!view.card(1)->pixmap().isNull());
        QCOMPARE(view.card(1)->pos(), placeAfterMixes(3, 1));
        view.close();
        QCOMPARE(ended.size(), 2);
    }
};

QTEST_MAIN(GuiGameTest)
#include "tst_gui_game.moc"
