#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class ClassGrid;
class QTime;
class UserPrompts;

// The rules of the name-learning game, without a window: which person is asked for, what a
// click on a card counts, and where each card lies. Card k (1..32) shows person k-1.
class MemoryGame : public QObject
{
    Q_OBJECT

public:
    static constexpr int CardCount = 32;
    static constexpr int CardWidth = 123;
    static constexpr int CardHeight = 164;
    // Automatic mixing rearranges the cards before every seventh question asked.
    static constexpr int MixEvery = 7;

    explicit MemoryGame(UserPrompts &prompts, QObject *parent = nullptr);

    // Milliseconds since midnight: a new question order each time the game starts.
    static quint32 clockSeed(const QTime &time);
    // The 33 numbers 1..33 as the seed shuffles them; the first 32 become questions.
    static QVector<int> shuffledNumbers(quint32 seed);
    // Where a card lies before it was ever mixed (top left corner in the window).
    static QPoint initialPlace(int card);

    // Where each new question order takes its seed; the clock unless set.
    void setSeedSource(std::function<quint32()> source) { m_seedSource = std::move(source); }

    // Takes the names of the class and starts a new round with a new question order.
    void open(const ClassGrid &grid);
    void clickCard(int card);
    // Exchanges the places of the cards, always in the same 25 steps.
    void mixCards();
    // Counters back to zero, cards mixed, a new question order.
    void restart();
    // Forgets the class and every counter; the places of the cards stay.
    void end();

    bool autoMix() const { return m_autoMix; }
    void setAutoMix(bool on) { m_autoMix = on; }

    int attempts() const { return m_attempts; }
    int hits() const { return m_hits; }
    int rounds() const { return m_rounds; }
    int personCount() const { return m_personCount; }
    int mixCounter() const { return m_mixCounter; }
    int questionIndex() const { return m_questionIndex; }
    int currentCard() const { return m_currentCard; }
    QString prompt() const { return m_prompt; }
    QStringList questions() const { return m_questions; }

    QPoint cardPlace(int card) const { return m_places.at(card - 1); }
    QString name(int card) const { return m_names.value(card - 1); }
    // Only named persons are asked for.
    bool takesPart(int card) const;

signals:
    // Counters, prompt or places changed; also just before a message is shown.
    void changed();

private:
    void exchangePlaces();
    void startQuestions();
    void askNextQuestion();
    void clearCounters();

    UserPrompts &m_prompts;
    std::function<quint32()> m_seedSource;
    QStringList m_names;
    QStringList m_questions;
    QVector<QPoint> m_places;
    QString m_prompt;
    bool m_autoMix = false;
    int m_attempts = 0;
    int m_hits = 0;
    int m_rounds = 0;
    int m_personCount = 0;
    int m_mixCounter = 0;
    int m_questionIndex = -1;
    int m_currentCard = 0;
};
