#pragma once

#include <QFrame>

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
    ClassDocument &m_document;
    QPlainTextEdit *m_text;
    bool m_loading = false;
};
