// Loading, saving and dumping class files whose every cell holds text, each against a
// baseline measured in the same run, by turns with it:
// - load against reading the file's bytes and making one pass over them;
// - save against writing the same bytes through QSaveFile;
// - dump (load and listing) against the load alone;
// - saving and loading the class encrypted against the same step on the scrambled file plus
//   one key derivation (the encryption itself should add at most a fifth).

#include "classdata/celldump.h"
#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"
#include "classdata/secureclassfile.h"
#include "pairedrun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

struct ClassKind
{
    const char *name;
    std::function<QString(int column, int row)> text;
};

// Today's benchmark class, one with an umlaut in one cell of eight, one of ASCII only.
const ClassKind Kinds[] = {
    {"heute",
     [](int column, int row) {
         return (row % 50 == 0) ? QStringLiteral("Müller %1").arg(column)
                                : QStringLiteral("Zelle %1/%2").arg(column).arg(row);
     }},
    {"umlaute",
     [](int column, int row) {
         return ((column + row) % 8 == 0) ? QStringLiteral("Größe %1, Jürgen").arg(row)
                                          : QStringLiteral("Zelle %1/%2").arg(column).arg(row);
     }},
    {"ascii",
     [](int column, int row) { return QStringLiteral("Zelle %1/%2").arg(column).arg(row); }},
};

void makeFullClass(const ClassKind &kind, const QString &path)
{
    ClassGrid grid;
    for (int column = 0; column < ClassGrid::Columns; ++column)
        for (int row = 0; row < ClassGrid::Rows; ++row)
            grid.setCell(column, row, kind.text(column, row));
    LoadBuffer buffer;
    buffer.scrambleFrom(grid);
    QString error;
    if (!ClassFile::write(path, buffer, &error))
        qFatal("%s", qPrintable(error));
}

bool load(const QString &path, LoadBuffer &buffer, ClassGrid &grid)
{
    QString error;
    if (!ClassFile::read(path, buffer, &error))
        return false;
    benchmark::DoNotOptimize(buffer.unscrambledCell(17, 599));
    buffer.unscrambleInto(grid);
    return true;
}

void readAndPass(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    // One pass that looks at every byte: count line ends and add up the bytes.
    quint64 lines = 0, sum = 0;
    for (char c : bytes) {
        lines += c == '\n';
        sum += uchar(c);
    }
    benchmark::DoNotOptimize(lines);
    benchmark::DoNotOptimize(sum);
}

