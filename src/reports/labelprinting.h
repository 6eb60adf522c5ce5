#pragma once

#include <QString>

class ClassDocument;
class LabelPrinter;
class PrintProgress;
class UserPrompts;

// "Adressetiketten" and "nur Namen & Klasse": asks, prints the first sheet of 24 labels
// and, when persons 25 and on have names, asks again and prints a second sheet for them.
namespace LabelPrinting {

// The texts the teacher sees.
extern const QString AddressQuestion;
extern const QString NamesQuestion;
extern const QString SecondSheetQuestion;
extern const QString ProgressCaption;
extern const QString FirstSheetFailed;
extern const QString SecondSheetFailed;
extern const QString Done;

// Returns the number of sheets printed. The class is only read. `progress` may be null.
int run(const ClassDocument &document, UserPrompts &prompts, LabelPrinter &printer, bool namesOnly,
        PrintProgress *progress);

} // namespace LabelPrinting
