#pragma once

#include <QProxyStyle>

// Hints (tool tips) appear after 350 ms on an aqua background.
class HintStyle : public QProxyStyle
{
    Q_OBJECT

public:
    static constexpr int WakeUpDelay = 350;
    static constexpr int Duration = 6000; // for widgets that carry a hint: setToolTipDuration()

    HintStyle();

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

    // Installs the style and the hint colours for the whole application.
    static void install();
};
