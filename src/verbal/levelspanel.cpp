#include "levelspanel.h"

#include "classdata/classdocument.h"
#include "evaluationlevels.h"
#include "linesprintdialog.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
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
        if (!m_loading)
            EvaluationLevels::store(m_document.grid(), m_text->toPlainText());
    });
    hide();
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
        EvaluationLevels::store(grid, m_text->toPlainText());
    }
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
