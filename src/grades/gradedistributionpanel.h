#pragma once

#include "gradedistribution.h"

#include <QWidget>

class ClassDocument;

// "Notenspiegel": how many persons have each final grade of one subject, as a bar chart,
// and the average of the finals. Follows every change of the class while it is shown.
class GradeDistributionPanel : public QWidget
{
    Q_OBJECT

public:
    GradeDistributionPanel(ClassDocument &document, int subject, QWidget *parent = nullptr);

    // Counts again at once.
    void refresh();
    const GradeDistribution &distribution() const { return m_distribution; }
    // The line under the chart.
    QString summary() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Many cells change at once in a walk or a paste: one count when the events are done.
    void refreshLater();

    ClassDocument &m_document;
    int m_subject;
    GradeDistribution m_distribution;
    bool m_queued = false;
};
