#include "distributionchart.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

const QColor DistributionChart::Background = QColor(0xFF, 0xFF, 0xFF);
const QColor DistributionChart::BarColour = QColor(0x6A, 0x8C, 0xAF);
const QColor DistributionChart::FailingColour = QColor(0xE0, 0x50, 0x50);
const QColor DistributionChart::TextColour = QColor(0x33, 0x33, 0x33);

namespace {

const QColor AxisColour(0x99, 0x99, 0x99);
const QColor ZeroColour(0xA0, 0xA0, 0xA0);

// The largest pixel size up to `wanted` at which every text fits into `width`.
int fittingPixelSize(QFont font, const QStringList &texts, double width, int wanted)
{
    for (int pixels = wanted; pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetricsF metrics(font);
        const bool fits = std::all_of(texts.begin(), texts.end(), [&](const QString &text) {
            return metrics.horizontalAdvance(text) <= width;
        });
        if (fits)
            return pixels;
    }
    return 6;
}

} // namespace

QImage DistributionChart::draw(const QStringList &labels, const QList<int> &counts,
                               const QList<bool> &failing, const QSize &size)
{
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const int bars = int(labels.size());
    const double width = size.width();
    const double height = size.height();
    const double side = std::max(4.0, width / 40);
    const double slot = bars > 0 ? (width - 2 * side) / bars : width - 2 * side;

    // Text scales with the picture, but shrinks where the slots are narrow.
    QFont font = painter.font();
    const int wanted = std::max(8, int(height / 14));
    QStringList countTexts;
    int highest = 0;
    for (int i = 0; i < bars; ++i) {
        const int count = std::max(0, counts.value(i));
        highest = std::max(highest, count);
        countTexts << QString::number(count);
    }
    font.setPixelSize(fittingPixelSize(font, labels + countTexts, slot * 0.95, wanted));
    painter.setFont(font);
    const double line = QFontMetricsF(font).height();

    const double baseline = height - line * 1.6;
    const double top = line * 1.5;
    const double room = std::max(1.0, baseline - top);

    painter.setPen(QPen(AxisColour, std::max(1.0, height / 240)));
    painter.drawLine(QPointF(side, baseline), QPointF(width - side, baseline));

    for (int i = 0; i < bars; ++i) {
        const int count = std::max(0, counts.value(i));
        const double left = side + i * slot;
        const double barHeight = highest > 0 ? room * count / highest : 0;
        const QRectF bar(left + slot * 0.18, baseline - barHeight, slot * 0.64, barHeight);
        if (count > 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(failing.value(i) ? FailingColour : BarColour);
            painter.drawRect(bar);
        }
        painter.setPen(count > 0 ? TextColour : ZeroColour);
        painter.drawText(QRectF(left, bar.top() - line * 1.2, slot, line),
                         Qt::AlignHCenter | Qt::AlignBottom, countTexts[i]);
        painter.setPen(TextColour);
        painter.drawText(QRectF(left, baseline + line * 0.3, slot, line),
                         Qt::AlignHCenter | Qt::AlignTop, labels[i]);
    }
    painter.end();
    return image;
}
