#pragma once

#include <QFont>
#include <QStringList>

class QPrinter;
class QWidget;

// Prints plain lines of text, as the remarks and the evaluation levels are printed: the
// system's print dialog first (a printer or a PDF file), then line after line from the top
// left corner.
class LinesPrintDialog
{
public:
    // False when the dialog was cancelled.
    static bool print(QWidget *parent, const QFont &font, const QStringList &lines);
    static void printTo(QPrinter &printer, const QFont &font, const QStringList &lines);
};
