#include "labelprinting.h"

#include "classdata/classdocument.h"
#include "classdata/userprompts.h"
#include "labelprinter.h"
#include "labelsheet.h"
#include "printprogress.h"

namespace LabelPrinting {

namespace {

// Everything after the opening is the same for both kinds of label.
const QString QuestionRest = QStringLiteral(
    " auf Zweckform No. 3490 oder boeder 10180 Klebeetiketten (70 mal 36/37 mmm).\r"
    "Soll ich die Etiketten erstellen? Vor dem Drucken zeige ich eine Vorschau. Solange "
    "ändert sich das Programmfenster\rund du musst warten! \r"
    "Denke daran, die Klebeetiketten in den Drucker zu legen!");

// Shows the bar filling label by label, as far as `filled` of `count`.
void advance(PrintProgress *progress, int filled, int count)
{
    if (progress)
        progress->showProgress(ProgressCaption,
                               count > 0 ? PrintProgress::Range * filled / count : 0);
}

// Prints one sheet; false when the command ends here.
bool printSheet(const LabelSheet &sheet, int number, LabelPrinter &printer, UserPrompts &prompts,
                PrintProgress *progress, const QString &failure)
{
    const int count = sheet.filledCount();
    for (int filled = 0; filled <= count; ++filled)
        advance(progress, filled, count);
    switch (printer.print(sheet, number)) {
    case LabelPrinter::Result::Printed:
        return true;
    case LabelPrinter::Result::Failed:
        prompts.showMessage(failure);
        return false;
    case LabelPrinter::Result::Cancelled:
        break;
    }
    return false;
}

} // namespace

const QString AddressQuestion = QStringLiteral("Ich drucke Anschriften") + QuestionRest;
const QString NamesQuestion = QStringLiteral("Ich drucke die Namen") + QuestionRest;
const QString SecondSheetQuestion =
    QStringLiteral("Es gibt mehr als 24 Anschriften! Ich benötige einen weiteren Ausdruck. \r"
                   "Klicke auf [ja] wenn der Drucker wieder bereit ist!");
const QString ProgressCaption =
    QStringLiteral("Auch wenn die Einträge gut versteckt sind, ich finde sie alle!");
const QString FirstSheetFailed = QStringLiteral("Finde keinen passenden Drucker!");
const QString SecondSheetFailed = QStringLiteral("Finde den Drucker immer noch nicht!");
const QString Done = QStringLiteral("Fertig");

int run(const ClassDocument &document, UserPrompts &prompts, LabelPrinter &printer, bool namesOnly,
        PrintProgress *progress)
{
    if (!prompts.askYesNo(namesOnly ? NamesQuestion : AddressQuestion))
        return 0;
    const ClassGrid &grid = document.grid();

    int printed = 0;
    if (printSheet(LabelSheet::firstSheet(grid, namesOnly), 1, printer, prompts, progress,
                   FirstSheetFailed)) {
        printed = 1;
        if (!LabelSheet::needsSecondSheet(grid)) {
            prompts.showMessage(Done);
        } else {
            advance(progress, 0, 1);
            if (prompts.askYesNo(SecondSheetQuestion) &&
                printSheet(LabelSheet::secondSheet(grid, namesOnly), 2, printer, prompts, progress,
                           SecondSheetFailed))
                printed = 2;
        }
    }
    if (progress)
        progress->hideProgress();
    return printed;
}

} // namespace LabelPrinting
