#include "celltext.h"

#include <QStringDecoder>
#include <QVarLengthArray>

#include <algorithm>

namespace {

// Windows-1252 bytes 80..9F; the five bytes the code page leaves open stand for the C1
// controls of the same number, as Windows itself reads them.
constexpr char16_t WindowsHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool hasMarker(const uchar *bytes, qsizetype length)
{
    return length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF;
}

void windowsTo(const uchar *bytes, qsizetype length, char16_t *out)
{
    for (qsizetype i = 0; i < length; ++i) {
        const uchar c = bytes[i];
        out[i] = (c >= 0x80 && c < 0xA0) ? WindowsHigh[c - 0x80] : char16_t(c);
    }
}

// Decodes strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
// Returns the units written, or -1 when the bytes are not UTF-8. *foreign tells whether a
// character turned up that a gradebook would not hold but a Windows-1252 pair decodes to.
template <bool Write>
qsizetype utf8To(const uchar *p, qsizetype length, char16_t *out, bool *foreign)
{
    const uchar *const end = p + length;
    qsizetype units = 0;
    bool odd = false;
    while (p < end) {
        const uint lead = *p;
        if (lead < 0x80) {
            if (Write)
                out[units] = char16_t(lead);
            ++units;
            ++p;
            continue;
        }
        uint cp, smallest;
        int extra;
        if (lead >= 0xC2 && lead <= 0xDF) {
            cp = lead & 0x1F;
            extra = 1;
            smallest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            cp = lead & 0x0F;
            extra = 2;
            smallest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            cp = lead & 0x07;
            extra = 3;
            smallest = 0x10000;
        } else {
            return -1;
        }
        if (end - p <= extra)
            return -1;
        for (int k = 1; k <= extra; ++k) {
            const uint trail = p[k];
            if ((trail & 0xC0) != 0x80)
                return -1;
            cp = (cp << 6) | (trail & 0x3F);
        }
        if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return -1;
        odd |= (cp >= 0x80 && cp <= 0x9F) || (cp >= 0x700 && cp <= 0x7FF);
        if (cp >= 0x10000) {
            if (Write) {
                out[units] = QChar::highSurrogate(cp);
                out[units + 1] = QChar::lowSurrogate(cp);
            }
            units += 2;
        } else {
            if (Write)
                out[units] = char16_t(cp);
            ++units;
        }
        p += extra + 1;
    }
    if (foreign)
        *foreign = odd;
    return units;
}

int windowsByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    const char16_t *const end = std::end(WindowsHigh);
    const char16_t *found = std::find(std::begin(WindowsHigh), end, c);
    return found == end ? -1 : int(0x80 + (found - WindowsHigh));
}

// Whether Windows-1252 bytes of a text read as that text: unless the reader takes them for
// UTF-8, they do, as the code page maps both ways.
bool readsAsWindows(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    if (hasMarker(data, bytes.size()))
        return false;
    bool foreign = false;
    return utf8To<false>(data, bytes.size(), nullptr, &foreign) < 0 || foreign;
}

bool readsBack(QByteArrayView bytes, QStringView text)
{
    QVarLengthArray<char16_t, 256> decoded(bytes.size());
    const qsizetype length = CellText::decodeTo(bytes, decoded.data());
    return QStringView(decoded.data(), length) == text;
}

} // namespace

namespace CellText {

void appendEncoded(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    char16_t high = 0;
    bool lineBreak = false;
    for (QChar c : text) {
        high |= c.unicode();
        lineBreak |= c == QLatin1Char('\r') || c == QLatin1Char('\n');
    }
    if (high < 0x80) {
        out.resize(start + text.size());
        char *bytes = out.data() + start;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char c = char(text[i].unicode());
            bytes[i] = (c == '\r' || c == '\n') ? ' ' : c;
        }
        return;
    }

    QString withoutBreaks;
    if (lineBreak) {
        withoutBreaks = text.toString();
        withoutBreaks.replace(QLatin1Char('\r'), QLatin1Char(' '));
        withoutBreaks.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text = withoutBreaks;
    }

    out.resize(start + text.size());
    char *bytes = out.data() + start;
    bool encodable = true;
    for (qsizetype i = 0; i < text.size() && encodable; ++i) {
        const int byte = windowsByte(text[i].unicode());
        encodable = byte >= 0;
        bytes[i] = char(byte);
    }
    if (encodable && readsAsWindows(QByteArrayView(out).sliced(start)))
        return;
    out.truncate(start);

    const QByteArray utf8 = text.toUtf8();
    if (!readsBack(utf8, text))
        out.append("\xEF\xBB\xBF", 3);
    out.append(utf8);
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    appendEncoded(out, text);
    return out;
}

qsizetype decodeTo(QByteArrayView bytes, char16_t *out)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype length = bytes.size();
    if (hasMarker(data, length)) {
        const qsizetype written = utf8To<true>(data + 3, length - 3, out, nullptr);
        if (written >= 0)
            return written;
        // Broken UTF-8 after the marker: what can be read, with replacement characters.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                        QStringConverter::Flag::ConvertInitialBom);
        const QString text = utf8.decode(bytes.sliced(3));
        const qsizetype size = qMin(text.size(), length);
        std::copy_n(reinterpret_cast<const char16_t *>(text.constData()), size, out);
        return size;
    }

    uchar high = 0;
    for (qsizetype i = 0; i < length; ++i)
        high |= data[i];
    if (high < 0x80) {
        std::copy_n(data, length, out);
        return length;
    }
    bool foreign = false;
    const qsizetype written = utf8To<true>(data, length, out, &foreign);
    if (written >= 0 && !foreign)
        return written;
    windowsTo(data, length, out);
    return length;
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    text.truncate(decodeTo(bytes, reinterpret_cast<char16_t *>(text.data())));
    return text;
}

} // namespace CellText
