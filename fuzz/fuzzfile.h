#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The readers take a path, not bytes: a fuzzer's input is written to a file of its own, with
// the extension that picks the reader, and removed again afterwards.
//
// Mutated zip containers rarely get past their checksums, so for the zip formats an input
// that is no zip is taken as the container's parts instead, in the order given, separated by
// PartSeparator; the file is then a valid zip around them and the fuzzer reaches the XML.
class FuzzFile
{
public:
    static constexpr char PartSeparator[] = "\n--part--\n";

    FuzzFile(const uint8_t *data, size_t size, const QString &extension,
             const QStringList &zipParts = {});

    QString path() const { return m_path; }

private:
    void writeZip(const QByteArray &bytes, const QStringList &parts);

    QTemporaryDir m_folder;
    QString m_path;
};
