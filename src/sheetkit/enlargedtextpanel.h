#pragma once

#include <QFrame>
#include <QPointer>

class QLineEdit;
class SheetView;

// A floating line in a large font that shows the text of the current sheet cell, for
// topics and names too long for their narrow columns. What is typed here goes into that
// cell; the panel can be dragged out of the way.
class EnlargedTextPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int StartWidth = 240;

    explicit EnlargedTextPanel(QWidget *parent = nullptr);

    // Follows the cursor of this sheet: shown for texts of two characters or more.
    void follow(SheetView *view);
    void showCell(SheetView *view);
    QLineEdit *line() const { return m_line; }

    // Beside the verbal evaluation the panel sits at `place`; long criteria get a smaller
    // font and the whole width from the left edge.
    void setVerbalMode(bool on, const QPoint &place);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void fitWidth();
    void writeBack();

    QLineEdit *m_line;
    QPointer<SheetView> m_view;
    bool m_verbal = false;
    QPoint m_place;
    QPoint m_dragOffset;
};
