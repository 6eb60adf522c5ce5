// Loading, saving and dumping class files whose every cell holds text, each against a
// baseline measured in the same run:
// - load against reading the file's bytes and making one pass over them;
// - save against writing the same bytes through QSaveFile;
// - dump (load and listing) against the load alone.

#include "classdata/celldump.h"
#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"

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

void readAndPass(benchmark::State &state, const QString &path)
{
    for (auto _ : state) {
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
}

void loadClass(benchmark::State &state, const ClassKind &kind, const QString &path)
{
    ClassGrid grid;
    LoadBuffer buffer;
    for (auto _ : state)
        if (!load(path, buffer, grid))
            state.SkipWithError("read failed");
    if (grid.cell(5, 7) != kind.text(5, 7) || grid.cell(8, 16) != kind.text(8, 16))
        state.SkipWithError("loaded grid is wrong");
}

void writeSameBytes(benchmark::State &state, const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    const QString target = path + QStringLiteral(".roh");
    for (auto _ : state) {
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
            state.SkipWithError("write failed");
    }
}

void saveClass(benchmark::State &state, const QString &path)
{
    ClassGrid grid;
    LoadBuffer buffer;
    load(path, buffer, grid);
    const QString target = path + QStringLiteral(".gespeichert");
    for (auto _ : state) {
        buffer.scrambleFrom(grid);
        QString error;
        if (!ClassFile::write(target, buffer, &error))
            state.SkipWithError("write failed");
    }
}

// What markwart-tool dump does, with the listing going nowhere.
void dumpClass(benchmark::State &state, const QString &path)
{
    ClassGrid grid;
    LoadBuffer buffer;
    for (auto _ : state) {
        QFile out(QProcess::nullDevice());
        if (!load(path, buffer, grid) || !out.open(QIODevice::WriteOnly) ||
            !CellDump::write(grid, out))
            state.SkipWithError("dump failed");
    }
}

// Keeps each benchmark's median times for the ratios printed at the end.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
                continue;
            const std::string name = run.benchmark_name();
            const std::string key = name.substr(0, name.find('/'));
            realTimes[key] = run.GetAdjustedRealTime();
            cpuTimes[key] = run.GetAdjustedCPUTime();
        }
    }
    std::map<std::string, double> realTimes;
    std::map<std::string, double> cpuTimes;
};

void printRatios(const char *title, std::map<std::string, double> &times)
{
    std::printf("\n%s\n%-10s %24s %24s %24s\n", title, "class", "load / (read + pass)",
                "save / QSaveFile write", "dump / load");
    for (const ClassKind &kind : Kinds) {
        const auto time = [&](const char *what) {
            return times[std::string(what) + "_" + kind.name];
        };
        const auto ratio = [&](const char *what, const char *base) {
            return time(base) > 0 ? time(what) / time(base) : 0.0;
        };
        std::printf("%-10s %8.2f / %5.2f = %5.2f %8.2f / %5.2f = %5.2f %8.2f / %5.2f = %5.2f\n",
                    kind.name, time("load"), time("read_and_pass"), ratio("load", "read_and_pass"),
                    time("save"), time("qsavefile_write"), ratio("save", "qsavefile_write"),
                    time("dump"), time("load"), ratio("dump", "load"));
    }
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
                ->MinTime(0.2)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        };
        add("read_and_pass", [path](benchmark::State &s) { readAndPass(s, path); });
        add("load", [path, &kind](benchmark::State &s) { loadClass(s, kind, path); });
        add("qsavefile_write", [path](benchmark::State &s) { writeSameBytes(s, path); });
        add("save", [path](benchmark::State &s) { saveClass(s, path); });
        add("dump", [path](benchmark::State &s) { dumpClass(s, path); });
    }

    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    // Medians of five runs. Wall-clock time is what the teacher waits for; processor time is
    // steadier on a shared machine, but leaves out the waits for the disk that saving has.
    printRatios("Wall-clock milliseconds:", reporter.realTimes);
    printRatios("Processor milliseconds:", reporter.cpuTimes);
    std::printf("(every ratio should stay at or below 3)\n");
    benchmark::Shutdown();
    return 0;
}
