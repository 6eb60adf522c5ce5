#include "fuzzfile.h"

#include "photos/imageoperations.h"
#include "photos/photoconverter.h"

#include <QImage>

// A stored photo (a scrambled bitmap) and a picture chosen for the photo editor, with what
// the editor does to a picture on its way into the frame.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace ImageOperations;
    const FuzzFile stored(data, size, QStringLiteral("bmp"));
    const QImage photo = PhotoConverter::loadStoredPhoto(stored.path());
    if (!photo.isNull())
        (void)scaled(photo, MinZoom, Scaling::Paste);

    const FuzzFile chosen(data, size, QStringLiteral("jpg"));
    const QImage picture = loadPicture(chosen.path());
    if (picture.isNull())
        return 0;
    const QImage zoomed = scaled(picture, fillingZoom(picture.size(), MinZoom), Scaling::Search);
    const QImage frame = framed(zoomed, QPoint(0, 0));
    (void)sharpened(brightened(sepia(frame), 5));
    (void)rotated(frame);
    return 0;
}
