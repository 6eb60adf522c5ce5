#include "loadbuffer.h"

#include "cellscrambler.h"
#include "celltext.h"
#include "classgrid.h"

#include <QCoreApplication>
#include <QLocale>
#include <QtAlgorithms>
#include <QtEndian>

#include <cstring>

namespace {

constexpr int CellCount = LoadBuffer::Columns * LoadBuffer::Rows;
// Counts above this are as good as infinite for a grid of 170 x 1716 and keep
// column * rows within 64 bits.
constexpr qint64 CountLimit = qint64(1) << 30;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads a count the way the header lines are meant: blanks and line ends before the
// number are skipped, the rest of its line is ignored. Returns -1 when there is no
// non-negative integer.
qint64 readCount(const QByteArray &bytes, qsizetype &pos)
{
    const qsizetype size = bytes.size();
    while (pos < size && isBlank(bytes[pos]))
        ++pos;
    if (pos < size && bytes[pos] == '+')
        ++pos;
    const qsizetype digitsStart = pos;
    qint64 value = 0;
    while (pos < size && bytes[pos] >= '0' && bytes[pos] <= '9') {
        value = qMin(CountLimit, value * 10 + (bytes[pos] - '0'));
        ++pos;
    }
    if (pos == digitsStart)
        return -1;
    if (pos < size && bytes[pos] != ' ' && bytes[pos] != '\t' && bytes[pos] != '\r' &&
        bytes[pos] != '\n')
        return -1;
    while (pos < size && bytes[pos] != '\n' && bytes[pos] != '\r')
        ++pos;
    if (pos < size && bytes[pos] == '\r')
        ++pos;
    if (pos < size && bytes[pos] == '\n')
        ++pos;
    return value;
}

// Hands out the positions of the line feeds of a text in order, finding them eight bytes at a
// time: lines are short, and most of a class file is line ends.
class LineFeeds
{
public:
    LineFeeds(const char *data, qsizetype size, qsizetype from)
        : m_data(data), m_size(size), m_block(from - 8)
    {}

    // The next line feed, or the size of the text when there is none.
    qsizetype next()
    {
        while (m_found == 0) {
            m_block += 8;
            if (m_block >= m_size)
                return m_size;
            m_found = m_block + 8 <= m_size
                          ? markLineFeeds(m_data + m_block)
                          : markLineFeedsAtEnd(m_data + m_block, m_size - m_block);
        }
        const qsizetype at = m_block + qCountTrailingZeroBits(m_found) / 8;
        m_found &= m_found - 1;
        return at;
    }

private:
    static constexpr quint64 Lanes = 0x0101010101010101ull;
    static constexpr quint64 Low7 = Lanes * 0x7F;

    // The top bit of every byte of the word that is a line feed, byte k in bits 8k..8k+7.
    static quint64 markLineFeeds(const char *bytes)
    {
        const quint64 word = qFromLittleEndian<quint64>(bytes) ^ (Lanes * '\n');
        return ~(((word & Low7) + Low7) | word | Low7);
    }

    static quint64 markLineFeedsAtEnd(const char *bytes, qsizetype count)
    {
        quint64 found = 0;
        for (qsizetype k = 0; k < count; ++k)
            found |= quint64(bytes[k] == '\n' ? 0x80 : 0) << (8 * k);
        return found;
    }

    const char *m_data;
    qsizetype m_size;
    qsizetype m_block;
    quint64 m_found = 0;
};

QString tr(const char *text)
{
    return QCoreApplication::translate("LoadBuffer", text);
}

} // namespace

LoadBuffer::LoadBuffer() : m_offset(CellCount, 0), m_length(CellCount, 0) {}

void LoadBuffer::clear()
{
    m_bytes.clear();
    m_sealed.clear();
    std::fill(m_offset.begin(), m_offset.end(), 0);
    std::fill(m_length.begin(), m_length.end(), 0);
    m_fileColumns = 0;
    m_fileRows = 0;
    m_warning.clear();
}

bool LoadBuffer::parse(QByteArray fileBytes, QString *errorMessage)
{
    clear();
    qsizetype pos = 0;
    const qint64 columns = readCount(fileBytes, pos);
    const qint64 rows = columns < 0 ? -1 : readCount(fileBytes, pos);
    if (columns < 0 || rows < 0) {
        if (errorMessage)
            *errorMessage = tr("Die Datei ist keine Klassendatei: Die ersten beiden Zeilen müssen "
                               "die Spalten- und Zeilenzahl enthalten.");
        return false;
    }
    if (fileBytes.size() > qsizetype(UINT32_MAX)) {
        if (errorMessage)
            *errorMessage = tr("Die Datei ist zu groß für eine Klassendatei.");
        return false;
    }
    m_bytes = std::move(fileBytes);
    m_fileColumns = columns;
    m_fileRows = rows;

    const qint64 lineCount = columns * rows;
    const char *data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    qint64 column = 0;
    qint64 row = 0;
    qint64 line = 0;
    LineFeeds lineFeeds(data, size, pos);
    // Time is bounded by the file: lines missing at the end stay empty.
    for (; line < lineCount && pos < size && column < Columns; ++line) {
        const qsizetype start = pos;
        qsizetype end = lineFeeds.next();
        const qsizetype next = end < size ? end + 1 : size;
        if (end > start && data[end - 1] == '\r')
            --end;
        if (row < Rows) {
            const int i = indexOf(int(column), int(row));
            m_offset[i] = uint32_t(start);
            m_length[i] = uint32_t(end - start);
        }
        pos = next;
        if (++row == rows) {
            row = 0;
            ++column;
        }
    }
    // Columns beyond the grid are not kept, but they still count towards a whole file.
    for (; line < lineCount && pos < size; ++line)
        pos = lineFeeds.next() + 1;
    if (line < lineCount) {
        const QLocale german(QLocale::German, QLocale::Germany);
        m_warning = tr("Die Klassendatei ist unvollständig: Sie endet nach %1 von %2 Zellen.\r"
                       "Geladen wurde, was sie enthält; die fehlenden Zellen bleiben leer. "
                       "Bitte die Klasse prüfen, bevor sie gespeichert wird.")
                        .arg(german.toString(line), german.toString(lineCount));
    }
    return true;
}

