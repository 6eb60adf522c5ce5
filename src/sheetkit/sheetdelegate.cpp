#include "sheetdelegate.h"

#include "sheetlogic.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QTimer>

namespace {

// A narrow column's editor grows over its neighbours while its text is longer than the
// cell, so that every typed character stays in view.
void widenToText(QLineEdit *editor)
{
    const int cellWidth = editor->property("cellWidth").toInt();
    const int needed = editor->fontMetrics().horizontalAdvance(editor->text()) + 8;
    editor->resize(qMax(cellWidth, needed), editor->height());
}

// Shortens `text` with "…" to fit into `room` pixels, unless a smaller font, down to
// `smallest` points (never below 8 pixels), takes the whole text: `font` becomes that font.
QString fitText(QFont &font, const QString &text, int room, qreal smallest)
{
    const auto fits = [&](const QFont &candidate) {
        return QFontMetrics(candidate).elidedText(text, Qt::ElideRight, room) == text;
    };
    if (!fits(font)) {
        QFont smaller = font;
        const bool pixels = font.pixelSize() > 0;
        const int smallestPixels = qMax(8, int(font.pixelSize() * smallest / 9));
        while (!fits(smaller)) {
            if (pixels ? smaller.pixelSize() <= smallestPixels : smaller.pointSizeF() <= smallest)
                break;
            if (pixels)
                smaller.setPixelSize(smaller.pixelSize() - 1);
            else
                smaller.setPointSizeF(qMax(smallest, smaller.pointSizeF() - 0.5));
        }
        if (fits(smaller))
            font = smaller;
    }
    return QFontMetrics(font).elidedText(text, Qt::ElideRight, room);
}

} // namespace

SheetDelegate::SheetDelegate(SheetLogic &logic, QTableView *view)
    : QStyledItemDelegate(view), m_logic(logic), m_view(view)
{}

void SheetDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const
{
    const int column = index.column();
    const int row = index.row();
    const QRect rect = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const int currentRow = m_view->currentIndex().isValid() ? m_view->currentIndex().row() : -1;

    painter->save();
    painter->fillRect(rect, m_logic.background(column, row, selected, currentRow));
    const QString text = index.data().toString();
    const QColor colour = m_logic.foreground(column, row);
    // Fixed labels and computed cells may take a much smaller font when the whole text fits
    // then, what the teacher typed a slightly smaller one. Anything longer is shortened with
    // "…" (the enlarged panel shows it whole).
    const bool typed = m_logic.isEditable(column, row);
    if (m_logic.isRotated(column, row)) {
        // Turned texts run up the cell from its bottom edge.
        const QString face = QStringLiteral("Arial");
        QFont font(face);
        font.setPointSize(qMin(9, rect.width() / 2));
        QString shown = text;
        if (font.pointSize() > 0)
            shown = fitText(font, text, rect.height() - 3, typed ? 8 : 7);
        DrawRotatedCellText(painter, shown, rect.width(), 0, colour, int(font.pointSizeF()), face,
                            rect);
    } else if (!text.isEmpty()) {
        const QRect room = rect.adjusted(2, 0, -1, 0);
        // Short results shrink to fit a narrow column before anything is shortened.
        QFont font = SheetDelegate::fittingFont(option.font, text, room.width());
        const QString shown = fitText(font, text, room.width(), typed ? 8 : 6);
        painter->setPen(colour);
        painter->setFont(font);
        painter->setClipRect(rect);
        painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
    painter->restore();

    painter->save();
    painter->setPen(QPen(Qt::black, 2));
    if (m_logic.thickRightEdge(column))
        painter->drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
    if (m_logic.thickRightEdge(column - 1) && column > 0)
        painter->drawLine(rect.left(), rect.top(), rect.left(), rect.bottom());
    if (m_logic.thickBottomEdge(row))
        painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter->restore();
}

QWidget *SheetDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                     const QModelIndex &index) const
{
    Q_UNUSED(option)
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    if (m_logic.takesDigitsOnly(index.column(), index.row())) {
        // Any other key is dropped before it reaches the cell.
        static const QRegularExpression digits(QStringLiteral("[0-9]*"));
        editor->setValidator(new QRegularExpressionValidator(digits, editor));
    }
    connect(editor, &QLineEdit::textChanged, editor, [editor] { widenToText(editor); });
    // Commit on every key: the view takes the editor's text right after the key event.
    connect(editor, &QLineEdit::textEdited, this, [this, editor] {
        QTimer::singleShot(0, editor, [this, editor] {
            emit const_cast<SheetDelegate *>(this)->commitData(editor);
        });
    });
    return editor;
}

void SheetDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line && line->text() != text)
        line->setText(text);
}

void SheetDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setProperty("cellWidth", line->width());
        widenToText(line);
    }
}

QFont SheetDelegate::fittingFont(const QFont &font, const QString &text, int width)
{
    constexpr int LongestShortText = 4;
    constexpr int SmallestPixelSize = 6;
    QFont fitted = font;
    if (text.size() > LongestShortText)
        return fitted;
    int pixels = QFontInfo(font).pixelSize();
    while (pixels > SmallestPixelSize && QFontMetrics(fitted).horizontalAdvance(text) > width) {
        --pixels;
        fitted.setPixelSize(pixels);
    }
    return fitted;
}

bool SheetDelegate::eventFilter(QObject *object, QEvent *event)
{
    // The window losing the focus for a moment (another window, a window system without a
    // manager that hands it around) must not end the edit: the next key would open a new
    // editor over the cell and replace what was typed so far. Every key is committed
    // already, so an editor left open loses nothing.
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void DrawRotatedCellText(QPainter *painter, const QString &text, int columnWidth, int alignment,
                         const QColor &colour, int size, const QString &faceName, const QRect &rect)
{
    size = qMin(size, columnWidth / 2);
    if (size <= 0 || text.isEmpty())
        return;
    int x = rect.left() + 2;
    if (alignment == 1)
        x = rect.right() - size - size / 2 - 2;
    else if (alignment == 2)
        x = rect.left() + columnWidth / 2 - size + size / 3;
    const int y = rect.bottom() - 2;

    QFont font(faceName);
    font.setPointSize(size);
    painter->save();
    painter->setClipRect(rect);
    painter->setFont(font);
    painter->setPen(colour);
    // The text starts at the bottom and reads upwards; its ascent lies to the left of the
    // turned baseline, so the baseline sits one ascent to the right of x.
    const int ascent = QFontMetrics(font).ascent();
    painter->translate(x + ascent, y);
    painter->rotate(-90);
    painter->drawText(0, 0, text);
    painter->restore();
}
