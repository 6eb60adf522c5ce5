#include "importtarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return readAsClassList(data, size, "docx", {"word/document.xml"});
}
