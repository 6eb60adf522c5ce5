#pragma once

#include <QWidget>

class GradeDistributionPanel;
class SheetView;
class SubjectSheet;

// One subject's tab page: the sheet, refilled from the class each time the page is shown.
class SubjectSheetView : public QWidget
{
    Q_OBJECT

public:
    SubjectSheetView(SubjectSheet &sheet, QWidget *parent = nullptr);

    SubjectSheet &sheet() const { return m_sheet; }
    SheetView *view() const { return m_view; }
    GradeDistributionPanel *distribution() const { return m_distribution; }

    // The page became visible: reload, and put the cursor where the next topic goes.
    void activate();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SubjectSheet &m_sheet;
    SheetView *m_view;
    GradeDistributionPanel *m_distribution;
    bool m_shown = false;
};
