#include "celltext.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// The ICU converter is costly to open, so each thread keeps one of each.
QStringEncoder &windowsEncoder()
{
    static thread_local QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    return encoder;
}

QStringDecoder &windowsDecoder()
{
    static thread_local QStringDecoder decoder("windows-1252", QStringConverter::Flag::Stateless);
    return decoder;
}

bool isAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

// Valid UTF-8 with at least one byte of 128 or above: the reader takes such a line as UTF-8.
bool readsAsUtf8(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return false;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

} // namespace

namespace CellText {

QByteArray encode(const QString &text)
{
    QString clean = text;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' '));
    clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (isAscii(clean))
        return clean.toLatin1();

    QStringEncoder &encoder = windowsEncoder();
    encoder.resetState();
    const QByteArray bytes = encoder.encode(clean);
    // The converter substitutes what it cannot map, and its error flag outlives
    // resetState(): a round trip tells whether every character made it. Bytes that would
    // read back as UTF-8 ("ß…" is DF 85) are written as UTF-8 right away.
    QStringDecoder &decoder = windowsDecoder();
    decoder.resetState();
    if (QString(decoder.decode(bytes)) == clean && !readsAsUtf8(bytes))
        return bytes;
    return clean.toUtf8();
}

void appendDecoded(QString &out, QByteArrayView bytes)
{
    if (isAscii(bytes)) {
        out.append(QLatin1StringView(bytes.data(), bytes.size()));
        return;
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        out.append(text);
        return;
    }
    QStringDecoder &decoder = windowsDecoder();
    decoder.resetState();
    out.append(QString(decoder.decode(bytes)));
}

QString decode(QByteArrayView bytes)
{
    QString out;
    appendDecoded(out, bytes);
    return out;
}

} // namespace CellText
