#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Scrambles the bytes of one class-file cell. Bytes 32..122 are shifted within that range
// by amounts drawn from a generator re-seeded for every cell; all other bytes (control
// characters, "{|}~", bytes of 127 and above) pass unchanged and draw nothing.
namespace CellScrambler {
QByteArray scramble(QByteArrayView bytes);
QByteArray unscramble(QByteArrayView bytes);

// In place, for the file reader and writer.
void scrambleInPlace(char *bytes, qsizetype length);
void unscrambleInPlace(char *bytes, qsizetype length);

// Scrambles a cell of UTF-16 text straight into bytes, for the writer; line breaks become
// blanks. Returns false, with the output unusable, when a character of 128 or above shows
// that the cell needs encoding first.
bool scrambleAsciiTo(const char16_t *text, qsizetype length, char *out);

// Only for text made of characters 32..122 (false for any other, with the output unusable):
// the writer's quick path.
bool scramblePlainTo(const char16_t *text, qsizetype length, char *out);

// Unscrambles a cell straight into UTF-16, for the loader. Returns false, with the output
// unusable, when a byte of 128 or above shows that the cell needs decoding first.
bool unscrambleAsciiTo(const char *bytes, qsizetype length, char16_t *out);
// Only for text made of bytes 32..122 (false for any other, with the output unusable), and
// where bytes may be read, and out written, up to 8 past length: the loader's quick path.
bool unscramblePlainPaddedTo(const char *bytes, qsizetype length, char16_t *out);
} // namespace CellScrambler
