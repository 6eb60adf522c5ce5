#include "celldump.h"

#include "classgrid.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QTextStream>

#include <cstring>
#include <vector>

namespace CellDump {

static bool unescape(QStringView text, QString *out)
{
    out->clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\')) {
            out->append(c);
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i].unicode()) {
        case '\\':
            out->append(QLatin1Char('\\'));
            break;
        case 't':
            out->append(QLatin1Char('\t'));
            break;
        case 'r':
            out->append(QLatin1Char('\r'));
            break;
        case 'n':
            out->append(QLatin1Char('\n'));
            break;
        default:
            return false;
        }
    }
    return true;
}

namespace {

// A number followed by a TAB, kept in a word so that it is copied in one go.
struct Field
{
    char text[8];
    int length;
};

Field field(int value)
{
    Field f{};
    const QByteArray digits = QByteArray::number(value) + '\t';
    std::memcpy(f.text, digits.constData(), size_t(digits.size()));
    f.length = int(digits.size());
    return f;
}

char *appendField(char *out, const Field &f)
{
    std::memcpy(out, f.text, sizeof f.text);
    return out + f.length;
}

// Whether none of the four characters in the word asks for more than a copy: all lie in
// 32..127 and none is a backslash.
bool plainQuad(quint64 word)
{
    constexpr quint64 Lanes = 0x0001000100010001ull;
    constexpr quint64 HighBits = 0x8000800080008000ull;
    const quint64 backslashes = word ^ (Lanes * '\\');
    const quint64 wide = word & (Lanes * 0xFF80);
    const quint64 control = (word - Lanes * 0x20) & ~word & HighBits;
    const quint64 backslash = (backslashes - Lanes) & ~backslashes & HighBits;
    return (wide | control | backslash) == 0;
}

// Writes the text as UTF-8 with backslash, TAB, CR and LF escaped; needs room for three
// bytes per UTF-16 unit. A lone surrogate becomes U+FFFD.
char *appendEscaped(char *out, QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
        // Most text is plain: four characters at a time.
        if (end - p >= 4) {
            quint64 word;
            std::memcpy(&word, p, sizeof word);
            if (plainQuad(word)) {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
                // The low byte of each character, in order.
                const quint32 bytes =
                    quint32((word & 0xFF) | ((word >> 8) & 0xFF00) | ((word >> 16) & 0xFF0000) |
                            ((word >> 24) & 0xFF000000));
                std::memcpy(out, &bytes, 4);
#else
                for (int k = 0; k < 4; ++k)
                    out[k] = char(p[k]);
#endif
                out += 4;
                p += 4;
                continue;
            }
        }
        const char32_t c = *p++;
        if (c < 0x80) {
            const char escaped = c == '\\'   ? '\\'
                                 : c == '\t' ? 't'
                                 : c == '\r' ? 'r'
                                 : c == '\n' ? 'n'
                                             : 0;
            if (escaped) {
                *out++ = '\\';
                *out++ = escaped;
            } else {
                *out++ = char(c);
            }
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p))
            code = QChar::surrogateToUcs4(char16_t(c), *p++);
        else if (QChar::isSurrogate(c))
            code = QChar::ReplacementCharacter;
        if (code < 0x800) {
            *out++ = char(0xC0 | (code >> 6));
        } else {
            if (code < 0x10000) {
                *out++ = char(0xE0 | (code >> 12));
            } else {
                *out++ = char(0xF0 | (code >> 18));
                *out++ = char(0x80 | ((code >> 12) & 0x3F));
            }
            *out++ = char(0x80 | ((code >> 6) & 0x3F));
        }
        *out++ = char(0x80 | (code & 0x3F));
    }
    return out;
}

} // namespace

bool write(const ClassGrid &grid, QIODevice &out)
{
    // Filled in chunks and handed over whole: a class of full cells lists megabytes.
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    char *pos = chunk.data();
    std::vector<Field> rows(ClassGrid::Rows);
    for (int row = 0; row < ClassGrid::Rows; ++row)
        rows[size_t(row)] = field(row);
    for (int column = 0; column < ClassGrid::Columns; ++column) {
        const Field columnField = field(column);
        for (int row = 0; row < ClassGrid::Rows; ++row) {
            const QStringView text = grid.cellView(column, row);
            if (text.isEmpty())
                continue;
            const qsizetype needed = 32 + 3 * text.size();
            if (chunk.constData() + chunk.size() - pos < needed) {
                const qsizetype used = pos - chunk.constData();
                if (out.write(chunk.constData(), used) != used)
                    return false;
                if (chunk.size() < needed)
                    chunk.resize(needed);
                pos = chunk.data();
            }
            pos = appendField(pos, columnField);
            pos = appendField(pos, rows[size_t(row)]);
            pos = appendEscaped(pos, text);
            *pos++ = '\n';
        }
    }
    const qsizetype used = pos - chunk.constData();
    return out.write(chunk.constData(), used) == used;
}

bool parseLine(const QString &line, int *column, int *row, QString *text)
{
    const qsizetype first = line.indexOf(QLatin1Char('\t'));
    const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char('\t'), first + 1);
    if (second < 0)
        return false;
    bool okColumn = false, okRow = false;
    *column = QStringView(line).left(first).toInt(&okColumn);
    *row = QStringView(line).mid(first + 1, second - first - 1).toInt(&okRow);
    if (!okColumn || !okRow || !ClassGrid::contains(*column, *row))
        return false;
    return unescape(QStringView(line).mid(second + 1), text);
}

bool read(QTextStream &in, ClassGrid &grid, QString *errorMessage)
{
    int lineNumber = 0;
    QString line, text;
    while (in.readLineInto(&line)) {
        ++lineNumber;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        int column = 0, row = 0;
        if (!parseLine(line, &column, &row, &text)) {
            if (errorMessage)
                *errorMessage = QCoreApplication::translate(
                                    "CellDump", "Zeile %1 ist keine Zelle (Spalte TAB Zeile TAB "
                                                "Text, Spalte 0..169, Zeile 0..1715): %2")
                                    .arg(lineNumber)
                                    .arg(line.left(80));
            return false;
        }
        grid.setCell(column, row, text);
    }
    return true;
}

} // namespace CellDump
