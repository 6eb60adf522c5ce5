#pragma once

#include <QString>

// The panel that tells the teacher what a print command is doing. The widget layer shows
// it; the headless tool has none.
class PrintProgress
{
public:
    static constexpr int Range = 50000;

    virtual ~PrintProgress() = default;
    // Shows the panel at once with this caption and the bar at value (0..Range).
    virtual void showProgress(const QString &caption, int value) = 0;
    virtual void hideProgress() = 0;
};
