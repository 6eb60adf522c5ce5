#pragma once

#include "planprinter.h"

class QWidget;

// Prints the plan through the system's print dialog (a printer or a PDF file), in
// landscape, the picture as large as the page allows.
class PlanPrintDialog : public PlanPrinter
{
public:
    explicit PlanPrintDialog(QWidget *parent = nullptr) : m_parent(parent) {}

    bool print(const QString &picturePath) override;

private:
    QWidget *m_parent;
};
