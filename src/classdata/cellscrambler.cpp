#include "cellscrambler.h"

#include "scramblerandom.h"
#include "scrambleseeds.h"

#include <QtEndian>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr int First = 32;
constexpr int Last = 122;
constexpr int Span = Last - First + 1; // 91

// Since the generator is re-seeded for every cell, the k-th scrambled character of any cell
// is shifted by the same amount. The shifts are drawn once and then looked up, together with
// their complements to the span, with which scrambling needs no negative numbers.
class ShiftTable
{
public:
    explicit ShiftTable(size_t size) { grow(size); }

    size_t size() const { return m_shifts.size(); }
    const uint8_t *shifts() const { return m_shifts.data(); }
    const uint8_t *complements() const { return m_complements.data(); }

    void grow(size_t size)
    {
        ScrambleRandom random(ScrambleSeeds::Cell);
        m_shifts.resize(size);
        m_complements.resize(size);
        for (size_t i = 0; i < size; ++i) {
            m_shifts[i] = uint8_t(random.next(90));
            m_complements[i] = uint8_t(Span - m_shifts[i]);
        }
    }

private:
    std::vector<uint8_t> m_shifts;
    std::vector<uint8_t> m_complements;
};

// Shared and never changed once built.
const ShiftTable commonTable(size_t(1) << 16);

// The shifts for a cell of count characters, and eight more so that its last word can be
// read whole. A cell longer than any real one gets a table of its own for the call, so that
// one odd file does not hold on to memory.
class ShiftsFor
{
public:
    explicit ShiftsFor(qsizetype count)
    {
        if (size_t(count) + 8 > commonTable.size())
            m_own.emplace(size_t(count) + 8);
    }

    const ShiftTable *operator->() const { return m_own ? &*m_own : &commonTable; }

private:
    std::optional<ShiftTable> m_own;
};

// The plain-text path works on eight bytes at once in a 64-bit word, byte k of the text in
// bits 8k..8k+7.
constexpr uint64_t Lanes = 0x0101010101010101ull;
constexpr uint64_t HighBits = 0x8080808080808080ull;
constexpr uint64_t Filler = uint64_t('A') * Lanes; // fills lanes past a text's end

uint64_t loadLanes(const uint8_t *bytes)
{
    return qFromLittleEndian<quint64>(bytes);
}

// The first count (0..8) bytes; the other lanes hold a byte inside the range.
uint64_t loadPart(const uint8_t *bytes, qsizetype count)
{
    if (count == 8)
        return loadLanes(bytes);
    uint64_t word = Filler;
    for (qsizetype k = 0; k < count; ++k)
        word = (word & ~(uint64_t(0xFF) << (8 * k))) | (uint64_t(bytes[k]) << (8 * k));
    return word;
}

// Whether any byte of the word lies outside 32..122.
bool outsideRange(uint64_t word)
{
    const uint64_t below = (word - uint64_t(First) * Lanes) & ~word & HighBits;
    const uint64_t above = ((word + uint64_t(127 - Last) * Lanes) | word) & HighBits;
    return (below | above) != 0;
}

// Adds to every byte in 32..122 an amount below the span and brings it back into the range;
// no byte overflows into its neighbour on the way.
uint64_t addWrapped(uint64_t word, uint64_t amounts)
{
    const uint64_t sum = word + amounts;
    const uint64_t beyond = ((sum + uint64_t(127 - Last) * Lanes) & HighBits) >> 7;
    return sum - beyond * uint64_t(Span);
}

// Unscrambles text made only of bytes in 32..122; false, with the output unusable, otherwise.
bool unscramblePlain(const uint8_t *bytes, qsizetype length, char16_t *out)
{
    const ShiftsFor table(length);
    const uint8_t *shifts = table->shifts();
    for (qsizetype i = 0; i < length; i += 8) {
        const qsizetype count = qMin<qsizetype>(8, length - i);
        const uint64_t word = loadPart(bytes + i, count);
        if (outsideRange(word))
            return false;
        const uint64_t plain = addWrapped(word, loadLanes(shifts + i));
        if (count == 8) {
            uint8_t bytes[8];
            qToLittleEndian<quint64>(plain, bytes);
            for (int k = 0; k < 8; ++k)
                out[i + k] = bytes[k];
        } else {
            for (qsizetype k = 0; k < count; ++k)
                out[i + k] = char16_t((plain >> (8 * k)) & 0xFF);
        }
    }
    return true;
}

// The same where bytes may be read, and out written, up to 8 past length.
bool unscramblePlainPadded(const uint8_t *bytes, qsizetype length, char16_t *out)
{
    // keep[k] keeps the first k lanes of a word.
    static constexpr uint64_t keep[8] = {
        0, 0xFF, 0xFFFF, 0xFFFFFF, 0xFFFFFFFF, 0xFFFFFFFFFF, 0xFFFFFFFFFFFF, 0xFFFFFFFFFFFFFF,
    };
    const ShiftsFor table(length);
    const uint8_t *shifts = table->shifts();
    for (qsizetype i = 0; i < length; i += 8) {
        uint64_t word = loadLanes(bytes + i);
        if (length - i < 8) {
            const uint64_t mask = keep[length - i];
            word = (word & mask) | (Filler & ~mask);
        }
        if (outsideRange(word))
            return false;
        uint8_t plain[8];
        qToLittleEndian<quint64>(addWrapped(word, loadLanes(shifts + i)), plain);
        for (int k = 0; k < 8; ++k)
            out[i + k] = plain[k];
    }
    return true;
}

