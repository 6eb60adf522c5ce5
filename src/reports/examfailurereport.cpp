#include "examfailurereport.h"

#include "classdata/classdocument.h"
#include "classdata/displaylocale.h"
#include "grades/gradescale.h"
#include "grades/subjectsheet.h"

#include <QLocale>

namespace {

constexpr int SubjectCount = 14;
// A row stays on the list while one of these holds something: the two averages, the
// final value and the grade text.
constexpr int AverageColumns[] = {31, 43, 44, 45};

const QString AverageIntro = QStringLiteral("Der Durchschnitt liegt bei ");
// Wide gaps so that the creation date ends up far right on the page.
const QString Separator =
    QString(24, QLatin1Char(' ')) + QStringLiteral("***") + QString(22, QLatin1Char(' '));
const QString CreatedIntro = QStringLiteral("Erstelldatum: ");

int countedValue(const QString &text)
{
    // Only the plain texts count: "07", "2-" or " 3" are not results of the scale.
    for (int v = 0; v < 16; ++v)
        if (text == QString::number(v))
            return v;
    return -1;
}

int percentOf(int failing, int base)
{
    // Integer division: 33,3 % is 33 % and reaches the threshold, 32,9 % does not.
    return failing * 100 / (base == 0 ? 1 : base);
}

} // namespace

const QColor ExamFailureReport::FailingColour = QColor(255, 80, 80);
const QColor ExamFailureReport::FailingCountColour = QColor(255, 17, 17);

const QString ExamFailureReport::NotOnSubjectSheet = QStringLiteral(
    "Bitte zunächst die Fachseite wählen und die entsprechende Klausurspalte irgendwo anklicken!");
const QString ExamFailureReport::NothingCounted =
    QStringLiteral("Du musst ein beliebiges Feld der gewünschten Klausur markieren!");

ExamFailureReport::ExamFailureReport(ClassDocument &document, int subject, int examColumn)
    : m_document(document), m_subject(subject), m_examColumn(examColumn)
{}

ExamFailureResult ExamFailureReport::compute() const
{
    ExamFailureResult result;
    if (m_subject < 1 || m_subject > SubjectCount) {
        result.messages << NotOnSubjectSheet;
        return result;
    }
    result.valid = true;
    result.pointsMode = m_document.pointsMode();
    result.created = m_created.isValid() ? m_created : QDateTime::currentDateTime();
    // Column 0 holds the names; clicking it leaves the exam unchosen.
    result.examColumn =
        m_examColumn >= 1 && m_examColumn < SubjectSheet::Columns ? m_examColumn : 1;

    const QString label = m_document.rowLabels().value(m_subject);
    result.heading.title = label.isEmpty() ? QStringLiteral("Fach %1").arg(m_subject) : label;
    result.heading.className =
        m_document.grid().cell(1, ClassDocument::dataRow(m_document.currentPerson()));

    fillTable(result);
    count(result);

    const QString created = CreatedIntro + createdText(result.created);
    if (result.total == 0) {
        result.messages << NothingCounted;
        result.resultLine = created;
    } else {
        qint64 sum = 0;
        for (int v = 1; v < 16; ++v)
            sum += qint64(v) * result.counters[v];
        const Grades::Fixed average =
            Grades::Quotient(Grades::FromWhole(sum), Grades::FromWhole(result.total));
        result.average = formatAverage(average.tt);
        result.resultLine = AverageIntro + result.average + Separator + created;
    }

    if (result.pointsMode)
        pointDistribution(result);
    else
        gradeDistribution(result);
    if (!result.warning.isEmpty())
        result.messages << result.warning;
    return result;
}

void ExamFailureReport::fillTable(ExamFailureResult &result) const
{
    SubjectSheet sheet(m_document, m_subject);
    sheet.show();
    const SheetTable &source = sheet.table();

    int rows = source.rowCount();
    auto hasAverage = [&source](int row) {
        for (int column : AverageColumns)
            if (!source.cell(column, row).isEmpty())
                return true;
        return false;
    };
    while (rows > 1 && !hasAverage(rows - 1))
        --rows;

    // The exam moves to column 1; the columns it passes shift one to the right.
    const int exam = result.examColumn;
    auto sourceColumn = [exam](int column) {
        if (column == 1)
            return exam;
        if (column >= 2 && column <= exam)
            return column - 1;
        return column;
    };

    PrintTable &table = result.table;
    table = PrintTable(source.columnCount(), rows);
    for (int column = 0; column < source.columnCount(); ++column) {
        const int from = sourceColumn(column);
        table.setColumnWidth(column, sheet.columnWidth(from));
        for (int row = 0; row < rows; ++row)
            table.setCell(column, row, source.cell(from, row));
    }
    for (int row = 0; row < rows; ++row)
        table.setRowHeight(row, sheet.rowHeight(row));
    table.setControlWidth(m_controlWidth);
}

