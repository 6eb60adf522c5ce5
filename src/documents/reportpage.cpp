#include "reportpage.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <iterator>

namespace {

// Windows-1252 bytes 80..9F. The five bytes the code page leaves open carry the C1
// controls of the same number, as Windows reads them.
constexpr char16_t WindowsHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of a character, or -1 when the code page lacks it.
int windowsByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    const auto *const end = std::end(WindowsHigh);
    const auto *found = std::find(std::begin(WindowsHigh), end, c);
    return found == end ? -1 : int(0x80 + (found - WindowsHigh));
}

void appendLine(QByteArray &out, const QString &line)
{
    const QList<uint> characters = line.toUcs4();
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const char32_t c = characters[i];
        // A line break inside a cell ends its line like every other.
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < characters.size() && characters[i + 1] == u'\n')
                ++i;
            out.append("\r\n", 2);
            continue;
        }
        const int byte = windowsByte(c);
        if (byte >= 0)
            out.append(char(byte));
        else
            out.append("&#" + QByteArray::number(uint(c)) + ';');
    }
    out.append("\r\n", 2);
}

} // namespace

namespace ReportPage {

QByteArray encode(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines)
        appendLine(out, line);
    return out;
}

bool save(const QStringList &lines, const QString &filePath)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(encode(lines));
    return file.commit();
}

QString docPath(const QString &reportFolder)
{
    return QDir(reportFolder).filePath(QStringLiteral("Druck.doc"));
}

QString htmlPath(const QString &reportFolder)
{
    return QDir(reportFolder).filePath(QStringLiteral("Druck.html"));
}

QString photoPath(const QString &reportFolder)
{
    return QDir(reportFolder).filePath(QStringLiteral("Druck/druck.bmp"));
}

} // namespace ReportPage
