#pragma once

#include <QImage>
#include <QSize>

// The pictures of the classroom, drawn here so that the program ships no image files.
namespace SeatingPictures {
constexpr int BoardWidth = 135;
constexpr int BoardHeight = 180;

// "tafel": a chalkboard in the photo panel's proportions, shown while no desk is pointed at.
// 24 bits per pixel.
QImage board();

// The room seen from above: floor, windows along the top, the board at the front (left)
// and the door at the back. Drawn at the size it is shown in, so it stays sharp.
QImage classroom(const QSize &size);

// An overhead projector seen from above, 57 x 57.
QImage projector();

// A pencil case with a pencil, 53 x 29: the small picture that can be put anywhere.
QImage smallPicture();
} // namespace SeatingPictures
