#include "labelprintdialog.h"

#include "labelsheet.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>

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

LabelPrinter::Result LabelPrintDialog::print(const LabelSheet &sheet, int number)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(LabelSheet::pageLayout());
    const QString name =
        number > 1 ? QStringLiteral("Etiketten %1").arg(number) : QStringLiteral("Etiketten");
    printer.setDocName(name);
    // Without a printer the dialog writes a PDF file; it should not offer a bare folder, and
    // the second sheet must not overwrite the first.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QDir(folder).exists())
            folder = QDir::homePath();
        printer.setOutputFileName(QDir(folder).filePath(name + QStringLiteral(".pdf")));
    }

    QPrintPreviewDialog preview(&printer, m_parent);
    preview.setWindowTitle(QStringLiteral("Etiketten - Vorschau"));

    // Every printer feeds the sheet a little differently: the labels can be moved. The row
    // goes below the preview; the preview's tool bar has no room left for it.
    auto *shift = new QWidget(&preview);
    auto *row = new QHBoxLayout(shift);
    row->setContentsMargins(8, 4, 8, 4);
    row->addWidget(new QLabel(QStringLiteral("Etiketten verschieben, nach rechts:"), shift));
    QDoubleSpinBox *right = offsetBox(m_offset.x(), shift);
    row->addWidget(right);
    row->addWidget(new QLabel(QStringLiteral("nach unten:"), shift));
    QDoubleSpinBox *down = offsetBox(m_offset.y(), shift);
    row->addWidget(down);
    row->addStretch();
    auto *printButton = new QPushButton(QStringLiteral("Drucken ..."), shift);
    auto *cancelButton = new QPushButton(QStringLiteral("Abbrechen"), shift);
    row->addWidget(printButton);
    row->addWidget(cancelButton);
    if (preview.layout())
        preview.layout()->addWidget(shift);
    if (auto *pages = preview.findChild<QPrintPreviewWidget *>()) {
        QObject::connect(right, &QDoubleSpinBox::valueChanged, pages,
                         &QPrintPreviewWidget::updatePreview);
        QObject::connect(down, &QDoubleSpinBox::valueChanged, pages,
                         &QPrintPreviewWidget::updatePreview);
    }

    bool failed = false;
    const auto paint = [&](QPrinter *target) {
        // The print dialog may have turned the page or changed the paper; the sheet cannot.
        if (target->pageLayout().pageSize().id() != QPageSize::A4)
            target->setPageSize(QPageSize(QPageSize::A4));
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
    };
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, paint);
    QObject::connect(cancelButton, &QPushButton::clicked, &preview, &QDialog::reject);
    QObject::connect(printButton, &QPushButton::clicked, &preview, [&] {
        QPrintDialog dialog(&printer, &preview);
        if (dialog.exec() != QDialog::Accepted)
            return;
        paint(&printer);
        preview.accept();
    });
    printButton->setDefault(true);

    const bool accepted = preview.exec() == QDialog::Accepted;
    m_offset = QPointF(right->value(), down->value());
    if (!accepted)
        return Result::Cancelled;
    return failed ? Result::Failed : Result::Printed;
}
