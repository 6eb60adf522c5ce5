#pragma once

#include "labelprinter.h"

#include <QPointF>

class QWidget;

// Shows the sheet in a print preview, where the labels can be moved by a few millimetres,
// and prints it through the system's print dialog (a printer or a PDF file), portrait,
// from the paper's very corner.
class LabelPrintDialog : public LabelPrinter
{
public:
    static constexpr double MaxOffset = 10.0; // mm either way

    explicit LabelPrintDialog(QWidget *parent = nullptr) : m_parent(parent) {}

    // Right and down in mm; the caller keeps it between runs.
    QPointF offset() const { return m_offset; }
    void setOffset(QPointF offset) { m_offset = offset; }

    Result print(const LabelSheet &sheet, int number) override;

private:
    QWidget *m_parent;
    QPointF m_offset;
};
