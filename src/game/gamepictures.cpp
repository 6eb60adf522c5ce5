#include "gamepictures.h"

#include "classdata/classdocument.h"
#include "documents/reportpicture.h"
#include "photos/photoconverter.h"

#include <QFileInfo>
#include <QFont>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {
// The same picture on every run: a small fixed sequence instead of a random generator.
quint32 nextValue(quint32 &state)
{
    state = state * 1103515245u + 12345u;
    return (state >> 8) & 0xFFFF;
}

void drawSky(QPainter &painter, const QRectF &area)
{
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(0x1B, 0x2F, 0x4B));
    sky.setColorAt(0.55, QColor(0x2B, 0x55, 0x6E));
    sky.setColorAt(1.0, QColor(0x3E, 0x7A, 0x78));
    painter.fillRect(area, sky);
}

// Large soft lights, barely there, so the board does not look flat between the cards.
void drawGlows(QPainter &painter)
{
    struct Glow
    {
        qreal x, y, radius;
        QColor colour;
    };
    const Glow glows[] = {
        {180, 170, 260, QColor(0x8F, 0xD3, 0xC8, 70)},
        {900, 120, 320, QColor(0xF3, 0xC9, 0x8B, 55)},
        {560, 420, 380, QColor(0x9F, 0xC4, 0xE8, 45)},
        {1050, 520, 220, QColor(0xF6, 0xB6, 0xA4, 40)},
    };
    painter.setPen(Qt::NoPen);
    for (const Glow &glow : glows) {
        QRadialGradient light(QPointF(glow.x, glow.y), glow.radius);
        light.setColorAt(0.0, glow.colour);
        QColor edge = glow.colour;
        edge.setAlpha(0);
        light.setColorAt(1.0, edge);
        painter.setBrush(light);
        painter.drawEllipse(QPointF(glow.x, glow.y), glow.radius, glow.radius);
    }
}

void drawStars(QPainter &painter, const QRectF &area)
{
    quint32 state = 20261206;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 140; ++i) {
        const qreal x = area.width() * nextValue(state) / 65536.0;
        const qreal y = area.height() * 0.6 * nextValue(state) / 65536.0;
        const qreal size = 0.6 + 1.4 * nextValue(state) / 65536.0;
        const int alpha = 60 + int(120 * (1.0 - y / (area.height() * 0.6)));
        painter.setBrush(QColor(0xFF, 0xF8, 0xE7, alpha));
        painter.drawEllipse(QPointF(x, y), size, size);
    }
    // A few brighter stars with four soft rays.
    const QPointF bright[] = {{26, 160}, {1110, 60}, {1122, 300}, {28, 470}, {1135, 450}};
    for (const QPointF &centre : bright) {
        QPainterPath star;
        star.moveTo(centre + QPointF(0, -9));
        star.quadTo(centre, centre + QPointF(9, 0));
        star.quadTo(centre, centre + QPointF(0, 9));
        star.quadTo(centre, centre + QPointF(-9, 0));
        star.quadTo(centre, centre + QPointF(0, -9));
        painter.setBrush(QColor(0xFF, 0xF4, 0xD6, 210));
        painter.drawPath(star);
    }
}

