#pragma once

class QImage;

// Scrambles the pixel bytes of a stored photo by XOR with a fixed random stream, row by row
// over the whole row stride (fill bytes included). Applying it twice restores the image.
namespace PhotoScrambler {
// Works on a 24-bit image in Windows bitmap byte order (QImage::Format_BGR888); other
// formats are converted first. Returns false and leaves the image as it was when the
// image has fewer than two pixel rows.
bool apply(QImage &image);
} // namespace PhotoScrambler
