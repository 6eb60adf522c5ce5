#pragma once

#include <QStyledItemDelegate>

class QTableView;
class SheetLogic;

// Paints sheet cells (row colours, thick lines, turned heading texts) and gives result
// cells an editor that takes digits only. The editor hands its text over on every key,
// so nothing typed is ever held back from the class.
class SheetDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    SheetDelegate(SheetLogic &logic, QTableView *view);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    // The font a cell's text is drawn in: a short text (a result, a mark) wider than the
    // cell gets smaller until it fits, so that a narrow column never shows a cut number;
    // longer texts keep the font and are clipped.
    static QFont fittingFont(const QFont &font, const QString &text, int width);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    SheetLogic &m_logic;
    QTableView *m_view;
};

// Draws a heading text turned by 90 degrees, reading upwards, in the face and size given
// (the size limited to half the column width). Alignment 0 starts 2 pixels from the left
// edge, 1 sits at the right edge, 2 in the middle of the column.
void DrawRotatedCellText(QPainter *painter, const QString &text, int columnWidth, int alignment,
                         const QColor &colour, int size, const QString &faceName,
                         const QRect &rect);
