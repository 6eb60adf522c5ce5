#include "printedprompts.h"

#include "toolsupport.h"

void PrintedPrompts::showMessage(const QString &text)
{
    ToolSupport::printOut(text);
}
