#include "fuzzfile.h"

#include <QCoreApplication>
#include <QFile>

#include <quazip.h>
#include <quazipfile.h>

FuzzFile::FuzzFile(const uint8_t *data, size_t size, const QString &extension,
                   const QStringList &zipParts)
    : m_path(m_folder.filePath(QStringLiteral("liste.") + extension))
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!m_folder.isValid())
        qFatal("No temporary folder for the fuzzer's input");
    if (!zipParts.isEmpty() && !bytes.startsWith("PK")) {
        writeZip(bytes, zipParts);
        return;
    }
    QFile file(m_path);
    // A full temporary folder would make every input look harmless.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("Cannot write the fuzzer's input to %s", qPrintable(m_path));
}

void FuzzFile::writeZip(const QByteArray &bytes, const QStringList &parts)
{
    QuaZip zip(m_path);
    if (!zip.open(QuaZip::mdCreate))
        qFatal("Cannot write the fuzzer's zip to %s", qPrintable(m_path));
    qsizetype from = 0;
    for (const QString &name : parts) {
        if (from > bytes.size())
            break;
        qsizetype to = bytes.indexOf(PartSeparator, from);
        if (to < 0)
            to = bytes.size();
        QuaZipFile part(&zip);
        // Stored, not deflated: the fuzzer's time goes to the reader.
        if (!part.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0, 0) ||
            part.write(bytes.mid(from, to - from)) != to - from)
            qFatal("Cannot write the fuzzer's zip to %s", qPrintable(m_path));
        part.close();
        from = to + qsizetype(sizeof PartSeparator) - 1;
    }
    zip.close();
}

// Some readers ask Qt for plugins and codecs, which wants an application object.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QCoreApplication application(*argc, *argv);
    return 0;
}
