#include "testsupport.h"

#include "app/appsettings.h"
#include "classdata/classdocument.h"
#include "classdata/classgrid.h"
#include "reports/labelprinter.h"
#include "reports/labelprinting.h"
#include "reports/labelsheet.h"
#include "reports/printprogress.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Label = LabelSheet::Label;
using R = LabelPrinter::Result;

constexpr int PixelsPerMm = 10;

Label addressOf(int person)
{
    return Label{QStringLiteral("Name%1 Vorname").arg(person), QStringLiteral("Weg %1").arg(person),
                 QStringLiteral("%1 Ort").arg(10000 + person)};
}

// Persons 0..count-1; only the first is in class "7b", the class a name label shows.
void fillPersons(ClassGrid &grid, int count)
{
    for (int person = 0; person < count; ++person) {
        const int row = ClassDocument::dataRow(person);
        const Label label = addressOf(person);
        grid.setCell(0, row, label.name);
        grid.setCell(1, row, person == 0 ? QStringLiteral("7b") : QStringLiteral("8c"));
        grid.setCell(4, row, label.street);
        grid.setCell(5, row, label.place);
    }
}

// "label=person" for every filled label; "?" when street or place belong to someone else.
QString occupancy(const LabelSheet &sheet)
{
    QStringList out;
    for (int index = 0; index < LabelSheet::Count; ++index) {
        const Label &label = sheet.label(index);
        if (label == Label())
            continue;
        const QString person = label.name.section(u' ', 0, 0).mid(4);
        out << QString::number(index) + u'=' +
                   (label == addressOf(person.toInt()) ? person : QStringLiteral("?"));
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

// The bounding box of the dark pixels inside `area`, both in millimetres.
QRectF inkIn(const QImage &image, const QRectF &area)
{
    const QRect pixels = QRectF(area.topLeft() * PixelsPerMm, area.size() * PixelsPerMm)
                             .toRect()
                             .intersected(image.rect());
    QRect ink;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return QRectF(QPointF(ink.topLeft()) / PixelsPerMm, QSizeF(ink.size()) / PixelsPerMm);
}

int pdfPages(const QString &path)
{
    return QString::fromLatin1(TestSupport::readBytes(path))
        .count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b")));
}

int runTool(const QStringList &args)
{
    return TestSupport::runTool(QStringList{QStringLiteral("labels")} + args).exitCode;
}

} // namespace

class LabelsTest : public QObject
{
    Q_OBJECT

private slots:
    void personsFillLabelsByListPlace();
    void questionsPrintsAndMessages();
    void labelsLieOnTheirPlaceOfTheSheet();
    void pdfAndToolCommand();
    void offsetIsRemembered();
};

void LabelsTest::personsFillLabelsByListPlace()
{
    QStringList all24;
    for (int person = 0; person < 24; ++person)
        all24 << QStringLiteral("%1=%1").arg(person);

    ClassGrid grid;
    fillPersons(grid, 24);
    QCOMPARE(occupancy(LabelSheet::firstSheet(grid, false)), all24.join(u' '));
    QCOMPARE(LabelSheet::sheetsOf(grid, false).size(), 1);

    // 30 persons: 1..24 on the first sheet, 25..30 on labels 1..6 of the second.
    fillPersons(grid, 30);
    QList<LabelSheet> sheets = LabelSheet::sheetsOf(grid, false);
    QCOMPARE(sheets.size(), 2);
    QCOMPARE(occupancy(sheets[0]), all24.join(u' '));
    QCOMPARE(occupancy(sheets[1]), QStringLiteral("0=24 1=25 2=26 3=27 4=28 5=29"));

    // Name labels: the first person's class for everyone, nothing on a label without person.
    sheets = LabelSheet::sheetsOf(grid, true);
    QVERIFY(sheets[0].label(5) == (Label{addressOf(5).name, QString(), QStringLiteral("7b")}));
    QVERIFY(sheets[1].label(5) == (Label{addressOf(29).name, QString(), QStringLiteral("7b")}));
    QCOMPARE(sheets[1].filledCount(), 6);

    // Free places among the first 24 leave their label blank; nobody after them is dropped.
    grid.clear();
    fillPersons(grid, 24);
    for (int person : {3, 10})
        for (int column : {0, 1, 4, 5})
            grid.setCell(column, ClassDocument::dataRow(person), QString());
    QStringList expected = all24;
    expected.removeAll(QStringLiteral("3=3"));
    expected.removeAll(QStringLiteral("10=10"));
    QCOMPARE(occupancy(LabelSheet::firstSheet(grid, false)), expected.join(u' '));

    // A second sheet for any real name on places 25..34; a single blank is none.
    fillPersons(grid, 24);
    grid.setCell(0, ClassDocument::dataRow(24), QStringLiteral(" "));
    QVERIFY(!LabelSheet::needsSecondSheet(grid));
    grid.setCell(0, ClassDocument::dataRow(31), QStringLiteral("Spät Paula"));
    QVERIFY(LabelSheet::needsSecondSheet(grid));
    QCOMPARE(LabelSheet::secondSheet(grid, false).label(7).name, QStringLiteral("Spät Paula"));
}

void LabelsTest::questionsPrintsAndMessages()
{
    const QString fertig = QStringLiteral("Fertig");
    const QString noPrinter = QStringLiteral("Finde keinen passenden Drucker!");
    const QString stillNoPrinter = QStringLiteral("Finde den Drucker immer noch nicht!");
    struct Case
    {
        int persons;
        QList<bool> answers;
        QList<R> results;
        int printed;
        int questions;
        QStringList messages;
    };
    const QList<Case> cases = {
        {24, {false}, {}, 0, 1, {}},
        {24, {true}, {}, 1, 1, {fertig}},
        {30, {true, true}, {}, 2, 2, {}},
        {30, {true, false}, {}, 1, 2, {}},
        {30, {true, true}, {R::Failed}, 0, 1, {noPrinter}},
        {30, {true, true}, {R::Cancelled}, 0, 1, {}},
        {30, {true, true}, {R::Printed, R::Failed}, 1, 2, {stillNoPrinter}},
        {30, {true, true}, {R::Printed, R::Cancelled}, 1, 2, {}},
    };
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const Case &c = cases[i];
        ClassDocument document;
        fillPersons(document.grid(), c.persons);
        for (bool namesOnly : {false, true}) {
            ScriptedPrompts prompts;
            prompts.yesNoAnswers = c.answers;
            RecordingPrinter printer;
            printer.results = c.results;
            RecordingProgress progress;
            const QString name = QStringLiteral("%1 persons, case %2, names %3")
                                     .arg(c.persons)
                                     .arg(i)
                                     .arg(namesOnly);
            QVERIFY2(LabelPrinting::run(document, prompts, printer, namesOnly, &progress) ==
                         c.printed,
                     qPrintable(name));
            QCOMPARE(prompts.questions.size(), c.questions);
            QCOMPARE(prompts.messages, c.messages);
            // The panel shows only once the teacher said yes, and is gone at the end.
            QCOMPARE(progress.events.isEmpty(), !c.answers[0]);
            if (c.answers[0])
                QCOMPARE(progress.events.last(), QStringLiteral("hide"));

            // Word is no more: the first question says what happens now; the rest is as ever.
            QVERIFY(prompts.questions[0].startsWith(
                namesOnly ? QStringLiteral("Ich drucke die Namen auf Zweckform No. 3490 oder ")
                          : QStringLiteral("Ich drucke Anschriften auf Zweckform No. 3490 oder ")));
            QVERIFY(prompts.questions[0].endsWith(
                QStringLiteral("boeder 10180 Klebeetiketten (70 mal 36/37 mmm).\rSoll ich die "
                               "Etiketten erstellen? Vor dem Drucken zeige ich eine Vorschau. "
                               "Solange ändert sich das Programmfenster\rund du musst warten! \r"
                               "Denke daran, die Klebeetiketten in den Drucker zu legen!")));
            if (c.questions > 1)
                QCOMPARE(prompts.questions[1],
                         QStringLiteral("Es gibt mehr als 24 Anschriften! Ich benötige einen "
                                        "weiteren Ausdruck. \rKlicke auf [ja] wenn der Drucker "
                                        "wieder bereit ist!"));
        }
    }

    // The bar is full when the sheet goes to the printer.
    ClassDocument document;
    fillPersons(document.grid(), 3);
    ScriptedPrompts prompts;
    prompts.yesNoAnswers = {true};
    RecordingPrinter printer;
    RecordingProgress progress;
    LabelPrinting::run(document, prompts, printer, false, &progress);
    const QString caption =
        QStringLiteral("Auch wenn die Einträge gut versteckt sind, ich finde sie alle!");
    QCOMPARE(progress.events.first(), caption + QStringLiteral(" 0"));
    QCOMPARE(progress.events.at(progress.events.size() - 2),
             caption + u' ' + QString::number(PrintProgress::Range));
}

