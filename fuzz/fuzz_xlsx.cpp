#include "importtarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return readAsClassList(data, size, "xlsx",
                           {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml", "xl/styles.xml",
                            "xl/workbook.xml", "xl/_rels/workbook.xml.rels"});
}
