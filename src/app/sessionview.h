#pragma once

#include <QString>

// What the session logic asks of the main window.
class SessionView
{
public:
    enum class PasswordMode
    {
        Save,
        Load
    };

    virtual ~SessionView() = default;

    virtual void showPasswordDialog(PasswordMode mode, const QString &text,
                                    const QString &caption) = 0;
    virtual void hidePasswordDialog() = 0;
    virtual void setCaption(const QString &caption) = 0;
    // A class was taken over into the grid: show the current person, settings and tab order.
    virtual void showLoadedClass() = 0;
    virtual void showHelpPanel() = 0;
    // A short hint on what to do first, while no class has been opened, saved or typed.
    virtual void showStartHint(bool shown) = 0;
    // Closes the main window once a save that the close was waiting for is done.
    virtual void closeMainWindow() = 0;
};
