#include "printprogresspanel.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

PrintProgressPanel::PrintProgressPanel(QWidget *parent)
    : QFrame(parent), m_caption(new QLabel), m_bar(new QProgressBar)
{
    setObjectName(QStringLiteral("printProgress"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    setPalette(pal);

    QFont font(QStringLiteral("Arial Narrow"));
    font.setStretch(QFont::SemiCondensed);
    font.setPointSize(12);
    m_caption->setFont(font);
    m_bar->setRange(0, Range);
    m_bar->setTextVisible(false);
    m_bar->setFixedHeight(10);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 4, 10, 4);
    layout->setSpacing(2);
    layout->addWidget(m_caption);
    layout->addWidget(m_bar);
    setFixedHeight(48);
    hide();
}

QString PrintProgressPanel::caption() const
{
    return m_caption->text();
}

void PrintProgressPanel::showProgress(const QString &caption, int value)
{
    m_caption->setText(caption);
    m_bar->setValue(qBound(0, value, int(Range)));
    resize(std::max(420, sizeHint().width()), height());
    move(0, 0);
    show();
    raise();
    // The command runs on in this same turn of the event loop: paint the panel now.
    repaint();
}

void PrintProgressPanel::hideProgress()
{
    hide();
}
