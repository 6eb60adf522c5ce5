#include "enlargedtextpanel.h"

#include "sheetview.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>

EnlargedTextPanel::EnlargedTextPanel(QWidget *parent) : QFrame(parent), m_line(new QLineEdit)
{
    setObjectName(QStringLiteral("enlargedTextPanel"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QFont font = m_line->font();
    font.setPixelSize(23);
    m_line->setFont(font);
    m_line->setObjectName(QStringLiteral("enlargedText"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3); // a margin to grab the panel by
    layout->addWidget(m_line);
    resize(StartWidth, m_line->sizeHint().height() + 8);
    connect(m_line, &QLineEdit::textChanged, this, &EnlargedTextPanel::fitWidth);
    connect(m_line, &QLineEdit::textEdited, this, &EnlargedTextPanel::writeBack);
    hide();
}

void EnlargedTextPanel::follow(SheetView *view)
{
    connect(view, &SheetView::cellSelected, this, [this, view] { showCell(view); });
    connect(view->model(), &QAbstractItemModel::dataChanged, this, [this, view] {
        if (view->isVisible() && !m_line->hasFocus())
            showCell(view);
    });
}

void EnlargedTextPanel::showCell(SheetView *view)
{
    m_view = view;
    const QString text = view->currentIndex().data().toString();
    if (text.size() < 2) {
        m_line->clear();
        hide();
        return;
    }
    if (m_verbal) {
        const bool longText = text.size() > 60;
        QFont font = m_line->font();
        font.setPointSize(longText ? 10 : 17);
        m_line->setFont(font);
        move(longText ? QPoint(0, m_place.y()) : m_place);
        resize(StartWidth, m_line->sizeHint().height() + 8);
    }
    if (m_line->text() != text)
        m_line->setText(text);
    fitWidth();
    show();
    raise();
}

void EnlargedTextPanel::setVerbalMode(bool on, const QPoint &place)
{
    m_verbal = on;
    m_place = place;
    QFont font = m_line->font();
    font.setPixelSize(23);
    if (!on)
        m_line->setFont(font);
    move(place);
    resize(StartWidth, m_line->sizeHint().height() + 8);
}

void EnlargedTextPanel::fitWidth()
{
    int needed = m_line->fontMetrics().horizontalAdvance(m_line->text()) + 20 + 12;
    if (parentWidget())
        needed = qMin(needed, parentWidget()->width() - x());
    if (needed > width())
        resize(needed, height());
}

void EnlargedTextPanel::writeBack()
{
    if (!m_view)
        return;
    const QModelIndex index = m_view->currentIndex();
    if (!index.isValid() || !(index.flags() & Qt::ItemIsEditable))
        return;
    // Only the first line: a cell never holds a line break.
    m_view->model()->setData(index, m_line->text().section(QLatin1Char('\n'), 0, 0));
}

void EnlargedTextPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = event->position().toPoint();
    QFrame::mousePressEvent(event);
}

void EnlargedTextPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(mapToParent(event->position().toPoint() - m_dragOffset));
    QFrame::mouseMoveEvent(event);
}
