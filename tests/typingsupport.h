#pragma once

#include <QString>

class QWidget;

// Typing as a teacher does: one key at a time with the program running in between.
namespace Typing {
// Sends each character to whatever has the focus, ~60 ms apart. With flipFocus the window
// loses and regains activation after every key, as happens under a bare window system.
void typeSlowly(QWidget *window, const QString &text, bool flipFocus = false);
// Another window takes the activation for a moment and hands it back.
void flipActivation(QWidget *window);
} // namespace Typing
