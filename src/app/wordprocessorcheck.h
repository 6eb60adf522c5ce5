#pragma once

#include <QByteArray>

// Whether the desktop has a program for Word documents. Opening a file alone cannot tell:
// the desktop reports success as soon as its launcher starts.
namespace WordProcessorCheck {
bool isInstalled();
// Whether the output of "xdg-mime query default <type>" names a program.
bool namesProgram(const QByteArray &xdgMimeOutput);
} // namespace WordProcessorCheck