void drawMoon(QPainter &painter)
{
    const QPointF centre(1100, 175);
    QRadialGradient halo(centre, 70);
    halo.setColorAt(0.0, QColor(0xFF, 0xF1, 0xC9, 90));
    halo.setColorAt(1.0, QColor(0xFF, 0xF1, 0xC9, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(centre, 70, 70);

    QPainterPath disc;
    disc.addEllipse(centre, 26, 26);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(-12, -7), 24, 24);
    painter.setBrush(QColor(0xFF, 0xEE, 0xC2));
    painter.drawPath(disc.subtracted(bite));
}

// Rolling hills in three layers, the nearest darkest, with a few round trees.
void drawHills(QPainter &painter, const QRectF &area)
{
    struct Hill
    {
        qreal base;  // height of the layer above the lower edge
        qreal swell; // how far the waves rise and fall
        qreal phase;
        QColor colour;
    };
    const Hill hills[] = {
        {210, 38, 0.0, QColor(0x4E, 0x8F, 0x7E)},
        {150, 30, 1.7, QColor(0x3B, 0x76, 0x66)},
        {85, 24, 3.1, QColor(0x2A, 0x5C, 0x50)},
    };
    const qreal bottom = area.bottom();
    const qreal width = area.width();
    painter.setPen(Qt::NoPen);
    for (const Hill &hill : hills) {
        QPainterPath path;
        path.moveTo(0, bottom);
        const int steps = 6;
        const qreal stepWidth = width / steps;
        path.lineTo(0, bottom - hill.base);
        for (int i = 0; i < steps; ++i) {
            const qreal x0 = i * stepWidth;
            const qreal rise = ((i + int(hill.phase)) % 2 == 0) ? -hill.swell : hill.swell;
            path.cubicTo(x0 + stepWidth * 0.35, bottom - hill.base + rise, x0 + stepWidth * 0.65,
                         bottom - hill.base + rise, x0 + stepWidth, bottom - hill.base);
        }
        path.lineTo(width, bottom);
        path.closeSubpath();
        painter.setBrush(hill.colour);
        painter.drawPath(path);
    }

    const QPointF trees[] = {{30, 640}, {52, 655}, {1105, 625}, {1128, 648}, {600, 700}};
    for (const QPointF &foot : trees) {
        painter.setBrush(QColor(0x5A, 0x43, 0x35));
        painter.drawRect(QRectF(foot.x() - 2, foot.y() - 14, 4, 16));
        painter.setBrush(QColor(0x6F, 0xB0, 0x8C));
        painter.drawEllipse(QPointF(foot.x(), foot.y() - 24), 12, 15);
        painter.setBrush(QColor(0x8C, 0xC7, 0xA2, 160));
        painter.drawEllipse(QPointF(foot.x() - 4, foot.y() - 28), 5, 6);
    }
}

// A paper plane gliding over the board on a dotted path: learning can be light.
void drawPaperPlane(QPainter &painter)
{
    QPainterPath trail;
    trail.moveTo(40, 330);
    trail.cubicTo(160, 250, 300, 420, 470, 300);
    trail.cubicTo(600, 210, 760, 300, 880, 250);
    QPen dots(QColor(0xFF, 0xFF, 0xFF, 90), 2, Qt::DotLine, Qt::RoundCap);
    painter.setPen(dots);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(trail);

    painter.save();
    painter.translate(900, 240);
    painter.rotate(-14);
    QPainterPath upper;
    upper.moveTo(22, 0);
    upper.lineTo(-18, -12);
    upper.lineTo(-10, 0);
    upper.closeSubpath();
    QPainterPath lower;
    lower.moveTo(22, 0);
    lower.lineTo(-10, 0);
    lower.lineTo(-14, 10);
    lower.closeSubpath();
    painter.setPen(QPen(QColor(0xC9, 0xD6, 0xDE), 1));
    painter.setBrush(QColor(0xFB, 0xFC, 0xFD));
    painter.drawPath(upper);
    painter.setBrush(QColor(0xDD, 0xE6, 0xEC));
    painter.drawPath(lower);
    painter.restore();
}
} // namespace

namespace GamePictures {

QImage background()
{
    QImage picture(BackgroundWidth, BackgroundHeight, QImage::Format_RGB32);
    const QRectF area(0, 0, BackgroundWidth, BackgroundHeight);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSky(painter, area);
    drawGlows(painter);
    drawStars(painter, area);
    drawMoon(painter);
    drawPaperPlane(painter);
    drawHills(painter, area);
    painter.end();
    return picture;
}

QImage namedPortrait(const QString &name)
{
    QImage picture = ReportPicture::placeholder().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPointSize(10);
    painter.setFont(font);
    // Long names wrap instead of running off the card; a light patch keeps them readable
    // over the outline of the face.
    const QRect room(5, 90, picture.width() - 10, picture.height() - 95);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRect used = painter.boundingRect(room, flags, name).intersected(room);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF, 225));
    painter.drawRoundedRect(QRectF(used).adjusted(-3, -1, 3, 1), 3, 3);
    painter.setPen(QColor(0x22, 0x2A, 0x33));
    painter.drawText(room, flags, name);
    painter.end();
    return picture;
}

QImage cardPicture(const ClassDocument &document, const QString &projectFolder, int card)
{
    const int row = ClassDocument::dataRow(card - 1);
    const QString stored = document.grid().cell(20, row);
    if (!stored.isEmpty()) {
        const QString file = PhotoConverter::resolve(projectFolder, stored);
        if (QFileInfo::exists(file)) {
            const QImage photo =
                document.photosVisible() ? PhotoConverter::loadStoredPhoto(file) : QImage(file);
            if (!photo.isNull())
                return photo;
        }
    }
    const QString name = document.grid().cell(0, row);
    if (name.trimmed().isEmpty())
        return QImage();
    return namedPortrait(name);
}

} // namespace GamePictures
