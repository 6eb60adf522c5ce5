#include "photoscrambler.h"

#include "scramblerandom.h"
#include "scrambleseeds.h"

#include <QImage>

namespace PhotoScrambler {

bool apply(QImage &image)
{
    if (image.height() < 2)
        return false;
    if (image.format() != QImage::Format_BGR888)
        image.convertTo(QImage::Format_BGR888);

    ScrambleRandom random(ScrambleSeeds::Photo);
    const qsizetype stride = image.bytesPerLine();
    for (int y = 0; y < image.height(); ++y) {
        uchar *row = image.scanLine(y);
        for (qsizetype x = 0; x < stride; ++x)
            row[x] ^= uchar(random.next(256));
    }
    return true;
}

} // namespace PhotoScrambler
