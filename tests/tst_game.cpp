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

void name(ClassGrid &grid, int persons)
{
    for (int person = 0; person < persons; ++person)
        grid.setCell(0, ClassDocument::dataRow(person), QStringLiteral("Kind %1").arg(person + 1));
}

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

// The places themselves, whichever card lies on them.
QVector<QPoint> board(QVector<QPoint> places)
{
    std::sort(places.begin(), places.end(), [](const QPoint &a, const QPoint &b) {
        return std::make_pair(a.y(), a.x()) < std::make_pair(b.y(), b.x());
    });
    return places;
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
        name(grid, persons);
        game->setSeedSource([seed] { return seed; });
        game->open(grid);
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
        const QVector<QPoint> grid = board(start);
        QVector<QPoint> distinct = grid;
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        QCOMPARE(distinct.size(), MemoryGame::CardCount);
        QCOMPARE(start.at(0), QPoint(58, 46));
        QCOMPARE(start.at(31), QPoint(963, 556));

        const QVector<QPoint> once = mixedPlaces(1);
        QCOMPARE(once.at(0), start.at(21)); // card 1 where card 22 stood
        QCOMPARE(once.at(14), start.at(0)); // card 15 where card 1 stood
        QCOMPARE(once.at(6), start.at(7));  // card 7 where card 8 stood
        QCOMPARE(board(once), grid);

        for (int mixes = 1; mixes < 60; ++mixes)
            QVERIFY2(mixedPlaces(mixes) != start, qPrintable(QString::number(mixes)));
        QCOMPARE(mixedPlaces(60), start);
    }

    void questionOrder()
    {
        QCOMPARE(MemoryGame::clockSeed(QTime(13, 45, 7, 250)), 49507250u);
        QCOMPARE(MemoryGame::clockSeed(QTime(23, 59, 59, 999)), 86399999u);
        QCOMPARE(MemoryGame::shuffledNumbers(0), SeedZeroOrder);
        // The partner comes from the front of the array, so the 33rd number moves only when
        // the first draw takes it; it then leaves the first person out.
        QCOMPARE(MemoryGame::shuffledNumbers(31).mid(22, 2), (QVector<int>{21, 33}));
        QCOMPARE(MemoryGame::shuffledNumbers(31).last(), 1);

        open(32, 0);
        QStringList expected;
        for (int i = 0; i < 32; ++i)
            expected << QString::number(SeedZeroOrder.at(i));
        expected << "33"
                 << "34"
                 << "35"
                 << "36";
        QCOMPARE(game->questions(), expected);
        QCOMPARE(game->prompt(), QStringLiteral("Klicke auf Kind 32"));
        QCOMPARE(game->currentCard(), 32);

        // Each start appends one order to an emptied list.
        game->restart();
        QCOMPARE(game->questions(), expected);
        game->open(grid);
        QCOMPARE(game->questions().size(), 36);
    }

    void smallClassRound()
    {
        open(20, 0);
        QCOMPARE(game->personCount(), 20);
        QCOMPARE(game->prompt(), QStringLiteral("Klicke auf Kind 3")); // 32, 31, 26 passed over
        const QVector<QPoint> start = places(*game);

        QStringList asked;
        for (int click = 1; click <= 20; ++click) {
            asked << game->prompt();
            game->clickCard(pick(*game, click % 4 != 0)); // every fourth click is wrong
            if (click < 20) {
                QCOMPARE(game->attempts(), click);
                QCOMPARE(game->hits(), click - click / 4);
                QVERIFY(prompts.messages.isEmpty());
            }
        }
        asked.removeDuplicates();
        QCOMPARE(asked.size(), 20);
        QCOMPARE(prompts.messages,
                 QStringList{"1 mal rum, Anzahl der aktuellen Fehlversuche : 5."});
        QCOMPARE(game->rounds(), 1);
        QCOMPARE(game->attempts(), 0);
        QCOMPARE(game->hits(), 0);
        QCOMPARE(places(*game), mixedPlaces(1));
        QVERIFY(places(*game) != start);
        // The next round asks in the same order.
        QCOMPARE(game->prompt(), QStringLiteral("Klicke auf Kind 3"));

        for (int click = 0; click < 20; ++click)
            game->clickCard(pick(*game, true));
        QCOMPARE(prompts.messages.last(),
                 QStringLiteral("2 mal rum, Anzahl der aktuellen Fehlversuche : 0."));
    }

    void leftOutPersonKeepsLastPrompt()
    {
        open(32, 31); // the first person falls off the end of the order
        QStringList asked;
        for (int click = 0; click < 31; ++click) {
            asked << game->prompt();
            game->clickCard(pick(*game, true));
        }
        QVERIFY(!asked.contains(QStringLiteral("Klicke auf Kind 1")));
        QCOMPARE(game->prompt(), asked.last());
        QCOMPARE(game->hits(), 31);
        QVERIFY(prompts.messages.isEmpty());
        game->clickCard(1);
        QCOMPARE(prompts.messages,
                 QStringList{"1 mal rum, Anzahl der aktuellen Fehlversuche : 1."});
    }

    void tooManyPersons()
    {
        open(34, 0);
        QCOMPARE(prompts.messages, QStringList{"Üben geht nur mit 32 Personen!"});
        QCOMPARE(game->personCount(), 32);
        for (int click = 0; click < 32; ++click) {
            QVERIFY(game->prompt() != QStringLiteral("Klicke auf Kind 33"));
            QVERIFY(game->prompt() != QStringLiteral("Klicke auf Kind 34"));
            game->clickCard(pick(*game, true));
        }
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(game->rounds(), 1);
    }

    void namesAndFreeSlots()
    {
        name(grid, 6);
        grid.setCell(0, ClassDocument::dataRow(4), QString()); // a free slot
        grid.setCell(0, ClassDocument::dataRow(2), QStringLiteral(" "));
        grid.setCell(0, ClassDocument::dataRow(5), QStringLiteral("Kind 2"));
        open(0, 0);
        QCOMPARE(game->personCount(), 4);
        QVERIFY(!game->takesPart(3));
        QVERIFY(!game->takesPart(5));
        for (int click = 0; click < 4; ++click) {
            QVERIFY(game->prompt() != QStringLiteral("Klicke auf "));
            QVERIFY(game->prompt() != QStringLiteral("Klicke auf  "));
            // Two persons of one name answer for each other.
            if (game->prompt() == QStringLiteral("Klicke auf Kind 2"))
                game->clickCard(game->currentCard() == 2 ? 6 : 2);
            else
                game->clickCard(pick(*game, true));
        }
        QCOMPARE(prompts.messages,
                 QStringList{"1 mal rum, Anzahl der aktuellen Fehlversuche : 0."});
    }

    void emptyClassAsksNothing()
    {
        open(0, 0);
        QCOMPARE(game->personCount(), 0);
        QCOMPARE(game->prompt(), QString());
        game->clickCard(1);
        QCOMPARE(game->attempts(), 0);
        QVERIFY(prompts.messages.isEmpty());
    }

    void automaticMixing()
    {
        game->setAutoMix(true);
        open(20, 0);
        // Counted questions: 3 18 9 10 6 4 17; those above 20 are passed over.
        for (int click = 1; click <= 5; ++click)
            game->clickCard(pick(*game, true));
        QCOMPARE(places(*game), mixedPlaces(0));
        QCOMPARE(game->mixCounter(), 6);
        game->clickCard(pick(*game, true));
        QCOMPARE(game->prompt(), QStringLiteral("Klicke auf Kind 17"));
        QCOMPARE(places(*game), mixedPlaces(1));
        QCOMPARE(game->mixCounter(), 0);

        game->setAutoMix(false);
        for (int click = 0; click < 8; ++click)
            game->clickCard(pick(*game, true));
        QCOMPARE(places(*game), mixedPlaces(1));
        QCOMPARE(game->mixCounter(), 0);
    }

    void restartAndEnd()
    {
        quint32 seed = 0;
        name(grid, 10);
        game->setSeedSource([&seed] { return seed; });
        game->open(grid);
        game->clickCard(pick(*game, true));
        game->clickCard(pick(*game, false));
        QCOMPARE(game->attempts(), 2);

        seed = 12345;
        game->restart();
        QCOMPARE(game->attempts(), 0);
        QCOMPARE(game->hits(), 0);
        QCOMPARE(game->questions().first(), QStringLiteral("32")); // 32 28 31 17 24 26 12 ...
        QCOMPARE(game->questions().at(6), QStringLiteral("12"));
        QCOMPARE(game->prompt(), QStringLiteral("Klicke auf Kind 6"));
        QCOMPARE(places(*game), mixedPlaces(1));

        game->end();
        QCOMPARE(game->personCount(), 0);
        QVERIFY(game->questions().isEmpty());
        QCOMPARE(game->questionIndex(), -1);
        QCOMPARE(places(*game), mixedPlaces(1)); // the cards keep their places
    }

    void cardPictures()
    {
        QTemporaryDir project;
        ClassDocument document;
        ClassGrid &cells = document.grid();
        name(cells, 3);
        QImage photo(135, 180, QImage::Format_RGB888);
        photo.fill(QColor(200, 120, 40));
        QVERIFY(PhotoConverter::saveStoredPhoto(photo, project.filePath("1.bmp")));
        cells.setCell(20, ClassDocument::dataRow(0), QStringLiteral("1.bmp"));
        cells.setCell(20, ClassDocument::dataRow(1), QStringLiteral("Fotos\\fehlt\\2.bmp"));

        auto card = [&](int k) { return GamePictures::cardPicture(document, project.path(), k); };
        QCOMPARE(card(1).convertToFormat(QImage::Format_RGB888), photo);
        document.setPhotosVisible(false);
        QVERIFY(card(1).convertToFormat(QImage::Format_RGB888) != photo);
        QCOMPARE(card(2), GamePictures::namedPortrait(QStringLiteral("Kind 2")));
        QCOMPARE(card(3), GamePictures::namedPortrait(QStringLiteral("Kind 3")));
        QVERIFY(card(4).isNull());

        const QImage portrait = GamePictures::namedPortrait(QStringLiteral("Kind 2"));
        const QImage blank = ReportPicture::placeholder().convertToFormat(portrait.format());
        QCOMPARE(portrait.size(), blank.size());
        QVERIFY(portrait != blank);
        QCOMPARE(portrait.copy(0, 0, 135, 88), blank.copy(0, 0, 135, 88)); // the name sits below
    }
};

QTEST_MAIN(GameTest)
#include "tst_game.moc"
