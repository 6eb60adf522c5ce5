#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class ClassGrid;
class LoadBuffer;
class UserPrompts;

// "markwart-tool list" and "markwart-tool compact": the marking list and the compact photo
// overview of a class, written as a Word document or as a page whose photos lie in a
// folder beside it ("Liste.html" keeps them in "Liste-Fotos").
namespace ListCommand {
// Reads and checks a class file into the grid; returns the tool's exit code.
using ClassLoader = std::function<int(const QString &path, const QString &password,
                                      LoadBuffer &buffer, ClassGrid &grid)>;

extern const QString Usage;

bool handles(const QString &command);
// `args` start with the command word; what the program would show goes to `prompts`.
// Returns the tool's exit code: 0 written, 2 wrong arguments or nothing written, or what
// the loader returned.
int run(const QStringList &args, const ClassLoader &load, UserPrompts &prompts);
} // namespace ListCommand
