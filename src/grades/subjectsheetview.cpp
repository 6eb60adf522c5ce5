#include "subjectsheetview.h"

#include "sheetview.h"
#include "subjectsheet.h"

#include <QVBoxLayout>

SubjectSheetView::SubjectSheetView(SubjectSheet &sheet, QWidget *parent)
    : QWidget(parent), m_sheet(sheet), m_view(new SheetView(sheet, this))
{
    m_view->setObjectName(QStringLiteral("subjectSheet%1").arg(sheet.subject()));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

void SubjectSheetView::activate()
{
    m_sheet.show();
    m_view->reload();
    const QPoint cursor = m_sheet.cursor();
    m_view->setCurrentIndex(m_view->model()->index(cursor.y(), cursor.x()));
    m_view->setFocus();
}
