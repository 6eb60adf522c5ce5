#include "hintstyle.h"

#include <QApplication>
#include <QToolTip>

HintStyle::HintStyle() : QProxyStyle() {}

int HintStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                         QStyleHintReturn *returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay)
        return WakeUpDelay;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void HintStyle::install()
{
    QApplication::setStyle(new HintStyle);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(0x00, 0xFF, 0xFF));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
}
