#pragma once

#include <QByteArray>

#include <functional>

// Runs a piece of work in a child process where the platform offers one (fork on Unix), so
// that a library which corrupts memory on damaged input costs only the child, and a child
// stuck in a loop is given up. Elsewhere the work runs in this process.
namespace IsolatedCall {
// The bytes the work returned; false when the child crashed, failed or outlived timeoutMs.
bool run(const std::function<QByteArray()> &work, int timeoutMs, QByteArray *output);
} // namespace IsolatedCall
