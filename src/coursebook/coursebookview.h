#pragma once

#include <QDate>
#include <QWidget>

#include <functional>

class CourseBookSheet;
class QFrame;
class QPushButton;
class SheetView;
class UserPrompts;

// One half-year's course book page: the double-lesson row above the sheet, the commands,
// and the warning shown for files that still keep absences in the total columns.
class CourseBookView : public QWidget
{
    Q_OBJECT

public:
    CourseBookView(CourseBookSheet &sheet, UserPrompts &prompts, QWidget *parent = nullptr);

    CourseBookSheet &sheet() const { return m_sheet; }
    SheetView *view() const { return m_view; }
    SheetView *doubleLessonView() const { return m_doubles; }
    QFrame *warning() const { return m_warning; }

    // Today's date for the date proposal; tests set a fixed one.
    void setToday(const std::function<QDate()> &today) { m_today = today; }

    // The page became visible.
    void activate();
    // Shows or hides the attendance legend as the sheet's hint.
    void setHintShown(bool shown);

signals:
    void closeProgramRequested();
    // "Drucken", or the warning's Word button: print the half-year shown.
    void printRequested();

private:
    void reload();
    void toggleContentRow();

    CourseBookSheet &m_sheet;
    UserPrompts &m_prompts;
    std::function<QDate()> m_today;
    SheetView *m_doubles;
    SheetView *m_view;
    QPushButton *m_contentButton;
    QFrame *m_warning;
};
