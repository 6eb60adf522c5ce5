#include "levelspanel.h"

#include "classdata/classdocument.h"
#include "evaluationlevels.h"
#include "linesprintdialog.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

LevelsPanel::LevelsPanel(ClassDocument &document, QWidget *parent)
    : QFrame(parent), m_document(document), m_text(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("levelsPanel"));
    setFrameShape(QFrame::Box);
    m_text->setObjectName(QStringLiteral("levelsText"));
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setToolTip(QStringLiteral("Doppelklick: drucken"));
    m_text->viewport()->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_text);
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (m_loading)
            return;
        m_storing = true;
        EvaluationLevels::storeChanges(m_document.grid(), m_text->toPlainText(), m_before);
        m_storing = false;
    });
    // Levels changed elsewhere while the editor is open show at once.
    ClassGrid &grid = m_document.grid();
    connect(&grid, &ClassGrid::cellChanged, this, [this](int, int row) {
        if (row == EvaluationLevels::Row)
            scheduleFollow();
    });
    connect(&grid, &ClassGrid::cellsChanged, this, &LevelsPanel::scheduleFollow);
    connect(&grid, &ClassGrid::reset, this, &LevelsPanel::scheduleFollow);
    hide();
}

void LevelsPanel::scheduleFollow()
{
    if (m_storing || m_followQueued || !isVisible())
        return;
    m_followQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_followQueued = false;
        if (!isVisible() || EvaluationLevels::cells(m_document.grid()) == m_before)
            return;
        const int position = m_text->textCursor().position();
        m_loading = true;
        m_text->setPlainText(EvaluationLevels::load(m_document.grid()));
        m_loading = false;
        m_before = EvaluationLevels::cells(m_document.grid());
        QTextCursor cursor = m_text->textCursor();
        cursor.setPosition(qMin(position, m_text->document()->characterCount() - 1));
        m_text->setTextCursor(cursor);
    });
}

void LevelsPanel::open()
{
    ClassGrid &grid = m_document.grid();
    if (EvaluationLevels::isStored(grid)) {
        m_loading = true;
        m_text->setPlainText(EvaluationLevels::load(grid));
        m_loading = false;
        QTextCursor cursor(m_text->document()->firstBlock());
        cursor.movePosition(QTextCursor::EndOfBlock);
        m_text->setTextCursor(cursor);
    } else {
        m_storing = true;
        EvaluationLevels::store(grid, m_text->toPlainText());
        m_storing = false;
    }
    m_before = EvaluationLevels::cells(grid);
    m_text->verticalScrollBar()->setValue(0);
    show();
    raise();
    m_text->setFocus();
}

bool LevelsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        LinesPrintDialog::print(this, m_text->font(),
                                EvaluationLevels::printLines(m_text->toPlainText()));
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
