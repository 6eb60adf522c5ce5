#include "imageoperations.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdint>

namespace ImageOperations {

namespace {

// numerator / denominator rounded to the nearest integer, halves to even (both positive).
qint64 roundHalfEven(qint64 numerator, qint64 denominator)
{
    const qint64 quotient = numerator / denominator;
    const qint64 twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0))
        return quotient + 1;
    return quotient;
}

uchar clampByte(int value)
{
    return uchar(std::clamp(value, 0, 255));
}

} // namespace

QSize scaledSize(const QSize &source, int zoom, Scaling scaling)
{
    const qint64 w = source.width();
    const qint64 h = source.height();
    if (w <= 0 || h <= 0)
        return QSize();
    const bool portrait = h > w;
    // The side the factor is taken from becomes exactly `target`; the other follows with
    // the same factor, computed as a fraction so that no rounding error creeps in.
    const qint64 target = qint64(zoom) * (portrait ? (scaling == Scaling::Paste ? 10 : 15)
                                                   : (scaling == Scaling::Paste ? 16 : 24));
    qint64 width = portrait ? roundHalfEven(w * target, h) : target;
    qint64 height = portrait ? target : roundHalfEven(h * target, w);
    return QSize(int(std::max<qint64>(width, 1)), int(std::max<qint64>(height, 1)));
}

QImage scaled(const QImage &picture, int zoom, Scaling scaling)
{
    if (picture.isNull())
        return QImage();
    return picture.scaled(scaledSize(picture.size(), zoom, scaling), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
}

bool fillsFrame(const QSize &size)
{
    return size.width() >= FrameWidth && size.height() >= FrameHeight;
}

int fillingZoom(const QSize &source, int zoom, Scaling scaling)
{
    int position = std::clamp(zoom, MinZoom, MaxZoom);
    while (position < MaxZoom && !fillsFrame(scaledSize(source, position, scaling)))
        ++position;
    return position;
}

QImage brightened(const QImage &picture, int step)
{
    std::array<uchar, 256> table;
    for (int v = 0; v < 256; ++v)
        table[size_t(v)] =
            step >= 1 ? uchar(std::min(v + step, 255)) : uchar(std::max(v - std::abs(step), 0));
    QImage result = picture.convertToFormat(QImage::Format_BGR888);
    for (int y = 0; y < result.height(); ++y) {
        uchar *row = result.scanLine(y);
        for (int x = 0; x < result.width() * 3; ++x)
            row[x] = table[row[x]];
    }
    return result;
}

QImage rotated(const QImage &picture)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    const int oldHeight = source.height();
    QImage result(source.height(), source.width(), QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            row[x] = reinterpret_cast<const QRgb *>(source.constScanLine(oldHeight - 1 - x))[y];
    }
    return result;
}

QImage sepia(const QImage &picture)
{
    constexpr int Depth = 35;
    QImage result = picture.convertToFormat(picture.depth() == 24 ? QImage::Format_BGR888
                                                                  : QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = result.pixel(x, y);
            const int grey = (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
            result.setPixel(x, y,
                            qRgba(std::min(grey + 2 * Depth, 255), std::min(grey + Depth, 255),
                                  grey, qAlpha(pixel)));
        }
    }
    return result;
}

QImage sharpened(const QImage &picture, double alpha)
{
    if (!(alpha > 1.0 && alpha < 6.0) || picture.width() < 3 || picture.height() < 3)
        return QImage();
    const QImage source = picture.convertToFormat(QImage::Format_BGR888);
    const double beta = (alpha - 1.0) / 5.0;
    const int64_t a = qRound64(alpha * 65536.0);
    const int64_t b = qRound64(beta * 65536.0);
    QImage result = source.copy();
    const int width = source.width();
    for (int y = 1; y + 1 < source.height(); ++y) {
        const uchar *up = source.constScanLine(y - 1);
        const uchar *row = source.constScanLine(y);
        const uchar *down = source.constScanLine(y + 1);
        uchar *out = result.scanLine(y);
        for (int i = 3; i < (width - 1) * 3; ++i) {
            const int64_t centre = row[i];
            const int64_t sum = up[i] + row[i - 3] + centre + row[i + 3] + down[i];
            const int64_t value = ((centre * a + 32767) >> 16) - ((sum * b + 32767) >> 16);
            out[i] = clampByte(int(value));
        }
    }
    return result;
}

QImage framed(const QImage &picture, const QPoint &offset)
{
    QImage frame(FrameWidth, FrameHeight, QImage::Format_RGB32);
    frame.fill(FrameBackground);
    if (!picture.isNull()) {
        QPainter painter(&frame);
        painter.drawImage(offset, picture);
    }
    return frame.convertToFormat(QImage::Format_BGR888);
}

QImage loadPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

} // namespace ImageOperations
