#include "paragraphjoiner.h"

void ParagraphJoiner::breakLine()
{
    m_lines.append(m_current);
    m_current.clear();
}

QString ParagraphJoiner::text(const QString &separator) const
{
    QStringList lines;
    for (const QString &line : m_lines + QStringList{m_current}) {
        const QString trimmed =
            separator == QLatin1String(" ") ? line.simplified() : line.trimmed();
        if (!trimmed.isEmpty())
            lines.append(trimmed);
    }
    return lines.join(separator);
}
