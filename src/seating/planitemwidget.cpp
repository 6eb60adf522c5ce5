#include "planitemwidget.h"

#include "seatingplan.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {

enum Edge
{
    Left = 1,
    Top = 2,
    Right = 4,
    Bottom = 8
};

} // namespace

PlanItemWidget::PlanItemWidget(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void PlanItemWidget::setSizing(Sizing sizing)
{
    m_sizing = sizing;
    update();
}

void PlanItemWidget::setColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

void PlanItemWidget::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void PlanItemWidget::setText(const QString &text)
{
    m_text = text;
    if (m_editor && m_editor->text() != text)
        m_editor->setText(text);
    update();
}

QString PlanItemWidget::text() const
{
    return m_editor ? m_editor->text() : m_text;
}

void PlanItemWidget::setTextFont(int pixelSize, bool bold)
{
    QFont f = font();
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    setFont(f);
}

void PlanItemWidget::setEditable(bool editable)
{
    if (editable == (m_editor != nullptr))
        return;
    if (!editable) {
        delete m_editor;
        m_editor = nullptr;
        return;
    }
    m_editor = new QLineEdit(m_text, this);
    m_editor->setFrame(false);
    m_editor->setAlignment(Qt::AlignCenter);
    m_editor->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    m_editor->setMouseTracking(true);
    m_editor->installEventFilter(this);
    connect(m_editor, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_text = text;
        emit textEdited(text);
    });
    m_editor->setGeometry(rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth));
    m_editor->show();
}

void PlanItemWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_editor)
        m_editor->setGeometry(rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth));
}

void PlanItemWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_colour);
    if (!m_picture.isNull())
        p.drawImage(rect(), m_picture);
    if (!m_editor && !m_text.isEmpty()) {
        p.setPen(palette().color(QPalette::WindowText));
        const QRect area = rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth);
        const QString text = m_text.trimmed();
        // Long names get a smaller font on a small desk rather than lose letters.
        QFont f = font();
        int flags = Qt::AlignCenter | Qt::TextWordWrap;
        for (int size = QFontInfo(f).pixelSize(); size >= 8; --size) {
            f.setPixelSize(size);
            const QRect needed = QFontMetrics(f).boundingRect(area, flags, text);
            if (needed.width() <= area.width() && needed.height() <= area.height())
                break;
            if (size == 8)
                flags = Qt::AlignCenter | Qt::TextWrapAnywhere;
        }
        p.setFont(f);
        p.drawText(area, flags, text);
    }
    if (m_sizing != Sizing::Fixed) {
        // The frame to take hold of: a dark outline and a lighter band inside it.
        p.setPen(m_colour.darker(170));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        QColor band = m_colour.lighter(125);
        band.setAlpha(160);
        p.setPen(QPen(band, 2));
        p.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
    }
    if (hasFocus()) {
        p.setPen(QPen(m_colour.darker(220), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(FrameWidth - 1, FrameWidth - 1, -FrameWidth, -FrameWidth));
    }
}

int PlanItemWidget::edgesAt(const QPoint &pos) const
{
    if (m_sizing == Sizing::Fixed)
        return 0;
    int edges = 0;
    if (pos.x() < FrameWidth)
        edges |= Left;
    if (pos.x() >= width() - FrameWidth)
        edges |= Right;
    if (m_sizing == Sizing::Free) {
        if (pos.y() < FrameWidth)
            edges |= Top;
        if (pos.y() >= height() - FrameWidth)
            edges |= Bottom;
    }
    return edges;
}

void PlanItemWidget::updateCursor(int edges)
{
    const bool horizontal = edges & (Left | Right);
    const bool vertical = edges & (Top | Bottom);
    if (horizontal && vertical) {
        const bool falling = (edges & Left && edges & Top) || (edges & Right && edges & Bottom);
        setCursor(falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
    } else if (horizontal) {
        setCursor(Qt::SizeHorCursor);
    } else if (vertical) {
        setCursor(Qt::SizeVerCursor);
    } else {
        unsetCursor();
    }
}

void PlanItemWidget::press(const QPointF &global, int edges)
{
    raise();
    m_pressed = true;
    m_moving = false;
    m_edges = edges;
    m_pressGlobal = global;
    m_pressGeometry = geometry();
}

bool PlanItemWidget::follow(const QPointF &global)
{
    if (!m_pressed)
        return false;
    const QPoint delta = (global - m_pressGlobal).toPoint();
    if (m_edges == 0) {
        // A click is not a move: the text of a piece may be meant.
        if (!m_moving && delta.manhattanLength() < QApplication::startDragDistance())
            return false;
        m_moving = true;
        QPoint to = m_pressGeometry.topLeft() + delta;
        // Nothing is lost beyond the edge of the window.
        if (const QWidget *room = parentWidget()) {
            to.setX(qBound(0, to.x(), room->width() - width()));
            to.setY(qBound(0, to.y(), room->height() - height()));
        }
        move(to);
        return true;
    }
    m_moving = true;
    const int least = SeatingPlan::MinimumSize;
    QRect r = m_pressGeometry;
    if (m_edges & Left)
        r.setLeft(qMin(r.left() + delta.x(), r.right() - least + 1));
    if (m_edges & Right)
        r.setRight(qMax(r.right() + delta.x(), r.left() + least - 1));
    if (m_edges & Top)
        r.setTop(qMin(r.top() + delta.y(), r.bottom() - least + 1));
    if (m_edges & Bottom)
        r.setBottom(qMax(r.bottom() + delta.y(), r.top() + least - 1));
    if (m_sizing == Sizing::Portrait)
        r.setHeight(SeatingPlan::photoHeightFor(r.width()));
    setGeometry(r);
    return true;
}

bool PlanItemWidget::release()
{
    const bool moved = m_moving;
    m_pressed = false;
    m_moving = false;
    if (moved && geometry() != m_pressGeometry)
        emit placed(geometry());
    return moved;
}

void PlanItemWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    press(event->globalPosition(), edgesAt(event->position().toPoint()));
}

void PlanItemWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed) {
        updateCursor(edgesAt(event->position().toPoint()));
        emit hovered();
        return;
    }
    follow(event->globalPosition());
}

void PlanItemWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        release();
}

void PlanItemWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PlanItemWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    emit focused();
}

bool PlanItemWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_editor)
        return QWidget::eventFilter(watched, event);
    // The text gets clicks and keys; a press that moves drags the piece.
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton)
            press(mouse->globalPosition(), 0);
        return false;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_pressed)
            emit hovered();
        return follow(mouse->globalPosition());
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        return mouse->button() == Qt::LeftButton && release();
    }
    default:
        return false;
    }
}
