#pragma once

#include "reports/printprogress.h"

#include <QFrame>

class QLabel;
class QProgressBar;

// The panel at the window's top left that tells what a print command is doing.
class PrintProgressPanel : public QFrame, public PrintProgress
{
    Q_OBJECT

public:
    explicit PrintProgressPanel(QWidget *parent = nullptr);

    QString caption() const;

    void showProgress(const QString &caption, int value) override;
    void hideProgress() override;

private:
    QLabel *m_caption;
    QProgressBar *m_bar;
};
