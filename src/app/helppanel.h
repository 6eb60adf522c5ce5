#pragma once

#include <QFrame>

class QPushButton;

// The full-window help panel with the program's principles and version.
class HelpPanel : public QFrame
{
    Q_OBJECT

public:
    static const char *const DownloadAddress;

    explicit HelpPanel(int programVersion, QWidget *parent = nullptr);

    QPushButton *backButton() const { return m_back; }
    QPushButton *updateButton() const { return m_update; }

signals:
    void searchUpdateRequested();

private:
    QPushButton *m_back;
    QPushButton *m_update;
};