void LabelsTest::labelsLieOnTheirPlaceOfTheSheet()
{
    LabelSheet sheet;
    sheet.setLabel(0, addressOf(0));
    sheet.setLabel(LabelSheet::Count - 1, addressOf(23));
    // Too long for a label: cut off before the label's edge.
    sheet.setLabel(1, Label{QString(60, u'W'), QString(), QStringLiteral("Ort")});

    // The first label top left below the 4.5 mm margin, the last bottom right, the text
    // indented and centred from top to bottom; nothing anywhere else.
    const QImage image = painted(sheet);
    const QRectF first = inkIn(image, QRectF(0, 0, 70, 40.5));
    const QRectF second = inkIn(image, QRectF(70, 0, 70, 40.5));
    const QRectF last = inkIn(image, QRectF(140, 256.5, 70, 40.5));
    QVERIFY2(first.left() >= 5.5 && first.left() < 7.5, qPrintable(QString::number(first.left())));
    QVERIFY(first.top() > 4.5 + 3 && qAbs(first.center().y() - (4.5 + 18)) < 2);
    QVERIFY(last.left() >= 140 + 5.5 && last.left() < 140 + 7.5);
    QVERIFY(qAbs(last.center().y() - (256.5 + 18)) < 2);
    QVERIFY(second.left() >= 70 + 5.5 && second.right() <= 140 - 5.5);
    QVERIFY(inkIn(image, QRectF(0, 40.5, 210, 216)).isEmpty());

    // The offset moves every label by as many millimetres.
    const QImage moved = painted(sheet, QPointF(2, -1.5));
    const QRectF firstMoved = inkIn(moved, QRectF(0, 0, 80, 40.5));
    const QRectF lastMoved = inkIn(moved, QRectF(140, 250, 70, 47));
    QVERIFY(qAbs(firstMoved.left() - first.left() - 2) < 0.15);
    QVERIFY(qAbs(firstMoved.top() - first.top() + 1.5) < 0.15);
    QVERIFY(qAbs(lastMoved.top() - last.top() + 1.5) < 0.15);
}

