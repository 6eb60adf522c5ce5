#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "documents/reportpicture.h"
#include "game/gamepictures.h"
#include "game/memorygame.h"
#include "photos/photoconverter.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
// Question order of seed 0, worked out by hand from the generator's formula.
const QVector<int> SeedZeroOrder = {32, 31, 26, 3,  29, 18, 9,  23, 10, 21, 22,
                                    6,  4,  17, 13, 14, 19, 16, 2,  5,  11, 12,
                                    8,  7,  15, 27, 24, 25, 20, 28, 30, 1,  33};

// The card of the person asked for, or another person's card.
int pick(const MemoryGame &game, bool right)
{
    for (int card = 1; card <= MemoryGame::CardCount; ++card) {
        const bool asked = game.prompt() == QStringLiteral("Klicke auf ") + game.name(card);
        if (game.takesPart(card) && asked == right)
            return card;
    }
    return 0;
}

QVector<QPoint> places(const MemoryGame &game)
{
    QVector<QPoint> result;
    for (int card = 1; card <= MemoryGame::CardCount; ++card)
        result << game.cardPlace(card);
    return result;
}

QVector<QPoint> mixedPlaces(int mixes)
{
    ScriptedPrompts prompts;
    MemoryGame game(prompts);
    for (int i = 0; i < mixes; ++i)
        game.mixCards();
    return places(game);
}
} // namespace

class GameTest : public QObject
{
    Q_OBJECT

    ClassGrid grid;
    ScriptedPrompts prompts;
    std::unique_ptr<MemoryGame> game;

    void open(int persons, quint32 seed)
    {
        for (int person = 0; person < persons; ++person)
            grid.setCell(0, ClassDocument::dataRow(person),
                         QStringLiteral("Kind %1").arg(person + 1));
        game->setSeedSource([seed] { return seed; });
        game->open(grid);
    }
    // Clicks the person asked for, every `wrongEvery`th click another one.
    void answer(int clicks, int wrongEvery = 0)
    {
        for (int click = 1; click <= clicks; ++click)
            game->clickCard(pick(*game, wrongEvery == 0 || click % wrongEvery != 0));
    }

private slots:
    void init()
    {
        grid.clear();
        prompts = ScriptedPrompts();
        game = std::make_unique<MemoryGame>(prompts);
    }

    void mixingIsAFixedCycle()
    {
        const QVector<QPoint> start = mixedPlaces(0);
        const QVector<QPoint> once = mixedPlaces(1);
        QCOMPARE(once.at(0), start.at(21)); // card 1 where card 22 stood
        QCOMPARE(once.at(14), start.at(0)); // card 15 where card 1 stood
        QCOMPARE(once.at(6), start.at(7));  // card 7 where card 8 stood
        for (int mixes = 1; mixes < 60; ++mixes)
            QVERIFY2(mixedPlaces(mixes) != start, qPrintable(QString::number(mixes)));
        QCOMPARE(mixedPlaces(60), start);
    }

    void questionOrder()
    {
        QCOMPARE(MemoryGame::clockSeed(QTime(13, 45, 7, 250)), 49507250u);
        QCOMPARE(MemoryGame::shuffledNumbers(0), SeedZeroOrder);
        // The partner comes from the front of the array, so the 33rd number moves only when
        // the first draw takes it; it then leaves the first person out.
        QCOMPARE(MemoryGame::shuffledNumbers(31).mid(22, 2), (QVector<int>{21, 33}));
        QCOMPARE(MemoryGame::shuffledNumbers(31).last(), 1);

        open(32, 0);
        QStringList expected;
        for (int i = 0; i < 32; ++i)
            expected << QString::number(SeedZeroOrder.at(i));
        expected << QStringList{"33", "34", "35", "36"};
        QCOMPARE(game->questions(), expected);
        QCOMPARE(game->prompt(), QStringLiteral("Klicke auf Kind 32"));
        game->open(grid); // shown again: a new order, not a second one behind the first
        QCOMPARE(game->questions(), expected);
    }

    void smallClassRound()
    {
        open(20, 0);
        QCOMPARE(game->prompt(), QStringLiteral("Klicke auf Kind 3")); // 32, 31, 26 passed over
        QStringList asked;
        for (int click = 1; click < 20; ++click) {
            asked << game->prompt();
            answer(1, click % 4 == 0 ? 1 : 0);
            QCOMPARE(game->attempts(), click);
            QCOMPARE(game->hits(), click - click / 4);
        }
        asked << game->prompt();
        asked.removeDuplicates();
        QCOMPARE(asked.size(), 20);
        QVERIFY(prompts.messages.isEmpty());
        answer(1, 1);
        QCOMPARE(prompts.messages,
                 QStringList{"1 mal rum, Anzahl der aktuellen Fehlversuche : 5."});
        QCOMPARE(game->attempts() + game->hits(), 0);
        QCOMPARE(places(*game), mixedPlaces(1));
        // The next round asks in the same order.
        QCOMPARE(game->prompt(), QStringLiteral("Klicke auf Kind 3"));
        answer(20);
        QCOMPARE(prompts.messages.last(),
                 QStringLiteral("2 mal rum, Anzahl der aktuellen Fehlversuche : 0."));
    }