void LoadBuffer::scrambleFrom(const ClassGrid &grid)
{
    // Written through a pointer into a buffer that grows in large steps: a class has
    // 291,720 cells, and most of them are short.
    QByteArray out(CellCount * 4 + 64, Qt::Uninitialized);
    qsizetype used = 0;
    const auto makeRoom = [&](qsizetype more) {
        if (used + more > out.size())
            out.resize(qMax(out.size() * 2, used + more));
    };
    const auto append = [&](const char *bytes, qsizetype count) {
        makeRoom(count);
        std::memcpy(out.data() + used, bytes, size_t(count));
        used += count;
    };
    append("170\r\n1716\r\n", 11);
    QByteArray encoded;
    for (int column = 0; column < Columns; ++column) {
        for (int row = 0; row < Rows; ++row) {
            const int i = indexOf(column, row);
            const QStringView text = grid.cellView(column, row);
            const qsizetype start = used;
            makeRoom(text.size() + 2);
            // Anything but plain text (line breaks, controls, letters beyond ASCII) is encoded
            // first.
            if (CellScrambler::scramblePlainTo(reinterpret_cast<const char16_t *>(text.data()),
                                               text.size(), out.data() + used)) {
                used += text.size();
            } else {
                encoded.resize(0); // keeps its room for the next cell
                CellText::appendEncoded(encoded, text);
                CellScrambler::scrambleInPlace(encoded.data(), encoded.size());
                append(encoded.constData(), encoded.size());
            }
            m_offset[i] = uint32_t(start);
            m_length[i] = uint32_t(used - start);
            makeRoom(2);
            out.data()[used++] = '\r';
            out.data()[used++] = '\n';
        }
    }
    out.truncate(used);
    m_bytes = std::move(out);
    m_sealed.clear();
    m_fileColumns = Columns;
    m_fileRows = Rows;
    m_warning.clear();
}

void LoadBuffer::unscrambleInto(ClassGrid &grid) const
{
    std::vector<uint32_t> offsets(CellCount, 0);
    std::vector<uint32_t> lengths(CellCount, 0);
    // Decoded text is never longer, in UTF-16 units, than its bytes; the cells' bytes are
    // read, and their text written, a word at a time, up to 8 past their end.
    const qsizetype size = m_bytes.size();
    QString text(size + 8, Qt::Uninitialized);
    QChar *out = text.data();
    qsizetype pos = 0;
    std::vector<char> scratch;

    for (int i = 0; i < CellCount; ++i) {
        const uint32_t length = m_length[i];
        if (length == 0)
            continue;
        const char *src = m_bytes.constData() + m_offset[i];
        qsizetype written = length;
        auto *const target = reinterpret_cast<char16_t *>(out + pos);
        const bool plain = qsizetype(m_offset[i]) + length + 8 <= size &&
                           CellScrambler::unscramblePlainPaddedTo(src, length, target);
        if (!plain) {
            // Bytes are decoded only once unscrambled: the marker and the bytes of 128 and
            // above pass the scrambler as they are, but the ASCII between them does not.
            scratch.assign(src, src + length);
            CellScrambler::unscrambleInPlace(scratch.data(), length);
            written = CellText::decodeTo(QByteArrayView(scratch.data(), length),
                                         reinterpret_cast<char16_t *>(out + pos));
        }
        offsets[i] = uint32_t(pos);
        lengths[i] = uint32_t(written);
        pos += written;
    }
    text.truncate(pos);
    grid.replaceAll(std::move(text), std::move(offsets), std::move(lengths));
}

QByteArrayView LoadBuffer::cell(int column, int row) const
{
    if (column < 0 || column >= Columns || row < 0 || row >= Rows)
        return QByteArrayView();
    const int i = indexOf(column, row);
    return QByteArrayView(m_bytes.constData() + m_offset[i], m_length[i]);
}

QString LoadBuffer::unscrambledCell(int column, int row) const
{
    return CellText::decode(CellScrambler::unscramble(cell(column, row)));
}
