#include "undohistory.h"

#include <algorithm>

namespace {

qint64 keyOf(int column, int row)
{
    return (qint64(column) << 32) | quint32(row);
}

// Changes that end where they started are no changes.
void dropUnchanged(std::vector<UndoHistory::Change> &changes)
{
    changes.erase(std::remove_if(changes.begin(), changes.end(),
                                 [](const UndoHistory::Change &c) { return c.before == c.after; }),
                  changes.end());
}

const QString Typing = QStringLiteral("Eingabe");

} // namespace

void UndoHistory::open(const QString &name, int typedColumn, int typedRow)
{
    if (m_depth++ == 0) {
        m_open = Step{name, {}, typedColumn, typedRow};
        m_openIndex.clear();
    } else if (m_open.name.isEmpty() && !name.isEmpty()) {
        m_open.name = name;
        m_open.typedColumn = typedColumn;
        m_open.typedRow = typedRow;
    }
}

void UndoHistory::close()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    finish();
}

void UndoHistory::record(int column, int row, const QString &before, const QString &after)
{
    if (m_depth == 0) {
        open(QString());
        record(column, row, before, after);
        close();
        return;
    }
    const qint64 key = keyOf(column, row);
    const auto found = m_openIndex.constFind(key);
    if (found != m_openIndex.constEnd()) {
        m_open.changes[*found].after = after;
        return;
    }
    m_openIndex.insert(key, m_open.changes.size());
    m_open.changes.push_back(Change{column, row, before, after});
}

bool UndoHistory::joinsTop(const Step &step) const
{
    // Not across a save: taking back must still reach the saved state.
    if (!m_topOpenForTyping || step.typedColumn < 0 || m_position == 0 ||
        m_position != int(m_steps.size()) || m_clean == m_position)
        return false;
    const Step &top = m_steps.back();
    return top.name == step.name && top.typedColumn == step.typedColumn &&
           top.typedRow == step.typedRow;
}

void UndoHistory::finish()
{
    Step step = std::move(m_open);
    m_open = Step();
    m_openIndex.clear();
    dropUnchanged(step.changes);
    if (step.changes.empty())
        return;
    if (step.name.isEmpty()) {
        step.name = Typing;
        // A key typed into a field changes that field first.
        step.typedColumn = step.changes.front().column;
        step.typedRow = step.changes.front().row;
    }
    if (joinsTop(step)) {
        Step &top = m_steps.back();
        for (const Change &change : step.changes) {
            auto same = std::find_if(top.changes.begin(), top.changes.end(), [&](const Change &c) {
                return c.column == change.column && c.row == change.row;
            });
            if (same != top.changes.end())
                same->after = change.after;
            else
                top.changes.push_back(change);
        }
        dropUnchanged(top.changes);
        // Typing back what was there leaves nothing to take back.
        if (top.changes.empty()) {
            m_steps.pop_back();
            --m_position;
            m_topOpenForTyping = false;
        }
        return;
    }

    // A new action drops the steps that were taken back.
    while (int(m_steps.size()) > m_position)
        m_steps.pop_back();
    if (m_clean > m_position)
        m_clean = -1;
    m_steps.push_back(std::move(step));
    ++m_position;
    if (int(m_steps.size()) > MaxSteps) {
        m_steps.pop_front();
        --m_position;
        if (m_clean >= 0)
            --m_clean;
    }
    m_topOpenForTyping = true;
}

QString UndoHistory::undoName() const
{
    return canUndo() ? m_steps[size_t(m_position - 1)].name : QString();
}

QString UndoHistory::redoName() const
{
    return canRedo() ? m_steps[size_t(m_position)].name : QString();
}

const UndoHistory::Step *UndoHistory::takeUndo()
{
    if (!canUndo())
        return nullptr;
    m_topOpenForTyping = false;
    return &m_steps[size_t(--m_position)];
}

const UndoHistory::Step *UndoHistory::takeRedo()
{
    if (!canRedo())
        return nullptr;
    m_topOpenForTyping = false;
    return &m_steps[size_t(m_position++)];
}

void UndoHistory::clear()
{
    m_steps.clear();
    m_position = 0;
    m_clean = 0;
    m_topOpenForTyping = false;
}

void UndoHistory::markClean()
{
    m_clean = m_position;
    m_topOpenForTyping = false;
}
