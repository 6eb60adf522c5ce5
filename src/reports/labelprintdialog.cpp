#include "labelprintdialog.h"

#include "labelsheet.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

namespace {

QDoubleSpinBox *offsetBox(double value, QWidget *parent)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(-LabelPrintDialog::MaxOffset, LabelPrintDialog::MaxOffset);
    box->setSingleStep(0.5);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    return box;
}

} // namespace

LabelPrinter::Result LabelPrintDialog::print(const LabelSheet &sheet)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(LabelSheet::pageLayout());
    printer.setDocName(QStringLiteral("Etiketten"));

    QPrintPreviewDialog preview(&printer, m_parent);
    preview.setWindowTitle(QStringLiteral("Etiketten - Vorschau"));

    // Every printer feeds the sheet a little differently: the labels can be moved.
    auto *shift = new QWidget(&preview);
    auto *row = new QHBoxLayout(shift);
    row->setContentsMargins(8, 0, 8, 0);
    row->addWidget(new QLabel(QStringLiteral("Etiketten verschieben, nach rechts:"), shift));
    QDoubleSpinBox *right = offsetBox(m_offset.x(), shift);
    row->addWidget(right);
    row->addWidget(new QLabel(QStringLiteral("nach unten:"), shift));
    QDoubleSpinBox *down = offsetBox(m_offset.y(), shift);
    row->addWidget(down);
    if (auto *bar = preview.findChild<QToolBar *>()) {
        bar->addSeparator();
        bar->addWidget(shift);
    } else if (preview.layout()) {
        preview.layout()->addWidget(shift);
    }
    if (auto *pages = preview.findChild<QPrintPreviewWidget *>()) {
        QObject::connect(right, &QDoubleSpinBox::valueChanged, pages,
                         &QPrintPreviewWidget::updatePreview);
        QObject::connect(down, &QDoubleSpinBox::valueChanged, pages,
                         &QPrintPreviewWidget::updatePreview);
    }

    bool failed = false;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter *target) {
                         // The print dialog may have turned the page; the sheet cannot turn.
                         if (target->pageLayout().orientation() != QPageLayout::Portrait)
                             target->setPageOrientation(QPageLayout::Portrait);
                         if (!target->fullPage())
                             target->setFullPage(true);
                         QPainter painter;
                         if (!painter.begin(target)) {
                             failed = true;
                             return;
                         }
                         sheet.paint(painter, QPointF(right->value(), down->value()));
                         failed = !painter.end();
                     });

    const bool accepted = preview.exec() == QDialog::Accepted;
    m_offset = QPointF(right->value(), down->value());
    if (!accepted)
        return Result::Cancelled;
    return failed ? Result::Failed : Result::Printed;
}
