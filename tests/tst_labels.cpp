#include "testsupport.h"

#include "app/appsettings.h"
#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "reports/labelprinter.h"
#include "reports/labelprinting.h"
#include "reports/labelsheet.h"
#include "reports/printprogress.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Label = LabelSheet::Label;

// The sheet painted at 10 pixels per millimetre.
constexpr int PixelsPerMm = 10;

// Persons 0..count-1 with name, class, street and place; the first person's class is the
// one a name label shows, so the others carry another one.
void fillPersons(ClassGrid &grid, int count)
{
    for (int person = 0; person < count; ++person) {
        const int row = ClassDocument::dataRow(person);
        grid.setCell(0, row, QStringLiteral("Name%1 Vorname").arg(person));
        grid.setCell(1, row, person == 0 ? QStringLiteral("7b") : QStringLiteral("8c"));
        grid.setCell(4, row, QStringLiteral("Weg %1").arg(person));
        grid.setCell(5, row, QStringLiteral("%1 Ort").arg(10000 + person));
    }
}

void removePerson(ClassGrid &grid, int person)
{
    for (int column : {0, 1, 4, 5})
        grid.setCell(column, ClassDocument::dataRow(person), QString());
}

Label addressOf(int person)
{
    return Label{QStringLiteral("Name%1 Vorname").arg(person), QStringLiteral("Weg %1").arg(person),
                 QStringLiteral("%1 Ort").arg(10000 + person)};
}

// "label=person" for every filled label, "label=?" for one that matches no person.
QString occupancy(const LabelSheet &sheet)
{
    QStringList out;
    for (int index = 0; index < LabelSheet::Count; ++index) {
        const Label &label = sheet.label(index);
        if (label == Label())
            continue;
        int person = -1;
        for (int candidate = 0; candidate < ClassDocument::PersonCount; ++candidate)
            if (addressOf(candidate) == label)
                person = candidate;
        out << QStringLiteral("%1=%2").arg(index).arg(person < 0 ? QStringLiteral("?")
                                                                 : QString::number(person));
    }
    return out.join(u' ');
}

class RecordingPrinter : public LabelPrinter
{
public:
    QList<Result> results; // taken from the front; printed when empty
    QList<LabelSheet> sheets;
    Result print(const LabelSheet &sheet, int number) override
    {
        if (number != sheets.size() + 1)
            return Result::Failed;
        sheets << sheet;
        return results.isEmpty() ? Result::Printed : results.takeFirst();
    }
};

class RecordingProgress : public PrintProgress
{
public:
    QStringList events; // "caption value" or "hide"
    void showProgress(const QString &caption, int value) override
    {
        events << caption + u' ' + QString::number(value);
    }
    void hideProgress() override { events << QStringLiteral("hide"); }
};

// The bounding box, in millimetres, of the dark pixels inside `area` (mm).
QRectF inkIn(const QImage &image, const QRectF &area)
{
    const QRect pixels(qRound(area.x() * PixelsPerMm), qRound(area.y() * PixelsPerMm),
                       qRound(area.width() * PixelsPerMm), qRound(area.height() * PixelsPerMm));
    const QRect inside = pixels.intersected(image.rect());
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
    if (right < 0)
        return QRectF();
    return QRectF(qreal(left) / PixelsPerMm, qreal(top) / PixelsPerMm,
                  qreal(right - left + 1) / PixelsPerMm, qreal(bottom - top + 1) / PixelsPerMm);
}

QImage painted(const LabelSheet &sheet, QPointF offset = QPointF())
{
    QImage image(210 * PixelsPerMm, 297 * PixelsPerMm, QImage::Format_RGB32);
    image.setDotsPerMeterX(PixelsPerMm * 1000);
    image.setDotsPerMeterY(PixelsPerMm * 1000);
    image.fill(Qt::white);
    QPainter painter(&image);
    sheet.paint(painter, offset);
    return image;
}

int pdfPages(const QString &path)
{
    const QByteArray pdf = TestSupport::readBytes(path);
    return QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b")));
}

struct ToolRun
{
    int exitCode = -1;
    QByteArray err;
};

ToolRun runLabels(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(MARKWART_TOOL_PATH), QStringList{QStringLiteral("labels")} + args);
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.err = process.readAllStandardError();
    return run;
}

const QString SecondSheetQuestion =
    QStringLiteral("Es gibt mehr als 24 Anschriften! Ich benötige einen weiteren Ausdruck. \r"
                   "Klicke auf [ja] wenn der Drucker wieder bereit ist!");

} // namespace

