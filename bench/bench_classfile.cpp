// Loading and saving a class file whose every cell holds text, against a baseline that
// only reads the same file's bytes and makes one pass over them.

#include "classdata/classfile.h"
#include "classdata/classgrid.h"
#include "classdata/loadbuffer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

QString g_path;

void makeFullClass(const QString &path)
{
    ClassGrid grid;
    for (int column = 0; column < ClassGrid::Columns; ++column)
        for (int row = 0; row < ClassGrid::Rows; ++row)
            grid.setCell(column, row,
                         (row % 50 == 0) ? QStringLiteral("Müller %1").arg(column)
                                         : QStringLiteral("Zelle %1/%2").arg(column).arg(row));
    LoadBuffer buffer;
    buffer.scrambleFrom(grid);
    QString error;
    if (!ClassFile::write(path, buffer, &error))
        qFatal("%s", qPrintable(error));
}

void BM_Baseline_ReadAndPass(benchmark::State &state)
{
    for (auto _ : state) {
        QFile file(g_path);
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

void BM_Load(benchmark::State &state)
{
    ClassGrid grid;
    LoadBuffer buffer;
    for (auto _ : state) {
        QString error;
        if (!ClassFile::read(g_path, buffer, &error))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(buffer.unscrambledCell(17, 599));
        buffer.unscrambleInto(grid);
    }
    if (grid.cell(5, 7) != QStringLiteral("Zelle 5/7"))
        state.SkipWithError("loaded grid is wrong");
}

void BM_Save(benchmark::State &state)
{
    ClassGrid grid;
    LoadBuffer buffer;
    QString error;
    ClassFile::read(g_path, buffer, &error);
    buffer.unscrambleInto(grid);
    const QString target = g_path + QStringLiteral(".saved");
    for (auto _ : state) {
        buffer.scrambleFrom(grid);
        if (!ClassFile::write(target, buffer, &error))
            state.SkipWithError("write failed");
    }
}

BENCHMARK(BM_Baseline_ReadAndPass)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Keeps each benchmark's time per iteration for the ratios printed at the end.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    g_path = QDir(dir.path()).filePath(QStringLiteral("voll.MWk"));
    makeFullClass(g_path);
    std::printf("Class file with every cell filled: %lld bytes\n",
                static_cast<long long>(QFile(g_path).size()));

    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const double baseline = reporter.times["BM_Baseline_ReadAndPass/min_time:1.000"];
    const double load = reporter.times["BM_Load/min_time:1.000"];
    const double save = reporter.times["BM_Save/min_time:1.000"];
    if (baseline > 0) {
        std::printf("\nbaseline (read + one pass): %8.2f ms\n", baseline);
        std::printf("load:                       %8.2f ms  ratio %.2f  (goal: at most 4)\n", load,
                    load / baseline);
        std::printf("save:                       %8.2f ms  ratio %.2f\n", save, save / baseline);
    }
    benchmark::Shutdown();
    return 0;
}
