#pragma once

#include <QFrame>
#include <QStringList>

class ClassDocument;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The movable editor of one person's remarks. Every key goes into the class at once.
class RemarksPanel : public QFrame
{
    Q_OBJECT

public:
    explicit RemarksPanel(ClassDocument &document, QWidget *parent = nullptr);

    void openFor(int person);
    // Pink in the pop-art scheme, light blue otherwise.
    void setPopArt(bool on);
    QPlainTextEdit *text() const { return m_text; }
    QPushButton *undoButton() const { return m_undo; }

signals:
    // "Schließen" asks for the "Bemerkungen" caption to follow; "X" does not.
    void closed(bool updateIndicator);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void store();
    void scheduleFollow();
    void reload();
    void deleteText();
    void undoDelete();
    void print();

    ClassDocument &m_document;
    int m_person = 0;
    bool m_loading = false;
    bool m_storing = false;
    bool m_followQueued = false;
    // The person's cells as the editor last took them over or wrote them.
    QStringList m_before;
    QLabel *m_heading;
    QPlainTextEdit *m_text;
    QPushButton *m_undo;
    QPoint m_dragOffset;
};
