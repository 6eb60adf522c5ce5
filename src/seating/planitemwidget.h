#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

class QLineEdit;

// A desk, a piece of furniture, the photo panel or the small picture on the plan: moved by
// dragging it with the left button, resized at its frame. The frame is drawn and handled
// here, so that it looks and works the same under every window system.
class PlanItemWidget : public QWidget
{
    Q_OBJECT

public:
    enum class Sizing
    {
        Free,
        Fixed,
        // Resized at the left and right border only; the height follows the width.
        Portrait
    };

    static constexpr int FrameWidth = 5;

    explicit PlanItemWidget(QWidget *parent = nullptr);

    void setSizing(Sizing sizing);
    void setColour(const QColor &colour);
    // Painted stretched over the whole panel, the text above it.
    void setPicture(const QImage &picture);
    QImage picture() const { return m_picture; }
    void setText(const QString &text);
    QString text() const;
    void setTextFont(int pixelSize, bool bold);
    // A line of text the teacher may change, centred in the panel.
    void setEditable(bool editable);
    QLineEdit *editor() const { return m_editor; }

signals:
    // A drag or a resize ended; the geometry is the new one.
    void placed(const QRect &geometry);
    void doubleClicked();
    // The mouse moved over the panel.
    void hovered();
    void focused();
    void textEdited(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Borders under a point: left, top, right, bottom as bits.
    int edgesAt(const QPoint &pos) const;
    void updateCursor(int edges);
    void press(const QPointF &global, int edges);
    // True when the move belongs to a drag or a resize.
    bool follow(const QPointF &global);
    bool release();

    Sizing m_sizing = Sizing::Free;
    QColor m_colour = Qt::white;
    QImage m_picture;
    QString m_text;
    QLineEdit *m_editor = nullptr;

    bool m_pressed = false;
    bool m_moving = false;
    int m_edges = 0;
    QPointF m_pressGlobal;
    QRect m_pressGeometry;
};