// Eight characters as the bytes of a word, those of 256 and above (and, read as signed,
// those of 0x8000 and above) turned into bytes outside the range.
uint64_t narrow(const char16_t *chars)
{
#ifdef __SSE2__
    const __m128i wide = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chars));
    uint64_t word;
    _mm_storel_epi64(reinterpret_cast<__m128i *>(&word), _mm_packus_epi16(wide, wide));
    return word;
#else
    uint64_t word = 0;
    for (int k = 0; k < 8; ++k)
        word |= uint64_t(chars[k] > 0xFF ? 0xFF : chars[k]) << (8 * k);
    return word;
#endif
}

// Scrambles text made only of characters in 32..122; false, with the output unusable,
// otherwise.
bool scramblePlain(const char16_t *text, qsizetype length, char *out)
{
    const ShiftsFor table(length);
    const uint8_t *complements = table->complements();
    // c - s, or c - s + span below the range, is c + (span - s) brought back into it.
    if (length < 8) {
        // Built in a register: characters stored one by one and read as a word would stall.
        uint64_t word = Filler;
        for (qsizetype k = 0; k < length; ++k)
            word ^= uint64_t((text[k] > 0xFF ? 0xFF : text[k]) ^ 'A') << (8 * k);
        if (outsideRange(word))
            return false;
        const uint64_t scrambled = addWrapped(word, loadLanes(complements));
        for (qsizetype k = 0; k < length; ++k)
            out[k] = char(scrambled >> (8 * k));
        return true;
    }
    // Whole words only; the last one may overlap the one before and writes the same bytes.
    for (qsizetype i = 0;; i += 8) {
        const qsizetype at = qMin(i, length - 8);
        const uint64_t word = narrow(text + at);
        if (outsideRange(word))
            return false;
        qToLittleEndian<quint64>(addWrapped(word, loadLanes(complements + at)), out + at);
        if (at == length - 8)
            return true;
    }
}

// Any bytes; false, with the output unusable, when one of them is 128 or above.
bool unscrambleAnyTo(const char *bytes, qsizetype length, char16_t *out)
{
    // Without branches on the data.
    const ShiftsFor table(length);
    const uint8_t *shift = table->shifts();
    int high = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const int c = uint8_t(bytes[i]);
        high |= c;
        const bool inRange = unsigned(c - First) <= unsigned(Last - First);
        int n = c + (inRange ? *shift : 0);
        n -= (inRange && n > Last) ? Span : 0;
        shift += inRange;
        out[i] = char16_t(n);
    }
    return (high & 0x80) == 0;
}

} // namespace

namespace CellScrambler {

void scrambleInPlace(char *bytes, qsizetype length)
{
    const ShiftsFor table(length);
    const uint8_t *shift = table->shifts();
    for (qsizetype i = 0; i < length; ++i) {
        const int c = uint8_t(bytes[i]);
        if (c < First || c > Last)
            continue;
        int n = c - *shift++;
        if (n < First)
            n += Span;
        bytes[i] = char(n);
    }
}

void unscrambleInPlace(char *bytes, qsizetype length)
{
    const ShiftsFor table(length);
    const uint8_t *shift = table->shifts();
    for (qsizetype i = 0; i < length; ++i) {
        const int c = uint8_t(bytes[i]);
        if (c < First || c > Last)
            continue;
        int n = c + *shift++;
        if (n > Last)
            n -= Span;
        bytes[i] = char(n);
    }
}

bool scrambleAsciiTo(const char16_t *text, qsizetype length, char *out)
{
    // Plain text lies wholly in the scrambled range: then the k-th character takes the k-th
    // shift, and eight of them can be done at once.
    if (scramblePlain(text, length, out))
        return true;
    if (std::any_of(text, text + length, [](char16_t c) { return c >= 0x80; }))
        return false;
    const ShiftsFor table(length);
    const uint8_t *shift = table->shifts();
    for (qsizetype i = 0; i < length; ++i) {
        unsigned c = text[i];
        c = (c == '\r' || c == '\n') ? unsigned(' ') : c;
        const bool inRange = c - First <= unsigned(Last - First);
        int n = int(c) - (inRange ? *shift : 0);
        n += (inRange && n < First) ? Span : 0;
        shift += inRange;
        out[i] = char(n);
    }
    return true;
}

bool unscrambleAsciiTo(const char *bytes, qsizetype length, char16_t *out)
{
    if (unscramblePlain(reinterpret_cast<const uint8_t *>(bytes), length, out))
        return true;
    return unscrambleAnyTo(bytes, length, out);
}

bool scramblePlainTo(const char16_t *text, qsizetype length, char *out)
{
    return scramblePlain(text, length, out);
}

bool unscramblePlainPaddedTo(const char *bytes, qsizetype length, char16_t *out)
{
    return unscramblePlainPadded(reinterpret_cast<const uint8_t *>(bytes), length, out);
}

QByteArray scramble(QByteArrayView bytes)
{
    QByteArray out = bytes.toByteArray();
    scrambleInPlace(out.data(), out.size());
    return out;
}

QByteArray unscramble(QByteArrayView bytes)
{
    QByteArray out = bytes.toByteArray();
    unscrambleInPlace(out.data(), out.size());
    return out;
}

} // namespace CellScrambler