void ExamFailureReport::count(ExamFailureResult &result)
{
    for (int row = 1; row < result.table.rowCount(); ++row) {
        const int value = countedValue(result.table.cell(1, row));
        if (value >= 0)
            ++result.counters[value];
    }
    for (int n : result.counters)
        result.total += n;
}

void ExamFailureReport::gradeDistribution(ExamFailureResult &result)
{
    const auto &counters = result.counters;
    QStringList labels, counts;
    for (int k = 1; k <= 6; ++k)
        labels << QStringLiteral("Ü %1 / %1").arg(k);
    labels << QStringLiteral("Ü7") << QStringLiteral("Ü8");
    for (int k = 1; k <= 8; ++k)
        counts << QString::number(counters[k]);
    result.distribution.rows = {labels, counts};

    // Grades beyond 6 belong to the 8-step scale and stay out of the share.
    int base = 0;
    for (int k = 1; k <= 6; ++k)
        base += counters[k];
    result.failing = counters[5] + counters[6];
    result.failingPercent = percentOf(result.failing, base);
    result.tooManyFailing = result.failingPercent >= FailingThreshold;
    if (!result.tooManyFailing)
        return;
    for (int column = 4; column < 8; ++column)
        result.distribution.marks << ExamDistributionTable::Mark{column, 1, FailingColour};
    result.warning = QStringLiteral("Sorry, die Arbeit ist leider mit %1 % unter dem Strich.")
                         .arg(result.failingPercent);
}

void ExamFailureReport::pointDistribution(ExamFailureResult &result)
{
    const auto &counters = result.counters;
    QStringList grades, labels, counts;
    for (int k = 1; k <= 6; ++k)
        grades << QString::number(k);
    for (int v = 15; v >= 1; --v) {
        labels << QString::number(v);
        counts << QString::number(counters[v]);
    }
    labels << QString() << QStringLiteral("0") << QString();
    counts << QString() << QString::number(counters[0]) << QString();

    // Fewer than four points fail.
    result.failing = counters[0] + counters[1] + counters[2] + counters[3];
    result.failingPercent = percentOf(result.failing, result.total);
    result.tooManyFailing = result.failingPercent >= FailingThreshold;
    if (result.tooManyFailing) {
        // The cells of 0, 1, 2 and 3 points, then the number of failing results beside them.
        for (int column : {16, 14, 13, 12})
            result.distribution.marks << ExamDistributionTable::Mark{column, 2, FailingColour};
        counts[17] = QStringLiteral("(%1)").arg(result.failing);
        result.distribution.marks << ExamDistributionTable::Mark{17, 2, FailingCountColour};
        result.warning =
            QStringList{
                QStringLiteral("Sorry, hast du die roten Felder bemerkt? Die Klausur ist leider "
                               "mit %1 % unter dem Strich.")
                    .arg(result.failingPercent),
                QStringLiteral("Schleswig-Holstein:"),
                QStringLiteral("Runderlass des Ministeriums für Bildung und Frauen vom 31. August "
                               "2009 mit Änderungen vom 27. Juli 2010 \u2013 III 316 "),
                QStringLiteral("Wenn ein Drittel oder mehr der Klassenarbeiten einer Klasse mit "
                               "weniger als vier Punkten bewertet werden soll,"),
                QStringLiteral("ist die Genehmigung der Schulleiterin bzw. des Schulleiters "
                               "erforderlich. Dazu müssen die unterrichtende Lehrkraft"),
                QStringLiteral(
                    "und die Klassensprecherin oder der Klassensprecher gehört werden. "),
            }
                .join(QLatin1Char('\r'));
    }
    result.distribution.rows = {grades, labels, counts};
}

QString ExamFailureReport::formatAverage(qint64 tenThousandths)
{
    // Two decimals, halves rounded up, in the user's number format; averages are never
    // negative.
    const qint64 hundredths = (tenThousandths + 50) / 100;
    const QLocale locale;
    return locale.toString(hundredths / 100) + locale.decimalPoint() +
           QStringLiteral("%1").arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

QString ExamFailureReport::createdText(const QDateTime &created)
{
    // The long time format, without the time zone.
    QString timeFormat = QLocale().timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1Char('t'));
    return DisplayLocale::shortDate(created.date()) + QStringLiteral(", ") +
           QLocale().toString(created.time(), timeFormat.trimmed());
}
