#include "subjectsheetview.h"

#include "classdata/classgrid.h"
#include "gradedistributionpanel.h"
#include "sheetkit/sheetview.h"
#include "subjectsheet.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

SubjectSheetView::SubjectSheetView(SubjectSheet &sheet, QWidget *parent)
    : QWidget(parent), m_sheet(sheet), m_view(new SheetView(sheet, this)),
      m_distribution(new GradeDistributionPanel(sheet.document(), sheet.subject(), this))
{
    m_view->setObjectName(QStringLiteral("subjectSheet%1").arg(sheet.subject()));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    // Below the final grades, where the eye is after typing a result.
    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(0, 2, 0, 0);
    bottom->addStretch();
    m_distribution->setFixedSize(m_distribution->sizeHint());
    bottom->addWidget(m_distribution);
    layout->addLayout(bottom);
    // The first subject's sheet brings its current row up to date whenever it gets the focus.
    if (sheet.subject() == 1)
        m_view->installEventFilter(this);
}

bool SubjectSheetView::eventFilter(QObject *watched, QEvent *event)
{
    // Not while an editor is open (its keys commit themselves), nor before the page was
    // first filled.
    if (watched == m_view && event->type() == QEvent::FocusIn && isVisible() && m_shown &&
        !m_view->isEditing()) {
        // A recount of the program's own, nothing the teacher did.
        const ClassGrid::Unrecorded recount(*m_sheet.sourceGrid());
        m_sheet.commit(m_view->currentIndex().row());
        m_view->refresh();
    }
    return QWidget::eventFilter(watched, event);
}

void SubjectSheetView::activate()
{
    m_shown = true;
    m_sheet.show();
    m_view->reload();
    const QPoint cursor = m_sheet.cursor();
    m_view->setCurrentIndex(m_view->model()->index(cursor.y(), cursor.x()));
    m_view->setFocus();
}
