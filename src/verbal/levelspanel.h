#pragma once

#include <QFrame>
#include <QStringList>

class ClassDocument;
class QPlainTextEdit;

// The editor of the class's individual evaluation levels; a double click prints them.
class LevelsPanel : public QFrame
{
    Q_OBJECT

public:
    explicit LevelsPanel(ClassDocument &document, QWidget *parent = nullptr);

    void open();
    QPlainTextEdit *text() const { return m_text; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void scheduleFollow();

    ClassDocument &m_document;
    QPlainTextEdit *m_text;
    bool m_loading = false;
    bool m_storing = false;
    bool m_followQueued = false;
    // The cells as the editor last took them over or wrote them.
    QStringList m_before;
};
