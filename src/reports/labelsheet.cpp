#include "labelsheet.h"

#include "classdata/classdocument.h"
#include "classdata/classgrid.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr qreal MillimetresPerInch = 25.4;
// Room between a label's edge and its text; the edges of cheap sheets are not exact.
constexpr qreal TextIndent = 6.0;
constexpr qreal LineGap = 1.2;

QString nameOf(const ClassGrid &grid, int person)
{
    return grid.cell(0, ClassDocument::dataRow(person));
}

// A single blank is what an emptied name field leaves behind.
bool hasRealName(const ClassGrid &grid, int person)
{
    const QString name = nameOf(grid, person);
    return !name.isEmpty() && name != QLatin1String(" ");
}

QFont labelFont(qreal pointSize, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

int LabelSheet::filledCount() const
{
    int count = 0;
    for (const Label &label : m_labels)
        if (!label.name.isEmpty() || !label.street.isEmpty() || !label.place.isEmpty())
            ++count;
    return count;
}

LabelSheet::Label LabelSheet::labelOf(const ClassGrid &grid, int person, bool namesOnly)
{
    const int row = ClassDocument::dataRow(person);
    Label label;
    label.name = grid.cell(0, row);
    if (namesOnly) {
        // The class the main window shows after loading: that of the first person. A place
        // without a person keeps its label blank, for later use.
        if (!label.name.isEmpty())
            label.place = grid.cell(1, ClassDocument::dataRow(0));
    } else {
        label.street = grid.cell(4, row);
        label.place = grid.cell(5, row);
    }
    return label;
}

LabelSheet LabelSheet::firstSheet(const ClassGrid &grid, bool namesOnly)
{
    // Every label keeps its person's list place, so a free place leaves its label blank
    // and nobody after it loses a label.
    LabelSheet sheet(namesOnly);
    for (int person = 0; person < Count; ++person)
        if (!nameOf(grid, person).isEmpty())
            sheet.setLabel(person, labelOf(grid, person, namesOnly));
    return sheet;
}

bool LabelSheet::needsSecondSheet(const ClassGrid &grid)
{
    for (int index = 0; index < SecondSheetLabels; ++index)
        if (hasRealName(grid, FirstPersonOfSecondSheet + index))
            return true;
    return false;
}

LabelSheet LabelSheet::secondSheet(const ClassGrid &grid, bool namesOnly)
{
    LabelSheet sheet(namesOnly);
    for (int index = 0; index < SecondSheetLabels; ++index)
        sheet.setLabel(index, labelOf(grid, FirstPersonOfSecondSheet + index, namesOnly));
    return sheet;
}

QList<LabelSheet> LabelSheet::sheetsOf(const ClassGrid &grid, bool namesOnly)
{
    QList<LabelSheet> sheets{firstSheet(grid, namesOnly)};
    if (needsSecondSheet(grid))
        sheets << secondSheet(grid, namesOnly);
    return sheets;
}

QRectF LabelSheet::labelRect(int index)
{
    const int column = index % Columns;
    const int row = index / Columns;
    return QRectF(column * LabelWidth, TopMargin + row * LabelHeight, LabelWidth, LabelHeight);
}

QPageLayout LabelSheet::pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

void LabelSheet::paint(QPainter &painter, QPointF offset) const
{
    const QPaintDevice *device = painter.device();
    const qreal xScale = device->logicalDpiX() / MillimetresPerInch;
    const qreal yScale = device->logicalDpiY() / MillimetresPerInch;
    const auto toDevice = [&](const QRectF &mm) {
        return QRectF((mm.x() + offset.x()) * xScale, (mm.y() + offset.y()) * yScale,
                      mm.width() * xScale, mm.height() * yScale);
    };

    painter.save();
    painter.setPen(Qt::black);
    for (int index = 0; index < Count; ++index) {
        const Label &label = m_labels.at(index);
        if (label == Label())
            continue;
        const bool nameLabel = m_nameLabels;
        struct Line
        {
            QString text;
            QFont font;
        };
        QList<Line> lines;
        lines << Line{label.name, labelFont(nameLabel ? 14 : 12, true)};
        if (!label.street.isEmpty())
            lines << Line{label.street, labelFont(11, false)};
        lines << Line{label.place, labelFont(11, false)};

        const QRectF cell = toDevice(labelRect(index));
        const QRectF text = cell.adjusted(TextIndent * xScale, 0, -TextIndent * xScale, 0);
        qreal height = 0;
        for (const Line &line : lines)
            height += QFontMetricsF(line.font, painter.device()).height();
        height += LineGap * yScale * (lines.size() - 1);

        painter.save();
        painter.setClipRect(cell);
        qreal y = cell.y() + (cell.height() - height) / 2;
        for (const Line &line : lines) {
            const QFontMetricsF metrics(line.font, painter.device());
            painter.setFont(line.font);
            const QString shown = metrics.elidedText(line.text, Qt::ElideRight, text.width());
            painter.drawText(QPointF(text.x(), y + metrics.ascent()), shown);
            y += metrics.height() + LineGap * yScale;
        }
        painter.restore();
    }
    painter.restore();
}

bool LabelSheet::writePdf(const QList<LabelSheet> &sheets, const QString &path, QPointF offset,
                          QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Kann \"%1\" nicht schreiben.").arg(path);
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(pageLayout());
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Markwart"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            *error = QStringLiteral("Kann \"%1\" nicht schreiben.").arg(path);
            return false;
        }
        for (qsizetype page = 0; page < sheets.size(); ++page) {
            if (page > 0)
                writer.newPage();
            sheets.at(page).paint(painter, offset);
        }
        painter.end();
    }
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Kann \"%1\" nicht schreiben.").arg(path);
        return false;
    }
    return true;
}
