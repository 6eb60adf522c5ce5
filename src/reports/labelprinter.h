#pragma once

class LabelSheet;

// Prints one sheet of labels. The widget layer shows a preview and the system's print
// dialog; tests record the sheets.
class LabelPrinter
{
public:
    enum class Result
    {
        Printed,
        Cancelled, // the teacher closed the preview or the print dialog
        Failed     // the printer (or the PDF file) could not be written
    };

    virtual ~LabelPrinter() = default;

    // `number` counts the sheets of one command from 1.
    virtual Result print(const LabelSheet &sheet, int number) = 0;
};
