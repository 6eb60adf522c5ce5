#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// A class file's bytes as loading takes them: split into cells, then unscrambled into the grid.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static LoadBuffer buffer;
    static ClassGrid grid;
    QString error;
    if (!buffer.parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &error)) {
        if (error.isEmpty())
            qFatal("A refused class file must say why");
        return 0;
    }
    buffer.unscrambleInto(grid);
    return 0;
}