bool writeThroughSaveFile(const QString &target, const QByteArray &bytes)
{
    QSaveFile out(target);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

// What markwart-tool dump does, with the listing going nowhere.
bool dump(const QString &path, LoadBuffer &buffer, ClassGrid &grid)
{
    QFile out(QProcess::nullDevice());
    return load(path, buffer, grid) && out.open(QIODevice::WriteOnly) && CellDump::write(grid, out);
}

void pairLoad(benchmark::State &state, const ClassKind &kind, const QString &path)
{
    ClassGrid grid;
    LoadBuffer buffer;
    paired(
        state, [&] { return readAndPass(path), true; }, [&] { return load(path, buffer, grid); });
    if (grid.cell(5, 7) != kind.text(5, 7) || grid.cell(8, 16) != kind.text(8, 16))
        state.SkipWithError("loaded grid is wrong");
}

void pairSave(benchmark::State &state, const QString &path)
{
    ClassGrid grid;
    LoadBuffer buffer;
    load(path, buffer, grid);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    const QString rawTarget = path + QStringLiteral(".roh");
    const QString target = path + QStringLiteral(".gespeichert");
    paired(
        state, [&] { return writeThroughSaveFile(rawTarget, bytes); },
        [&] {
            buffer.scrambleFrom(grid);
            QString error;
            return ClassFile::write(target, buffer, &error);
        });
}

void pairDump(benchmark::State &state, const QString &path)
{
    ClassGrid grid;
    LoadBuffer buffer;
    paired(
        state, [&] { return load(path, buffer, grid); }, [&] { return dump(path, buffer, grid); });
}

const QString Password = QStringLiteral("Zeugnis 2026");

// One key derivation and nothing else to encrypt or decrypt.
QByteArray emptyEncrypted()
{
    static const QByteArray file =
        SecureClassFile::encrypt(QByteArrayView(), Password, SecureClassFile::newPhotoKey());
    return file;
}

bool deriveOnce()
{
    QByteArray image, key;
    return SecureClassFile::decrypt(emptyEncrypted(), Password, &image, &key) ==
           SecureClassFile::Result::Ok;
}

bool saveEncrypted(const QString &target, LoadBuffer &buffer, const ClassGrid &grid,
                   const QByteArray &photoKey)
{
    buffer.scrambleFrom(grid);
    QString error;
    return ClassFile::seal(buffer, Password, photoKey, &error) &&
           ClassFile::write(target, buffer, &error);
}

bool loadEncrypted(const QString &path, LoadBuffer &buffer, ClassGrid &grid)
{
    QString error;
    QByteArray photoKey;
    if (!ClassFile::read(path, buffer, &error) ||
        ClassFile::unseal(buffer, Password, &photoKey, path, &error) != SecureClassFile::Result::Ok)
        return false;
    buffer.unscrambleInto(grid);
    return true;
}

void pairSaveEncrypted(benchmark::State &state, const QString &path)
{
    ClassGrid grid;
    LoadBuffer buffer;
    load(path, buffer, grid);
    const QByteArray photoKey = SecureClassFile::newPhotoKey();
    const QString plainTarget = path + QStringLiteral(".verwuerfelt");
    const QString target = path + QStringLiteral(".verschluesselt");
    paired(
        state,
        [&] {
            buffer.scrambleFrom(grid);
            QString error;
            return deriveOnce() && ClassFile::write(plainTarget, buffer, &error);
        },
        [&] { return saveEncrypted(target, buffer, grid, photoKey); });
}

void pairLoadEncrypted(benchmark::State &state, const ClassKind &kind, const QString &path)
{
    ClassGrid grid;
    LoadBuffer buffer;
    load(path, buffer, grid);
    const QString encrypted = path + QStringLiteral(".sicher");
    if (!saveEncrypted(encrypted, buffer, grid, SecureClassFile::newPhotoKey()))
        state.SkipWithError("cannot write the encrypted class");
    paired(
        state, [&] { return deriveOnce() && load(path, buffer, grid); },
        [&] { return loadEncrypted(encrypted, buffer, grid); });
    if (grid.cell(5, 7) != kind.text(5, 7) || grid.cell(8, 16) != kind.text(8, 16))
        state.SkipWithError("decrypted grid is wrong");
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    std::map<std::string, QString> paths;
    for (const ClassKind &kind : Kinds) {
        const QString path = QDir(dir.path()).filePath(QString::fromLatin1(kind.name) + ".MWk");
        makeFullClass(kind, path);
        std::printf("Class file \"%s\" with every cell filled: %lld bytes\n", kind.name,
                    static_cast<long long>(QFile(path).size()));
        const std::string name = kind.name;
        const auto add = [&](const char *what, auto function) {
            benchmark::RegisterBenchmark((std::string(what) + "_" + name).c_str(), function)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.3)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        };
        add("load", [path, &kind](benchmark::State &s) { pairLoad(s, kind, path); });
        add("save", [path](benchmark::State &s) { pairSave(s, path); });
        add("dump", [path](benchmark::State &s) { pairDump(s, path); });
        if (name == "heute") {
            add("save_encrypted", [path](benchmark::State &s) { pairSaveEncrypted(s, path); });
            add("load_encrypted",
                [path, &kind](benchmark::State &s) { pairLoadEncrypted(s, kind, path); });
        }
    }

    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    // Medians of five runs, in milliseconds of wall-clock time.
    std::printf("\n%-8s %-34s %10s %10s %7s\n", "class", "measured / baseline", "measured",
                "baseline", "ratio");
    const std::pair<const char *, const char *> steps[] = {
        {"load", "load / (read + one pass)"},
        {"save", "save / QSaveFile write of the bytes"},
        {"dump", "dump / load"},
    };
    for (const ClassKind &kind : Kinds) {
        for (const auto &[step, title] : steps) {
            auto &counters = reporter.pairs[std::string(step) + "_" + kind.name];
            std::printf("%-8s %-34s %10.2f %10.2f %7.2f\n", kind.name, title,
                        double(counters["measured_ms"]), double(counters["baseline_ms"]),
                        double(counters["ratio"]));
        }
    }
    std::printf("(every ratio should stay at or below 3)\n\n");

    const std::pair<const char *, const char *> secureSteps[] = {
        {"save_encrypted", "encrypted save / (save + key)"},
        {"load_encrypted", "encrypted load / (load + key)"},
    };
    for (const auto &[step, title] : secureSteps) {
        auto &counters = reporter.pairs[std::string(step) + "_heute"];
        std::printf("%-8s %-34s %10.2f %10.2f %7.2f\n", "heute", title,
                    double(counters["measured_ms"]), double(counters["baseline_ms"]),
                    double(counters["ratio"]));
    }
    std::printf("(the key is derived once per save and load; these ratios should stay at or "
                "below 1.2)\n");
    benchmark::Shutdown();
    return 0;
}
