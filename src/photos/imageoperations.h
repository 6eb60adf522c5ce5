#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>

class QImage;
class QString;

// What the photo dialog does to a picture, as pure functions: scaling to the zoom slider, the
// brightness steps, turning, sepia, sharpening and the portrait frame.
namespace ImageOperations {

// The portrait frame: what it shows is what is stored.
constexpr int FrameWidth = 135;
constexpr int FrameHeight = 180;
// Below and right of the picture the frame may show this much of its background.
constexpr int FrameMargin = 25;
const QColor FrameBackground(255, 255, 255);

constexpr int MinZoom = 1;
constexpr int MaxZoom = 100;
constexpr int DefaultZoom = 20;

enum class Scaling
{
    // A picture pasted from the clipboard: a portrait becomes 10 s high, else 16 s wide.
    Paste,
    // A chosen file and every zoom: a portrait becomes 15 s high, else 24 s wide.
    Search,
};

// The size a picture of `source` gets at slider position `zoom`; the other side is rounded to
// the nearest pixel, halves to even. Never smaller than 1 x 1.
QSize scaledSize(const QSize &source, int zoom, Scaling scaling);
QImage scaled(const QImage &picture, int zoom, Scaling scaling);
// Whether a picture of this size covers the frame.
bool fillsFrame(const QSize &size);
// The slider position from `zoom` upwards at which the picture first fills the frame; the
// largest position when none does.
int fillingZoom(const QSize &source, int zoom, Scaling scaling = Scaling::Search);

// "heller" (+5) and "dunkler" (-5): every colour byte moved by `step`, held within 0..255.
// The result has 24 bits per pixel.
QImage brightened(const QImage &picture, int step);
// "drehen": a quarter turn clockwise; the result has 32 bits per pixel.
QImage rotated(const QImage &picture);
// "sepia" with depth 35: grey plus 70 in red and 35 in green.
QImage sepia(const QImage &picture);
// "schärfen" with the given strength (1 < alpha < 6) in 16.16 fixed point; border rows and
// columns stay as they are. A null image when the picture is smaller than 3 x 3 or alpha
// is out of range. The result has 24 bits per pixel.
QImage sharpened(const QImage &picture, double alpha = 2.0);

// What the frame shows of a picture whose top-left corner lies at `offset` in it: 135 x 180,
// 24 bits per pixel, the background where the picture does not reach.
QImage framed(const QImage &picture, const QPoint &offset);

// A picture file as the teacher sees it (turned as the camera recorded), or a null image.
QImage loadPicture(const QString &path);

} // namespace ImageOperations