class LabelsTest : public QObject
{
    Q_OBJECT

private slots:
    void personsFillLabelsByListPlace();
    void nameLabelsCarryTheFirstPersonsClass();
    void questionsAndAnswers();
    void printerFailuresAndCancels();
    void labelsLieOnTheirPlaceOfTheSheet();
    void pdfHasOnePagePerSheet();
    void toolWritesLabelsAndRefusesBadCalls();
    void offsetIsRemembered();
};

void LabelsTest::personsFillLabelsByListPlace()
{
    QStringList all24;
    for (int person = 0; person < 24; ++person)
        all24 << QStringLiteral("%1=%1").arg(person);

    // 24 persons: exactly one sheet.
    ClassGrid grid;
    fillPersons(grid, 24);
    QCOMPARE(occupancy(LabelSheet::firstSheet(grid, false)), all24.join(u' '));
    QCOMPARE(LabelSheet::sheetsOf(grid, false).size(), 1);

    // 30 persons: 1..24 on the first sheet, 25..30 on labels 1..6 of the second.
    fillPersons(grid, 30);
    const QList<LabelSheet> sheets = LabelSheet::sheetsOf(grid, false);
    QCOMPARE(sheets.size(), 2);
    QCOMPARE(occupancy(sheets[0]), all24.join(u' '));
    QCOMPARE(occupancy(sheets[1]), QStringLiteral("0=24 1=25 2=26 3=27 4=28 5=29"));

    // Unnamed places among the first 24 are not skipped: the count of named persons decides
    // how many places by list order get a label.
    grid.clear();
    fillPersons(grid, 24);
    removePerson(grid, 3);
    removePerson(grid, 10);
    QStringList expected = all24.mid(0, 22);
    expected.removeAll(QStringLiteral("3=3"));
    expected.removeAll(QStringLiteral("10=10"));
    QCOMPARE(occupancy(LabelSheet::firstSheet(grid, false)), expected.join(u' '));

    // The second sheet is made for a real name on place 25 or 26; a single blank is none.
    grid.clear();
    fillPersons(grid, 24);
    grid.setCell(0, ClassDocument::dataRow(24), QStringLiteral(" "));
    QVERIFY(!LabelSheet::needsSecondSheet(grid));
    grid.setCell(0, ClassDocument::dataRow(25), QStringLiteral("Spät Paula"));
    QVERIFY(LabelSheet::needsSecondSheet(grid));
    QCOMPARE(LabelSheet::secondSheet(grid, false).label(1).name, QStringLiteral("Spät Paula"));
}

void LabelsTest::nameLabelsCarryTheFirstPersonsClass()
{
    ClassGrid grid;
    fillPersons(grid, 26);
    const QList<LabelSheet> sheets = LabelSheet::sheetsOf(grid, true);
    QCOMPARE(sheets.size(), 2);
    const Label expected{QStringLiteral("Name5 Vorname"), QString(), QStringLiteral("7b")};
    QVERIFY(sheets[0].label(5) == expected);
    QCOMPARE(sheets[1].label(1).name, QStringLiteral("Name25 Vorname"));
    QCOMPARE(sheets[1].label(1).place, QStringLiteral("7b"));
    QVERIFY(sheets[1].label(1).street.isEmpty());
    QCOMPARE(sheets[1].filledCount(), 2);
}

