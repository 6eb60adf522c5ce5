#include "memorygame.h"

#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "classdata/userprompts.h"

#include <QTime>

#include <utility>

namespace {
constexpr int Columns = 8;
constexpr int Rows = 4;
constexpr int ColumnLeft[Columns] = {58, 187, 316, 445, 574, 703, 833, 963};
constexpr int RowTop[Rows] = {46, 216, 386, 556};
// Card numbers as they lie on the board before the first mix.
constexpr int InitialLayout[Rows][Columns] = {
    {1, 2, 6, 7, 21, 12, 13, 14},
    {8, 3, 19, 16, 18, 9, 25, 30},
    {11, 4, 29, 20, 15, 22, 28, 10},
    {31, 5, 23, 24, 26, 27, 17, 32},
};
// The exchanges of one mix, by card number. The same steps every time: repeated, they bring
// the cards back to where they started.
constexpr std::pair<int, int> MixSteps[] = {
    {1, 15}, {1, 9},  {1, 11}, {1, 22}, {2, 25}, {2, 19}, {2, 30}, {3, 18}, {3, 23},
    {3, 10}, {3, 12}, {3, 21}, {4, 13}, {4, 17}, {4, 24}, {5, 32}, {5, 20}, {5, 16},
    {5, 27}, {6, 14}, {6, 26}, {6, 28}, {6, 31}, {7, 29}, {7, 8},
};

// Numbers in the question list from here on end the questions of a round; the two below
// them (and persons who do not take part) are passed over.
constexpr int EndOfQuestions = 35;
constexpr int MaxPersons = 32;

const QString PromptStart = QStringLiteral("Klicke auf ");
} // namespace

MemoryGame::MemoryGame(UserPrompts &prompts, QObject *parent)
    : QObject(parent), m_prompts(prompts),
      m_seedSource([] { return clockSeed(QTime::currentTime()); })
{
    for (int card = 1; card <= CardCount; ++card)
        m_places.append(initialPlace(card));
}

quint32 MemoryGame::clockSeed(const QTime &time)
{
    return quint32(((time.hour() * 60 + time.minute()) * 60 + time.second()) * 1000 + time.msec());
}

QVector<int> MemoryGame::shuffledNumbers(quint32 seed)
{
    QVector<int> numbers;
    for (int n = 1; n <= CardCount + 1; ++n)
        numbers.append(n);
    // The partner of position i is drawn from 0..32-i, not from i..32, so the order is not
    // evenly spread; it is kept because it is the order teachers know from the game.
    for (int i = 0; i < CardCount; ++i) {
        seed = seed * 134775813u + 1u;
        const int j = int((quint64(seed) * quint64(CardCount + 1 - i)) >> 32);
        std::swap(numbers[i], numbers[j]);
    }
    return numbers;
}

QPoint MemoryGame::initialPlace(int card)
{
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            if (InitialLayout[row][column] == card)
                return QPoint(ColumnLeft[column], RowTop[row]);
        }
    }
    return QPoint();
}

bool MemoryGame::takesPart(int card) const
{
    return card >= 1 && card <= CardCount && !m_names.value(card - 1).trimmed().isEmpty();
}

void MemoryGame::open(const ClassGrid &grid)
{
    clearCounters();
    m_names.clear();
    int named = 0;
    for (int person = 0; person < ClassDocument::PersonCount; ++person) {
        const QString name = grid.cell(0, ClassDocument::dataRow(person));
        if (person < CardCount)
            m_names.append(name);
        if (!name.trimmed().isEmpty())
            ++named;
    }
    for (int card = 1; card <= CardCount; ++card) {
        if (takesPart(card))
            ++m_personCount;
    }
    if (named > MaxPersons) {
        emit changed();
        m_prompts.showMessage(QStringLiteral("Üben geht nur mit 32 Personen!"));
    }
    if (m_personCount > 0)
        startQuestions();
    emit changed();
}

void MemoryGame::clickCard(int card)
{
    if (m_personCount == 0 || card < 1 || card > CardCount)
        return;
    ++m_attempts;
    // By the text: two persons of the same name count as each other.
    if (m_prompt == PromptStart + name(card))
        ++m_hits;
    emit changed();
    askNextQuestion();
    emit changed();
}

void MemoryGame::mixCards()
{
    exchangePlaces();
    emit changed();
}

void MemoryGame::exchangePlaces()
{
    for (const auto &[first, second] : MixSteps)
        std::swap(m_places[first - 1], m_places[second - 1]);
}

void MemoryGame::restart()
{
    m_rounds = m_attempts = m_hits = 0;
    m_questionIndex = -1;
    exchangePlaces();
    m_questions.clear();
    if (m_personCount > 0)
        startQuestions();
    emit changed();
}

void MemoryGame::end()
{
    clearCounters();
    m_names.clear();
    emit changed();
}

void MemoryGame::clearCounters()
{
    m_questions.clear();
    m_prompt.clear();
    m_personCount = 0;
    m_questionIndex = -1;
    m_currentCard = 0;
    m_hits = m_attempts = m_rounds = m_mixCounter = 0;
}

void MemoryGame::startQuestions()
{
    const QVector<int> numbers = shuffledNumbers(m_seedSource());
    for (int i = 0; i < CardCount; ++i)
        m_questions.append(QString::number(numbers.at(i)));
    for (int n = 33; n <= 36; ++n)
        m_questions.append(QString::number(n));
    askNextQuestion();
}

void MemoryGame::askNextQuestion()
{
    if (m_attempts == m_personCount) {
        m_questionIndex = -1;
        ++m_rounds;
        emit changed();
        m_prompts.showMessage(QString::number(m_rounds) +
                              QStringLiteral(" mal rum, Anzahl der aktuellen Fehlversuche : ") +
                              QString::number(m_attempts - m_hits) + QLatin1Char('.'));
        m_attempts = m_hits = 0;
        exchangePlaces();
    }
    // Passed-over entries take back their count, so only questions asked count.
    for (;;) {
        if (m_autoMix) {
            if (++m_mixCounter == MixEvery) {
                exchangePlaces();
                m_mixCounter = 0;
            }
        } else {
            m_mixCounter = 0;
        }
        ++m_questionIndex;
        if (m_questionIndex >= m_questions.size()) {
            m_prompts.showMessage(QStringLiteral("Unbekannter Fehler, bitte neu starten."));
            return;
        }
        const int number = m_questions.at(m_questionIndex).toInt();
        if (number >= EndOfQuestions)
            return; // the last prompt stays until the round is complete
        if (takesPart(number)) {
            m_currentCard = number;
            m_prompt = PromptStart + name(number);
            return;
        }
        --m_mixCounter;
    }
}
