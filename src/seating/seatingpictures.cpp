#include "seatingpictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace SeatingPictures {

namespace {

const QColor Chalk(0xF4, 0xF1, 0xE6);
const QColor BoardGreen(0x2F, 0x5D, 0x4A);
const QColor Wood(0xB0, 0x84, 0x5A);
const QColor WoodDark(0x8A, 0x63, 0x40);

QPen chalkPen(qreal width, int alpha = 220)
{
    QColor colour = Chalk;
    colour.setAlpha(alpha);
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

} // namespace

QImage board()
{
    QImage picture(BoardWidth, BoardHeight, QImage::Format_RGB32);
    picture.fill(Wood);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    // Frame and the board inside it, with a soft sheen towards the top.
    p.setPen(QPen(WoodDark, 2));
    p.setBrush(Wood);
    p.drawRect(QRectF(1, 1, BoardWidth - 2, BoardHeight - 2));
    const QRectF inner(9, 9, BoardWidth - 18, BoardHeight - 34);
    QLinearGradient sheen(inner.topLeft(), inner.bottomLeft());
    sheen.setColorAt(0, BoardGreen.lighter(118));
    sheen.setColorAt(1, BoardGreen);
    p.setPen(QPen(WoodDark, 1));
    p.setBrush(sheen);
    p.drawRect(inner);

    // A faint wiped arc, as boards have after the sponge.
    p.setPen(QPen(QColor(255, 255, 255, 28), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(20, 70, 95, 70), 20 * 16, 140 * 16);

    // Chalk drawings: a sun, a little house, a row of letters as strokes, a wave.
    p.setBrush(Qt::NoBrush);
    p.setPen(chalkPen(1.6));
    p.drawEllipse(QPointF(100, 34), 9, 9);
    for (int ray = 0; ray < 8; ++ray) {
        p.save();
        p.translate(100, 34);
        p.rotate(ray * 45);
        p.drawLine(QPointF(12, 0), QPointF(17, 0));
        p.restore();
    }
    QPainterPath house;
    house.moveTo(24, 62);
    house.lineTo(24, 42);
    house.lineTo(36, 31);
    house.lineTo(48, 42);
    house.lineTo(48, 62);
    house.closeSubpath();
    p.drawPath(house);
    p.drawRect(QRectF(32, 50, 8, 12));

    p.setPen(chalkPen(1.4, 200));
    // "a b c" written as simple strokes.
    p.drawEllipse(QPointF(26, 86), 5, 5);
    p.drawLine(QPointF(31, 81), QPointF(31, 91));
    p.drawLine(QPointF(40, 74), QPointF(40, 91));
    p.drawEllipse(QPointF(45, 86), 5, 5);
    p.drawArc(QRectF(53, 81, 10, 10), 45 * 16, 270 * 16);
    // 1 + 1 = 2
    p.drawLine(QPointF(78, 82), QPointF(81, 79));
    p.drawLine(QPointF(81, 79), QPointF(81, 92));
    p.drawLine(QPointF(86, 86), QPointF(94, 86));
    p.drawLine(QPointF(90, 82), QPointF(90, 90));
    p.drawLine(QPointF(99, 82), QPointF(102, 79));
    p.drawLine(QPointF(102, 79), QPointF(102, 92));
    QPainterPath wave;
    wave.moveTo(20, 122);
    for (int step = 0; step < 4; ++step)
        wave.cubicTo(26 + step * 24, 112, 34 + step * 24, 132, 44 + step * 24, 122);
    p.drawPath(wave);

    // The tray below the board, with a piece of chalk and the sponge.
    p.setPen(QPen(WoodDark, 1));
    p.setBrush(Wood.lighter(112));
    p.drawRoundedRect(QRectF(6, BoardHeight - 23, BoardWidth - 12, 9), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(Chalk);
    p.drawRoundedRect(QRectF(22, BoardHeight - 26, 16, 4), 2, 2);
    p.setBrush(QColor(0xE8, 0xC5, 0x4F));
    p.drawRoundedRect(QRectF(86, BoardHeight - 30, 26, 9), 3, 3);
    p.setBrush(QColor(0x7A, 0x5C, 0x3A));
    p.drawRect(QRectF(86, BoardHeight - 24, 26, 3));
    p.end();
    return picture.convertToFormat(QImage::Format_RGB888);
}

QImage classroom(const QSize &size)
{
    QImage picture(size, QImage::Format_RGB32);
    const QColor floor(0xE9, 0xDC, 0xC4);
    picture.fill(floor);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = size.width();
    const int h = size.height();
    constexpr int Wall = 14;

    // Floor boards: long calm planks with staggered joints.
    const QColor seam(0xD9, 0xC8, 0xAA);
    p.setPen(QPen(seam, 1));
    constexpr int Plank = 26;
    for (int y = Wall + Plank, row = 0; y < h - Wall; y += Plank, ++row) {
        p.drawLine(Wall, y, w - Wall, y);
        for (int x = Wall + (row % 3) * 70 + 40; x < w - Wall; x += 210)
            p.drawLine(x, y - Plank, x, y);
    }
    // A soft rug in the middle of the room.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD6, 0xE4, 0xD9, 150));
    p.drawRoundedRect(QRectF(w * 0.22, h * 0.16, w * 0.62, h * 0.70), 18, 18);

    // Walls.
    const QColor wall(0xBF, 0xC6, 0xCC);
    p.setBrush(wall);
    p.drawRect(0, 0, w, Wall);
    p.drawRect(0, h - Wall, w, Wall);
    p.drawRect(0, 0, Wall, h);
    p.drawRect(w - Wall, 0, Wall, h);

    // Windows along the top wall, with plants on the sills.
    const QColor glass(0xBF, 0xE0, 0xF4);
    for (int x = 160; x + 120 < w - 40; x += 190) {
        p.setBrush(glass);
        p.setPen(QPen(QColor(0x8E, 0x9A, 0xA4), 1));
        p.drawRect(QRectF(x, 2, 120, Wall - 4));
        p.drawLine(QPointF(x + 60, 2), QPointF(x + 60, Wall - 2));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xC0, 0x7A, 0x4E));
        p.drawEllipse(QRectF(x + 96, Wall + 3, 16, 16));
        p.setBrush(QColor(0x6F, 0xA8, 0x6B));
        for (int leaf = 0; leaf < 5; ++leaf)
            p.drawEllipse(QRectF(x + 92 + (leaf % 3) * 6, Wall + (leaf / 3) * 8, 11, 9));
    }

    // The board along the front wall on the left.
    p.setPen(QPen(QColor(0x7A, 0x5C, 0x3A), 2));
    p.setBrush(BoardGreen);
    p.drawRect(QRectF(2, h * 0.22, Wall + 6, h * 0.42));

    // Door at the back, with its swing drawn on the floor.
    const QRectF door(w - 140, h - Wall, 80, Wall);
    p.setPen(Qt::NoPen);
    p.setBrush(floor);
    p.drawRect(door);
    p.setPen(QPen(QColor(0x9C, 0x8A, 0x70), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(w - 220, h - Wall - 80, 160, 160), 90 * 16, 90 * 16);
    p.setPen(QPen(WoodDark, 3));
    p.drawLine(QPointF(w - 140, h - Wall), QPointF(w - 140, h - Wall - 80));

    // Coat hooks along the back wall.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8E, 0x9A, 0xA4));
    for (int x = 200; x < w - 260; x += 36)
        p.drawEllipse(QRectF(x, h - Wall - 5, 6, 6));
    p.end();
    return picture;
}

QImage projector()
{
    QImage picture(57, 57, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // The body with its glass plate.
    p.setPen(QPen(QColor(0x6B, 0x72, 0x7A), 1.5));
    p.setBrush(QColor(0xD5, 0xD9, 0xDE));
    p.drawRoundedRect(QRectF(4, 14, 49, 40), 5, 5);
    p.setPen(QPen(QColor(0x9A, 0xA6, 0xB0), 1));
    p.setBrush(QColor(0xCF, 0xE7, 0xF5));
    p.drawRect(QRectF(10, 20, 37, 28));
    // The arm and the head that throws the picture to the board.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x55, 0x5C, 0x63));
    p.drawRect(QRectF(26, 4, 5, 22));
    p.drawRoundedRect(QRectF(19, 2, 19, 11), 3, 3);
    p.setBrush(QColor(0xF5, 0xE6, 0x9A));
    p.drawEllipse(QRectF(25, 4, 7, 7));
    // Switch.
    p.setBrush(QColor(0x7F, 0xB0, 0x7A));
    p.drawEllipse(QRectF(44, 49, 5, 4));
    p.end();
    return picture;
}

QImage smallPicture()
{
    QImage picture(53, 29, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // Pencil case with its zip.
    p.setPen(QPen(QColor(0x3F, 0x6E, 0x8C), 1));
    p.setBrush(QColor(0x6F, 0xA3, 0xC7));
    p.drawRoundedRect(QRectF(2, 9, 40, 18), 8, 8);
    p.setPen(QPen(QColor(0xE9, 0xEE, 0xF2), 1, Qt::DotLine));
    p.drawLine(QPointF(8, 13), QPointF(36, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF2, 0xC1, 0x4E));
    p.drawEllipse(QRectF(35, 11, 5, 5));
    // A pencil lying across it.
    p.save();
    p.translate(26, 10);
    p.rotate(-12);
    p.setBrush(QColor(0xF2, 0xB8, 0x3A));
    p.drawRect(QRectF(-22, -3, 38, 6));
    p.setBrush(QColor(0xE8, 0x8E, 0x8E));
    p.drawRect(QRectF(-26, -3, 4, 6));
    QPainterPath tip;
    tip.moveTo(16, -3);
    tip.lineTo(24, 0);
    tip.lineTo(16, 3);
    tip.closeSubpath();
    p.setBrush(QColor(0xEB, 0xD3, 0xAE));
    p.drawPath(tip);
    p.setBrush(QColor(0x4A, 0x4A, 0x4A));
    p.drawEllipse(QRectF(21.5, -1, 2.5, 2));
    p.restore();
    p.end();
    return picture;
}

} // namespace SeatingPictures