    void tooManyPersons()
    {
        open(34, 31); // the first person falls off the end of this order
        QCOMPARE(prompts.messages, QStringList{"Üben geht nur mit 32 Personen!"});
        QCOMPARE(game->personCount(), 32);
        QStringList asked;
        for (int click = 0; click < 31; ++click) {
            asked << game->prompt();
            answer(1);
        }
        QVERIFY(!asked.contains(QStringLiteral("Klicke auf Kind 1")));
        QVERIFY(!asked.contains(QStringLiteral("Klicke auf Kind 33")));
        QVERIFY(!asked.contains(QStringLiteral("Klicke auf Kind 34")));
        QCOMPARE(game->prompt(), asked.last()); // the last prompt stays
        QCOMPARE(prompts.messages.size(), 1);
        game->clickCard(1);
        QCOMPARE(prompts.messages.last(),
                 QStringLiteral("1 mal rum, Anzahl der aktuellen Fehlversuche : 1."));
    }

    void namesAndFreeSlots()
    {
        open(6, 0);
        grid.setCell(0, ClassDocument::dataRow(4), QString()); // a free slot
        grid.setCell(0, ClassDocument::dataRow(2), QStringLiteral(" "));
        grid.setCell(0, ClassDocument::dataRow(5), QStringLiteral("Kind 2"));
        game->open(grid);
        QCOMPARE(game->personCount(), 4);
        for (int click = 0; click < 4; ++click) {
            QVERIFY(!game->prompt().trimmed().endsWith(QStringLiteral("auf")));
            // Two persons of one name answer for each other.
            if (game->prompt() == QStringLiteral("Klicke auf Kind 2"))
                game->clickCard(game->currentCard() == 2 ? 6 : 2);
            else
                answer(1);
        }
        QCOMPARE(prompts.messages,
                 QStringList{"1 mal rum, Anzahl der aktuellen Fehlversuche : 0."});

        game->open(ClassGrid()); // nobody to ask for: clicks count nothing
        QCOMPARE(game->prompt(), QString());
        game->clickCard(1);
        QCOMPARE(game->attempts(), 0);
        QCOMPARE(prompts.messages.size(), 1);
    }

    void automaticMixing()
    {
        game->setAutoMix(true);
        open(20, 0);
        // Counted questions: 3 18 9 10 6 4 17; those above 20 are passed over.
        answer(5);
        QCOMPARE(places(*game), mixedPlaces(0));
        answer(1);
        QCOMPARE(game->prompt(), QStringLiteral("Klicke auf Kind 17"));
        QCOMPARE(places(*game), mixedPlaces(1));

        game->setAutoMix(false);
        answer(8);
        QCOMPARE(places(*game), mixedPlaces(1));
    }

    void restartAndEnd()
    {
        quint32 seed = 0;
        open(10, 0);
        game->setSeedSource([&seed] { return seed; });
        answer(2, 2);
        QCOMPARE(game->attempts(), 2);

        seed = 12345; // asks 32 28 31 17 24 26 12 11 13 15 6 ...
        game->restart();
        QCOMPARE(game->attempts() + game->hits(), 0);
        QCOMPARE(game->questions().at(6), QStringLiteral("12"));
        QCOMPARE(game->prompt(), QStringLiteral("Klicke auf Kind 6"));
        QCOMPARE(places(*game), mixedPlaces(1));

        game->end();
        QCOMPARE(game->personCount(), 0);
        QVERIFY(game->questions().isEmpty());
        QCOMPARE(places(*game), mixedPlaces(1)); // the cards keep their places
    }

    void cardPictures()
    {
        QTemporaryDir project;
        ClassDocument document;
        for (int person = 0; person < 3; ++person)
            document.grid().setCell(0, ClassDocument::dataRow(person),
                                    QStringLiteral("Kind %1").arg(person + 1));
        QImage photo(135, 180, QImage::Format_RGB888);
        photo.fill(QColor(200, 120, 40));
        QVERIFY(PhotoConverter::saveStoredPhoto(photo, project.filePath("1.bmp")));
        document.grid().setCell(20, ClassDocument::dataRow(0), QStringLiteral("1.bmp"));
        document.grid().setCell(20, ClassDocument::dataRow(1),
                                QStringLiteral("Fotos\\fehlt\\2.bmp"));

        auto card = [&](int k) { return GamePictures::cardPicture(document, project.path(), k); };
        QCOMPARE(card(1).convertToFormat(QImage::Format_RGB888), photo);
        document.setPhotosVisible(false);
        QVERIFY(card(1).convertToFormat(QImage::Format_RGB888) != photo);
        QCOMPARE(card(2), GamePictures::namedPortrait(QStringLiteral("Kind 2")));
        QCOMPARE(card(3), GamePictures::namedPortrait(QStringLiteral("Kind 3")));
        QVERIFY(card(4).isNull());

        const QImage blank = ReportPicture::placeholder().convertToFormat(card(2).format());
        QVERIFY(card(2) != blank);
        QCOMPARE(card(2).copy(0, 0, 135, 88), blank.copy(0, 0, 135, 88)); // the name sits below
    }
};

QTEST_MAIN(GameTest)
#include "tst_game.moc"