void LabelsTest::pdfAndToolCommand()
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
        // A4 portrait, in points.
        QVERIFY(QString::fromLatin1(TestSupport::readBytes(path))
                    .contains(QRegularExpression(
                        QStringLiteral("/MediaBox \\[0 0 59[45]\\.\\d* 84[12]\\.\\d*\\]"))));
    }
    QString error;
    QVERIFY(!LabelSheet::writePdf({LabelSheet()}, dir.filePath(QStringLiteral("no/such.pdf")),
                                  QPointF(), &error));
    QVERIFY(!error.isEmpty());

    // The tool: 27 persons make two pages; the password and the arguments are checked.
    QList<std::tuple<int, int, QString>> cells;
    for (int person = 0; person < 27; ++person)
        cells << std::make_tuple(0, ClassDocument::dataRow(person), addressOf(person).name);
    const QString open = dir.filePath(QStringLiteral("offen.MWk"));
    TestSupport::writeClass(open, cells);
    cells << std::make_tuple(17, 599, QStringLiteral("geheim"));
    const QString locked = dir.filePath(QStringLiteral("geschuetzt.MWk"));
    TestSupport::writeClass(locked, cells);
    const QString pdf = dir.filePath(QStringLiteral("etiketten.pdf"));
    const QString out = QStringLiteral("--out");

    QCOMPARE(runTool({open, out, pdf}), 0);
    QCOMPARE(pdfPages(pdf), 2);
    QFile::remove(pdf);
    QCOMPARE(runTool({locked, QStringLiteral("--names"), QStringLiteral("--password"),
                      QStringLiteral("geheim"), out, pdf}),
             0);
    QCOMPARE(pdfPages(pdf), 2);
    QFile::remove(pdf);

    QCOMPARE(runTool({locked, out, pdf}), 3);
    const QList<QStringList> refused = {
        {open},
        {open, out, dir.filePath(QStringLiteral("x.docx"))},
        {open, out, pdf, QStringLiteral("--subject")},
        {dir.filePath(QStringLiteral("fehlt.MWk")), out, pdf},
    };
    for (const QStringList &args : refused)
        QCOMPARE(runTool(args), 2);
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
