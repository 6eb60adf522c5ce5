#pragma once

#include <QString>
#include <QStringList>

// Collects the text of a table cell paragraph by paragraph. Documents join the paragraphs and
// line breaks of a cell with one blank, so that "Bahnhofstraße 3" and "Hinterhaus" stay
// apart; spreadsheets keep a line break as the cell holds it.
class ParagraphJoiner
{
public:
    void append(const QString &text) { m_current += text; }
    // A new paragraph or a line break.
    void breakLine();
    QString text(const QString &separator) const;

private:
    QStringList m_lines;
    QString m_current;
};
