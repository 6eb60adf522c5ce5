#include "gradedistributionpanel.h"

#include "classdata/classdocument.h"
#include "documents/distributionchart.h"

#include <QPainter>
#include <QTimer>

namespace {

constexpr int BlockRows = 17;
constexpr int FinalValue = 44;
constexpr int Margin = 4;

} // namespace

GradeDistributionPanel::GradeDistributionPanel(ClassDocument &document, int subject,
                                               QWidget *parent)
    : QWidget(parent), m_document(document), m_subject(subject),
      m_distribution(document.grid(), subject, document.pointsMode())
{
    setObjectName(QStringLiteral("gradeDistribution%1").arg(subject));
    setToolTip(QStringLiteral("Notenspiegel: wie viele Personen welche Endnote haben"));
    const ClassGrid &grid = document.grid();
    connect(&grid, &ClassGrid::cellChanged, this, [this](int column, int row) {
        if (column == FinalValue && row % BlockRows == m_subject && row < 34 * BlockRows)
            refreshLater();
    });
    connect(&grid, &ClassGrid::cellsChanged, this, &GradeDistributionPanel::refreshLater);
    connect(&grid, &ClassGrid::reset, this, &GradeDistributionPanel::refreshLater);
}

void GradeDistributionPanel::refreshLater()
{
    // A hidden panel counts when it is shown again.
    if (!isVisible() || m_queued)
        return;
    m_queued = true;
    QTimer::singleShot(0, this, [this] {
        m_queued = false;
        refresh();
    });
}

void GradeDistributionPanel::refresh()
{
    m_distribution = GradeDistribution(m_document.grid(), m_subject, m_document.pointsMode());
    update();
}

void GradeDistributionPanel::showEvent(QShowEvent *event)
{
    // The grade mode may have changed without any final value changing.
    Q_UNUSED(event)
    refresh();
}

QString GradeDistributionPanel::summary() const
{
    const int total = m_distribution.total();
    if (total == 0)
        return QStringLiteral("noch keine Endnoten");
    return QStringLiteral("Durchschnitt %1 aus %2 %3")
        .arg(m_distribution.averageText())
        .arg(total)
        .arg(total == 1 ? QStringLiteral("Endnote") : QStringLiteral("Endnoten"));
}

QSize GradeDistributionPanel::sizeHint() const
{
    return {520, 104};
}

void GradeDistributionPanel::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.fillRect(rect(), DistributionChart::Background);
    painter.setPen(DistributionChart::TextColour);
    const int line = fontMetrics().height();
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const QRect top(Margin, Margin, width() - 2 * Margin, line);
    painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Notenspiegel"));
    painter.setFont(font());
    painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter, summary());

    const QRect chartRect(Margin, top.bottom() + 2, width() - 2 * Margin,
                          height() - top.bottom() - 2 - Margin);
    const QImage chart = DistributionChart::draw(m_distribution.labels(), m_distribution.counts(),
                                                 m_distribution.failing(), chartRect.size());
    if (!chart.isNull())
        painter.drawImage(chartRect.topLeft(), chart);
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
