// The reports of "markwart-tool report" on a fully filled class (34 persons, 14 named
// subjects full of results, both course books full, a photo): for each kind, building the
// report and writing its Word document, against loading the class file, by turns in the
// same run.

#include "app/reportcommand.h"
#include "classdata/classdocument.h"
#include "classdata/classfile.h"
#include "classdata/displaylocale.h"
#include "classdata/userprompts.h"
#include "coursebook/coursebooksheet.h"
#include "documents/docxwriter.h"
#include "grades/gradewalk.h"
#include "pairedrun.h"
#include "photos/photoconverter.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int Persons = ClassDocument::PersonCount;
constexpr int Subjects = 14;
constexpr int Lessons = 57;
const QString PhotoPath = QStringLiteral("Fotos\\12_2026\\7b\\1.bmp");

class SilentPrompts : public UserPrompts
{
public:
    bool askYesNo(const QString &) override { return false; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    void showMessage(const QString &) override {}
    QString askText(const QString &, const QString &, const QString &proposed) override
    {
        return proposed;
    }
    QString chooseClassToOpen(const QString &) override { return {}; }
    QString chooseSaveFile(const QString &) override { return {}; }
};

void fillClass(ClassGrid &grid)
{
    for (int block = 0; block <= Persons; ++block)
        for (int s = 1; s <= Subjects; ++s)
            grid.setCell(0, block * ClassDocument::BlockRows + s,
                         QStringLiteral("Fach Nr. %1 – Übung").arg(s));
    for (int s = 1; s <= Subjects; ++s)
        for (int c = 1; c <= 42; ++c)
            if (c != 31)
                grid.setCell(c, 600 + s, QStringLiteral("Thema %1 Größe").arg(c));
    for (int i = 0; i < Persons; ++i) {
        const int data = ClassDocument::dataRow(i);
        grid.setCell(0, data, QStringLiteral("Müller-Łukaszewicz %1, Jürgen").arg(i + 1));
        grid.setCell(1, data, QStringLiteral("7b"));
        grid.setCell(2, data, QStringLiteral("2026/27"));
        grid.setCell(3, data, QStringLiteral("07.03.2014"));
        grid.setCell(4, data, QStringLiteral("Am Mühlbach %1").arg(i + 1));
        grid.setCell(5, data, QStringLiteral("35712 Lindenstadt"));
        for (int s = 1; s <= Subjects; ++s) {
            const int row = i * ClassDocument::BlockRows + s;
            for (int c = 1; c <= 30; ++c)
                grid.setCell(c, row, QString::number(1 + (i + s + c) % 6));
            for (int c = 32; c <= 42; ++c)
                grid.setCell(c, row, QString::number(1 + (i * s + c) % 6));
        }
        // Both half-years of the course book: an absence now and then.
        for (int lesson = 0; lesson < Lessons; ++lesson)
            for (const int offset : {46, 107}) {
                const int entry = (i + lesson) % 11;
                if (entry < 2)
                    grid.setCell(offset + 3 + lesson, data,
                                 entry == 0 ? QStringLiteral("F") : QStringLiteral("E"));
            }
    }
    grid.setCell(20, ClassDocument::dataRow(0), PhotoPath);
    const QDate start(2026, 8, 17);
    for (int lesson = 0; lesson < Lessons; ++lesson)
        for (const int offset : {46, 107}) {
            grid.setCell(offset + 3 + lesson, 598,
                         start.addDays(lesson * 2 + (offset == 107 ? 180 : 0))
                             .toString(QStringLiteral("dd.MM.yyyy")));
            grid.setCell(offset + 3 + lesson, 599,
                         QStringLiteral("Stunde %1: Kurzgeschichte „Das Brot“").arg(lesson + 1));
        }
    grid.setCell(15, 599, QStringLiteral("nein"));
    grid.setCell(25, 599, QStringLiteral("ja"));
    grid.setCell(8, 33, QStringLiteral("2"));
    grid.setCell(0, 1715, QStringLiteral("nein"));
    GradeWalk::ApplyToAllPersons(grid, ResultRow::Settings{});
    CourseBookSheet::recountClass(grid);
}

void makeClass(const QString &folder, const QString &path)
{
    ClassDocument document;
    fillClass(document.grid());
    QImage photo(300, 400, QImage::Format_RGB32);
    photo.fill(QColor(120, 90, 60));
    QString file = PhotoPath;
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QDir().mkpath(QDir(folder).filePath(file.section(QLatin1Char('/'), 0, -2)));
    if (!PhotoConverter::saveStoredPhoto(photo, QDir(folder).filePath(file)))
        qFatal("the photo cannot be stored");
    document.loadBuffer().scrambleFrom(document.grid());
    QString error;
    if (!ClassFile::write(path, document.loadBuffer(), &error))
        qFatal("%s", qPrintable(error));
}

// What the tool does before any report: read, check the password, take over.
bool load(const QString &path, ClassDocument &document)
{
    QString error;
    if (!ClassFile::read(path, document.loadBuffer(), &error))
        return false;
    if (!document.loadBuffer().unscrambledCell(17, 599).isEmpty())
        return false;
    document.loadBuffer().unscrambleInto(document.grid());
    document.readSettingsFromGrid();
    return true;
}

struct Kind
{
    const char *name;
    ReportCommand::Kind kind;
};

const Kind Kinds[] = {
    {"result-list", ReportCommand::Kind::ResultList},
    {"complete-list", ReportCommand::Kind::CompleteList},
    {"person", ReportCommand::Kind::Person},
    {"exam", ReportCommand::Kind::Exam},
    {"coursebook", ReportCommand::Kind::CourseBook},
};

void pairReport(benchmark::State &state, const Kind &kind, const QString &folder,
                const QString &path)
{
    ReportCommand::Options options;
    options.kind = kind.kind;
    options.classPath = path;
    options.outPath = QDir(folder).filePath(QString::fromLatin1(kind.name) + ".docx");
    options.subject = 3;
    options.column = 32;
    ReportCommand command(options);
    command.setProjectFolder(folder);
    command.setReportFolder(QDir(folder).filePath(QStringLiteral("Berichte")));
    SilentPrompts prompts;
    ClassDocument loaded, document;
    if (!load(path, document)) {
        state.SkipWithError("the class cannot be loaded");
        return;
    }
    // The build alone as well, to tell it from the writing of the document.
    using Clock = std::chrono::steady_clock;
    Clock::duration buildTime{};
    paired(
        state, [&] { return load(path, loaded); },
        [&] {
            const auto start = Clock::now();
            const BuiltReport report = command.build(document, prompts);
            buildTime += Clock::now() - start;
            QString error;
            return report.built && command.write(report, &error);
        });
    state.counters["build_ms"] =
        std::chrono::duration<double, std::milli>(buildTime).count() / double(state.iterations());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    DisplayLocale::install();
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("voll.MWk"));
    makeClass(dir.path(), path);
    std::printf("Full class file: %lld bytes\n", static_cast<long long>(QFile(path).size()));

    for (const Kind &kind : Kinds) {
        const QString folder = dir.path();
        benchmark::RegisterBenchmark(
            kind.name,
            [&kind, folder, path](benchmark::State &s) { pairReport(s, kind, folder, path); })
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.1)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
    }

    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    // Medians of three runs, in milliseconds of wall-clock time.
    std::printf("\n%-14s %-22s %10s %10s %10s %7s\n", "report", "measured / baseline", "measured",
                "(build)", "baseline", "ratio");
    for (const Kind &kind : Kinds) {
        auto &counters = reporter.pairs[kind.name];
        std::printf("%-14s %-22s %10.2f %10.2f %10.2f %7.2f\n", kind.name, "build + .docx / load",
                    double(counters["measured_ms"]), double(counters["build_ms"]),
                    double(counters["baseline_ms"]), double(counters["ratio"]));
    }
    std::printf("(every ratio should stay at or below 10)\n");
    benchmark::Shutdown();
    return 0;
}
