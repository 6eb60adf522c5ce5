#pragma once

#include "memorygame.h"

#include <QPixmap>
#include <QVector>
#include <QWidget>

#include <functional>

class ClassDocument;
class QCheckBox;
class QLabel;
class QLineEdit;
class UserPrompts;

// The game window: a frameless board of 32 cards over the seating plan, with the counters,
// the prompt and the commands in one line at the top. The rules are MemoryGame's.
class MemoryGameView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int WindowWidth = 1165;
    static constexpr int WindowHeight = 745;

    MemoryGameView(ClassDocument &document, std::function<QString()> projectFolder,
                   UserPrompts &prompts, QWidget *parent = nullptr);

    // Shows the window beside the seating plan's top left corner and starts a round.
    void start(const QPoint &planTopLeft);

    MemoryGame &game() { return m_game; }
    QLabel *card(int card) const { return m_cards.at(card - 1); }

signals:
    // "Ende": the game window is closed, and the seating plan is left too.
    void ended();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *addCommand(const QString &text, const char *name, const QRect &place);
    void loadCards();
    void showState();
    void finish();

    ClassDocument &m_document;
    std::function<QString()> m_projectFolder;
    MemoryGame m_game;
    QPixmap m_background;
    QVector<QLabel *> m_cards;
    QLabel *m_attempts = nullptr;
    QLabel *m_hits = nullptr;
    QLineEdit *m_prompt = nullptr;
    QLabel *m_mix = nullptr;
    QCheckBox *m_autoMix = nullptr;
    QLabel *m_end = nullptr;
    bool m_running = false;
};
