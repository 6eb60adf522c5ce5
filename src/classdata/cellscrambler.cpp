#include "cellscrambler.h"

#include "scramblerandom.h"
#include "scrambleseeds.h"

#include <vector>

namespace {

constexpr int First = 32;
constexpr int Last = 122;
constexpr int Span = Last - First + 1; // 91

// Since the generator is re-seeded for every cell, the k-th scrambled character of any cell
// is shifted by the same amount. The shifts are drawn once and then looked up.
class ShiftTable
{
public:
    explicit ShiftTable(size_t size) { grow(size); }

    size_t size() const { return m_shifts.size(); }

    const uint8_t *shifts(qsizetype count)
    {
        if (size_t(count) > m_shifts.size())
            grow(size_t(count) * 2);
        return m_shifts.data();
    }

private:
    void grow(size_t size)
    {
        ScrambleRandom random(ScrambleSeeds::Cell);
        m_shifts.resize(size);
        for (auto &s : m_shifts)
            s = uint8_t(random.next(90));
    }

    std::vector<uint8_t> m_shifts;
};

const uint8_t *shiftsFor(qsizetype count)
{
    // Shared and never changed once built; only cells longer than any real one need more.
    static ShiftTable common(size_t(1) << 16);
    if (size_t(count) <= common.size())
        return common.shifts(count);
    static thread_local ShiftTable longer(0);
    return longer.shifts(count);
}

template <typename Char> bool allInRange(const Char *text, qsizetype length)
{
    unsigned outside = 0;
    for (qsizetype i = 0; i < length; ++i)
        outside |= unsigned(text[i]) - First > unsigned(Last - First);
    return outside == 0;
}

} // namespace

namespace CellScrambler {

void scrambleInPlace(char *bytes, qsizetype length)
{
    const uint8_t *shift = shiftsFor(length);
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
    const uint8_t *shift = shiftsFor(length);
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
    const uint8_t *shift = shiftsFor(length);
    // Plain text lies wholly in the scrambled range: then the k-th character takes the k-th
    // shift, and the loop has no chain from one character to the next.
    if (allInRange(text, length)) {
        for (qsizetype i = 0; i < length; ++i) {
            int n = int(text[i]) - shift[i];
            n += n < First ? Span : 0;
            out[i] = char(n);
        }
        return true;
    }
    unsigned high = 0;
    for (qsizetype i = 0; i < length; ++i) {
        unsigned c = text[i];
        high |= c;
        c = (c == '\r' || c == '\n') ? unsigned(' ') : c;
        const bool inRange = c - First <= unsigned(Last - First);
        int n = int(c) - (inRange ? *shift : 0);
        n += (inRange && n < First) ? Span : 0;
        shift += inRange;
        out[i] = char(n);
    }
    return high < 0x80;
}

bool unscrambleAsciiTo(const char *bytes, qsizetype length, char16_t *out)
{
    // Without branches on the data: the loader runs this over every cell of a file.
    const uint8_t *shift = shiftsFor(length);
    if (allInRange(reinterpret_cast<const uint8_t *>(bytes), length)) {
        for (qsizetype i = 0; i < length; ++i) {
            int n = uint8_t(bytes[i]) + shift[i];
            n -= n > Last ? Span : 0;
            out[i] = char16_t(n);
        }
        return true;
    }
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
