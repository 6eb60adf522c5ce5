#pragma once

#include <QImage>
#include <QString>

class ClassDocument;

// Pictures of the name-learning game, drawn by the program itself.
namespace GamePictures {
constexpr int BackgroundWidth = 1149;
constexpr int BackgroundHeight = 732;

// The board behind the cards: a calm evening sky over soft hills, dark enough at the top
// for the white labels of the top line.
QImage background();

// "leerbild2" with the name written on it, for a named person without a photo.
QImage namedPortrait(const QString &name);

// What card k (1..32) shows: the photo from its file (unscrambled when photos are visible),
// else the portrait with the name, else nothing (a null image).
QImage cardPicture(const ClassDocument &document, const QString &projectFolder, int card);
} // namespace GamePictures