void LabelsTest::questionsAndAnswers()
{
    const QString ending = QStringLiteral(
        "Klebeetiketten (70 mal 36/37 mmm).\r"
        "Soll ich die Etiketten erstellen? Vor dem Drucken zeige ich eine Vorschau. Solange "
        "ändert sich das Programmfenster\rund du musst warten! \r"
        "Denke daran, die Klebeetiketten in den Drucker zu legen!");
    ClassDocument document;
    fillPersons(document.grid(), 24);

    // "Nein" to the first question prints nothing and shows no panel.
    {
        ScriptedPrompts prompts;
        RecordingPrinter printer;
        RecordingProgress progress;
        QCOMPARE(LabelPrinting::run(document, prompts, printer, false, &progress), 0);
        QCOMPARE(prompts.questions.size(), 1);
        QVERIFY(prompts.questions[0].startsWith(
            QStringLiteral("Ich drucke Anschriften auf Zweckform No. 3490 oder boeder 10180 ")));
        QVERIFY(prompts.questions[0].endsWith(ending));
        QVERIFY(printer.sheets.isEmpty());
        QVERIFY(progress.events.isEmpty());
    }
    // 24 persons: one sheet, "Fertig"; the panel is full before printing and hidden after.
    {
        ScriptedPrompts prompts;
        prompts.yesNoAnswers = {true};
        RecordingPrinter printer;
        RecordingProgress progress;
        QCOMPARE(LabelPrinting::run(document, prompts, printer, true, &progress), 1);
        QVERIFY(prompts.questions[0].startsWith(
            QStringLiteral("Ich drucke die Namen auf Zweckform No. 3490 oder boeder 10180 ")));
        QVERIFY(prompts.questions[0].endsWith(ending));
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("Fertig")});
        QCOMPARE(printer.sheets.size(), 1);
        QVERIFY(printer.sheets[0].hasNameLabels());
        const QString caption =
            QStringLiteral("Auch wenn die Einträge gut versteckt sind, ich finde sie alle!");
        QCOMPARE(progress.events.first(), caption + QStringLiteral(" 0"));
        QCOMPARE(progress.events.at(progress.events.size() - 2),
                 caption + u' ' + QString::number(PrintProgress::Range));
        QCOMPARE(progress.events.last(), QStringLiteral("hide"));
    }
    // 30 persons: the question for the second sheet, "Anschriften" also for name labels.
    fillPersons(document.grid(), 30);
    for (bool secondWanted : {true, false}) {
        ScriptedPrompts prompts;
        prompts.yesNoAnswers = {true, secondWanted};
        RecordingPrinter printer;
        RecordingProgress progress;
        QCOMPARE(LabelPrinting::run(document, prompts, printer, true, &progress),
                 secondWanted ? 2 : 1);
        QCOMPARE(prompts.questions.size(), 2);
        QCOMPARE(prompts.questions[1], SecondSheetQuestion);
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(printer.sheets.size(), secondWanted ? 2 : 1);
        QCOMPARE(progress.events.last(), QStringLiteral("hide"));
    }
}

void LabelsTest::printerFailuresAndCancels()
{
    ClassDocument document;
    fillPersons(document.grid(), 30);
    struct Case
    {
        QList<LabelPrinter::Result> results;
        int printed;
        int questions;
        QStringList messages;
    };
    using R = LabelPrinter::Result;
    const QList<Case> cases = {
        {{R::Failed}, 0, 1, {QStringLiteral("Finde keinen passenden Drucker!")}},
        {{R::Cancelled}, 0, 1, {}},
        {{R::Printed, R::Failed}, 1, 2, {QStringLiteral("Finde den Drucker immer noch nicht!")}},
        {{R::Printed, R::Cancelled}, 1, 2, {}},
    };
    for (const Case &c : cases) {
        ScriptedPrompts prompts;
        prompts.yesNoAnswers = {true, true};
        RecordingPrinter printer;
        printer.results = c.results;
        RecordingProgress progress;
        QCOMPARE(LabelPrinting::run(document, prompts, printer, false, &progress), c.printed);
        QCOMPARE(prompts.questions.size(), c.questions);
        QCOMPARE(prompts.messages, c.messages);
        QCOMPARE(progress.events.last(), QStringLiteral("hide"));
    }
}

void LabelsTest::labelsLieOnTheirPlaceOfTheSheet()
{
    LabelSheet sheet;
    sheet.setLabel(0, addressOf(0));
    sheet.setLabel(LabelSheet::Count - 1, addressOf(23));
    // Too long for a label: cut off within it, not printed onto the neighbour.
    sheet.setLabel(1, Label{QString(60, u'W'), QString(), QStringLiteral("Ort")});

    const QImage image = painted(sheet);
    // The first label: top left, below the 4.5 mm margin; the last: bottom right.
    const QRectF first = inkIn(image, QRectF(0, 0, 70, 40.5));
    const QRectF last = inkIn(image, QRectF(140, 256.5, 70, 40.5));
    const QRectF second = inkIn(image, QRectF(70, 0, 70, 40.5));
    QVERIFY(!first.isEmpty() && !last.isEmpty() && !second.isEmpty());
    QVERIFY2(first.left() >= 5.5 && first.left() < 7.5, qPrintable(QString::number(first.left())));
    QVERIFY(first.top() > 4.5 + 3 && first.bottom() < 40.5 - 3);
    QVERIFY(qAbs(first.center().y() - (4.5 + 18)) < 2);
    QVERIFY(last.left() >= 140 + 5.5 && last.left() < 140 + 7.5);
    QVERIFY(qAbs(last.center().y() - (256.5 + 18)) < 2);
    QVERIFY(second.left() >= 70 + 5.5 && second.right() <= 140 - 5.5);
    // Nothing else on the sheet.
    QCOMPARE(inkIn(image, QRectF(0, 40.5, 210, 216)), QRectF());

    // The offset moves every label by as many millimetres.
    const QImage moved = painted(sheet, QPointF(2, -1.5));
    const QRectF firstMoved = inkIn(moved, QRectF(0, 0, 80, 40.5));
    const QRectF lastMoved = inkIn(moved, QRectF(140, 250, 70, 47));
    QVERIFY(qAbs(firstMoved.left() - first.left() - 2) < 0.15);
    QVERIFY(qAbs(firstMoved.top() - first.top() + 1.5) < 0.15);
    QVERIFY(qAbs(lastMoved.top() - last.top() + 1.5) < 0.15);
}

