#include "remarkspanel.h"

#include "classdata/classdocument.h"
#include "linesprintdialog.h"
#include "remarks.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

RemarksPanel::RemarksPanel(ClassDocument &document, QWidget *parent)
    : QFrame(parent), m_document(document), m_heading(new QLabel), m_text(new QPlainTextEdit),
      m_undo(new QPushButton(QStringLiteral("löschen rückgängig")))
{
    setObjectName(QStringLiteral("remarksPanel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setPopArt(false);
    resize(520, 420);

    m_text->setObjectName(QStringLiteral("remarksText"));
    m_undo->setObjectName(QStringLiteral("remarksUndo"));
    auto *close = new QPushButton(QStringLiteral("Schließen"));
    auto *cross = new QPushButton(QStringLiteral("X"));
    auto *clear = new QPushButton(QStringLiteral("Text löschen"));
    auto *print = new QPushButton(QStringLiteral("Drucken"));
    close->setObjectName(QStringLiteral("remarksClose"));
    cross->setObjectName(QStringLiteral("remarksCross"));
    clear->setObjectName(QStringLiteral("remarksClear"));
    print->setObjectName(QStringLiteral("remarksPrint"));
    cross->setFixedWidth(28);
    m_undo->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(m_heading, 1);
    top->addWidget(cross);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(close);
    buttons->addWidget(clear);
    buttons->addWidget(m_undo);
    buttons->addStretch();
    buttons->addWidget(print);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);

    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading)
            store();
    });
    connect(close, &QPushButton::clicked, this, [this] {
        hide();
        emit closed(true);
    });
    connect(cross, &QPushButton::clicked, this, [this] {
        hide();
        emit closed(false);
    });
    connect(clear, &QPushButton::clicked, this, &RemarksPanel::deleteText);
    connect(m_undo, &QPushButton::clicked, this, &RemarksPanel::undoDelete);
    connect(print, &QPushButton::clicked, this, &RemarksPanel::print);
    // The panel is dragged by a press anywhere on it, the text box included.
    m_heading->installEventFilter(this);

    // Remarks changed elsewhere while the editor is open (persons moved, say) show at once.
    ClassGrid &grid = m_document.grid();
    connect(&grid, &ClassGrid::cellChanged, this, [this](int, int row) {
        if (row == Remarks::FirstRow + m_person)
            scheduleFollow();
    });
    connect(&grid, &ClassGrid::cellsChanged, this, &RemarksPanel::scheduleFollow);
    connect(&grid, &ClassGrid::reset, this, &RemarksPanel::scheduleFollow);
}

void RemarksPanel::scheduleFollow()
{
    if (m_storing || m_followQueued || !isVisible())
        return;
    m_followQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_followQueued = false;
        if (isVisible() && Remarks::cells(m_document.grid(), m_person) != m_before)
            reload();
    });
}

void RemarksPanel::reload()
{
    const int position = m_text->textCursor().position();
    m_loading = true;
    m_text->setPlainText(Remarks::load(m_document.grid(), m_person));
    m_loading = false;
    m_before = Remarks::cells(m_document.grid(), m_person);
    QTextCursor cursor = m_text->textCursor();
    cursor.setPosition(qMin(position, m_text->document()->characterCount() - 1));
    m_text->setTextCursor(cursor);
}

void RemarksPanel::openFor(int person)
{
    m_person = person;
    m_heading->setText(m_document.grid().cell(0, ClassDocument::dataRow(person)));
    m_loading = true;
    m_text->setPlainText(Remarks::load(m_document.grid(), person));
    m_loading = false;
    m_before = Remarks::cells(m_document.grid(), person);
    m_text->verticalScrollBar()->setValue(0);
    show();
    raise();
    m_text->setFocus();
}

void RemarksPanel::setPopArt(bool on)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, on ? QColor(0xFE, 0xC5, 0xF9) : QColor(0xD8, 0xE9, 0xFC));
    setPalette(pal);
}

void RemarksPanel::store()
{
    const QString text = m_text->toPlainText();
    m_storing = true;
    const QString stored = Remarks::storeChanges(m_document.grid(), m_person, text, m_before);
    m_storing = false;
    if (stored != text) {
        // More than 151 lines: the rest is cut, as it could not be kept.
        m_loading = true;
        m_text->setPlainText(stored);
        m_text->moveCursor(QTextCursor::End);
        m_loading = false;
    }
}

void RemarksPanel::deleteText()
{
    QGuiApplication::clipboard()->setText(m_text->toPlainText());
    m_loading = true;
    m_text->clear();
    m_loading = false;
    m_storing = true;
    Remarks::store(m_document.grid(), m_person, QString());
    m_storing = false;
    m_before = Remarks::cells(m_document.grid(), m_person);
    m_undo->show();
}

void RemarksPanel::undoDelete()
{
    m_text->setPlainText(QGuiApplication::clipboard()->text());
    m_undo->hide();
}

void RemarksPanel::print()
{
    LinesPrintDialog::print(this, m_text->font(),
                            Remarks::printLines(m_heading->text(), m_text->toPlainText()));
}

bool RemarksPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint inPanel =
            static_cast<QWidget *>(watched)->mapTo(this, mouse->position().toPoint());
        if (event->type() == QEvent::MouseButtonPress)
            m_dragOffset = inPanel;
        else if (mouse->buttons() & Qt::LeftButton)
            move(mapToParent(inPanel - m_dragOffset));
    }
    return QFrame::eventFilter(watched, event);
}

void RemarksPanel::mousePressEvent(QMouseEvent *event)
{
    m_dragOffset = event->position().toPoint();
    QFrame::mousePressEvent(event);
}

void RemarksPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(mapToParent(event->position().toPoint() - m_dragOffset));
    QFrame::mouseMoveEvent(event);
}
