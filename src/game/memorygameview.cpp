#include "memorygameview.h"

#include "gamepictures.h"

#include "classdata/classdocument.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int LineTop = 12;
constexpr int LineHeight = 24;

// By palette, not style sheet: a style sheet set on hover would drop the label's font.
void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void setCounter(QLabel *label, const QString &caption, int value)
{
    label->setText(caption + QString::number(value));
}
} // namespace

MemoryGameView::MemoryGameView(ClassDocument &document, std::function<QString()> projectFolder,
                               UserPrompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_document(document),
      m_projectFolder(std::move(projectFolder)), m_game(prompts),
      m_background(QPixmap::fromImage(GamePictures::background()))
{
    setObjectName(QStringLiteral("memoryGame"));
    setWindowTitle(QStringLiteral("Spielend lernen"));
    setFixedSize(WindowWidth, WindowHeight);

    QFont font = this->font();
    font.setPointSize(11);
    setFont(font);

    for (int card = 1; card <= MemoryGame::CardCount; ++card) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("card%1").arg(card));
        label->setFixedSize(MemoryGame::CardWidth, MemoryGame::CardHeight);
        label->setScaledContents(true);
        label->setCursor(Qt::PointingHandCursor);
        label->move(MemoryGame::initialPlace(card));
        label->hide();
        label->installEventFilter(this);
        m_cards.append(label);
    }

    m_attempts = addCommand(QStringLiteral("Versuche: 0"), "attemptsLabel",
                            QRect(58, LineTop, 120, LineHeight));
    QFont underlined = m_attempts->font();
    underlined.setBold(true);
    underlined.setUnderline(true);
    m_attempts->setFont(underlined);

    m_hits = new QLabel(QStringLiteral("Treffer: 0"), this);
    m_hits->setObjectName(QStringLiteral("hitsLabel"));
    m_hits->setGeometry(187, LineTop, 110, LineHeight);
    setTextColour(m_hits, Qt::white);

    m_prompt = new QLineEdit(this);
    m_prompt->setObjectName(QStringLiteral("promptField"));
    m_prompt->setReadOnly(true);
    m_prompt->setFocusPolicy(Qt::NoFocus);
    m_prompt->setGeometry(316, LineTop - 2, 380, LineHeight + 4);

    m_mix = addCommand(QStringLiteral("manuell mischen"), "mixLabel",
                       QRect(725, LineTop, 130, LineHeight));

    m_autoMix = new QCheckBox(QStringLiteral("Mischomatik"), this);
    m_autoMix->setObjectName(QStringLiteral("autoMixCheck"));
    m_autoMix->setGeometry(870, LineTop, 130, LineHeight);
    setTextColour(m_autoMix, Qt::white);
    connect(m_autoMix, &QCheckBox::toggled, this, [this](bool on) { m_game.setAutoMix(on); });

    m_end = addCommand(QStringLiteral("Ende"), "endLabel", QRect(1040, LineTop, 46, LineHeight));
    m_end->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(&m_game, &MemoryGame::changed, this, &MemoryGameView::showState);
}

QLabel *MemoryGameView::addCommand(const QString &text, const char *name, const QRect &place)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    setTextColour(label, Qt::white);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    return label;
}

void MemoryGameView::start(const QPoint &planTopLeft)
{
    move(planTopLeft + QPoint(8, 0));
    show();
    raise();
    activateWindow();
    m_running = true;
    loadCards();
    m_game.open(m_document.grid());
}

void MemoryGameView::loadCards()
{
    const QString folder = m_projectFolder ? m_projectFolder() : QString();
    for (int card = 1; card <= MemoryGame::CardCount; ++card) {
        const QImage picture = GamePictures::cardPicture(m_document, folder, card);
        QLabel *label = m_cards.at(card - 1);
        // An empty slot shows no card, so a click there cannot count as a wrong answer.
        label->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
        label->setVisible(!picture.isNull());
    }
}

void MemoryGameView::showState()
{
    setCounter(m_attempts, QStringLiteral("Versuche: "), m_game.attempts());
    setCounter(m_hits, QStringLiteral("Treffer: "), m_game.hits());
    m_prompt->setText(m_game.prompt());
    for (int card = 1; card <= MemoryGame::CardCount; ++card)
        m_cards.at(card - 1)->move(m_game.cardPlace(card));
}

bool MemoryGameView::eventFilter(QObject *watched, QEvent *event)
{
    auto *label = qobject_cast<QLabel *>(watched);
    const bool command = label && (label == m_attempts || label == m_mix || label == m_end);
    switch (event->type()) {
    case QEvent::Enter:
        if (command)
            setTextColour(label, QColor(255, 0, 0));
        break;
    case QEvent::Leave:
        if (command)
            setTextColour(label, Qt::white);
        break;
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!label || mouse->button() != Qt::LeftButton ||
            !label->rect().contains(mouse->position().toPoint()))
            break;
        if (label == m_attempts) {
            m_game.restart();
        } else if (label == m_mix) {
            m_game.mixCards();
        } else if (label == m_end) {
            close();
        } else {
            const int card = m_cards.indexOf(label) + 1;
            if (card > 0)
                m_game.clickCard(card);
        }
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void MemoryGameView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_background);
}

void MemoryGameView::closeEvent(QCloseEvent *event)
{
    // Closed by "Ende" or by the window system: either way the game ends and the plan is left.
    finish();
    QWidget::closeEvent(event);
}

void MemoryGameView::finish()
{
    if (!m_running)
        return;
    m_running = false;
    for (QLabel *label : std::as_const(m_cards)) {
        label->setPixmap(QPixmap());
        label->hide();
    }
    m_game.end();
    emit ended();
}