void LabelsTest::pdfHasOnePagePerSheet()
{
    QTemporaryDir dir;
    ClassGrid grid;
    for (int persons : {24, 30}) {
        fillPersons(grid, persons);
        const QString path = dir.filePath(QStringLiteral("etiketten%1.pdf").arg(persons));
        QString error;
        QVERIFY2(LabelSheet::writePdf(LabelSheet::sheetsOf(grid, false), path, QPointF(), &error),
                 qPrintable(error));
        QCOMPARE(pdfPages(path), persons == 24 ? 1 : 2);
        // A4 in points, portrait.
        QVERIFY(QString::fromLatin1(TestSupport::readBytes(path))
                    .contains(QRegularExpression(
                        QStringLiteral("/MediaBox \\[0 0 59[45]\\.\\d* 84[12]\\.\\d*\\]"))));
    }
    QString error;
    QVERIFY(!LabelSheet::writePdf({LabelSheet()}, dir.filePath(QStringLiteral("no/such.pdf")),
                                  QPointF(), &error));
    QVERIFY(!error.isEmpty());
}

void LabelsTest::toolWritesLabelsAndRefusesBadCalls()
{
    QTemporaryDir dir;
    QList<std::tuple<int, int, QString>> cells;
    for (int person = 0; person < 27; ++person)
        cells << std::make_tuple(0, ClassDocument::dataRow(person),
                                 QStringLiteral("Name%1 Vorname").arg(person));
    const QString open = dir.filePath(QStringLiteral("offen.MWk"));
    TestSupport::writeClass(open, cells);
    cells << std::make_tuple(17, 599, QStringLiteral("geheim"));
    const QString locked = dir.filePath(QStringLiteral("geschuetzt.MWk"));
    TestSupport::writeClass(locked, cells);
    const QString pdf = dir.filePath(QStringLiteral("etiketten.pdf"));

    ToolRun run = runLabels({open, QStringLiteral("--out"), pdf});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(pdfPages(pdf), 2);
    QFile::remove(pdf);
    run = runLabels({locked, QStringLiteral("--names"), QStringLiteral("--password"),
                     QStringLiteral("geheim"), QStringLiteral("--out"), pdf});
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(pdfPages(pdf), 2);

    QFile::remove(pdf);
    QCOMPARE(runLabels({locked, QStringLiteral("--out"), pdf}).exitCode, 3);
    QCOMPARE(runLabels({open}).exitCode, 2);
    QCOMPARE(
        runLabels({open, QStringLiteral("--out"), dir.filePath(QStringLiteral("x.docx"))}).exitCode,
        2);
    QCOMPARE(runLabels({open, QStringLiteral("--out"), pdf, QStringLiteral("--names"),
                        QStringLiteral("--subject")})
                 .exitCode,
             2);
    QCOMPARE(runLabels({dir.filePath(QStringLiteral("fehlt.MWk")), QStringLiteral("--out"), pdf})
                 .exitCode,
             2);
    QVERIFY(!QFile::exists(pdf));
}

void LabelsTest::offsetIsRemembered()
{
    TestSupport::isolateSettings();
    QCOMPARE(AppSettings().labelOffset(), QPointF());
    AppSettings().setLabelOffset(QPointF(1.5, -2));
    QCOMPARE(AppSettings().labelOffset(), QPointF(1.5, -2));
}

QTEST_MAIN(LabelsTest)
#include "tst_labels.moc"
