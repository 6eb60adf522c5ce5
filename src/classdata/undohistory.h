#pragma once

#include <QHash>
#include <QString>

#include <deque>
#include <vector>

// The steps a teacher can take back: each step is one action with the old and new text of
// every cell it changed. Steps are collected while one is open; the grid feeds them.
class UndoHistory
{
public:
    static constexpr int MaxSteps = 1000;

    struct Change
    {
        int column;
        int row;
        QString before;
        QString after;
    };

    struct Step
    {
        QString name;
        std::vector<Change> changes;
        // The cell being typed in; successive keys in the same cell join one step.
        int typedColumn = -1;
        int typedRow = -1;
    };

    // Opening while a step is open nests: the inner one joins the outer, lending it its name
    // when the outer has none.
    void open(const QString &name, int typedColumn = -1, int typedRow = -1);
    void close();
    bool isOpen() const { return m_depth > 0; }

    // A cell changed. Outside an open step the change is a step of its own.
    void record(int column, int row, const QString &before, const QString &after);

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < int(m_steps.size()); }
    QString undoName() const;
    QString redoName() const;
    int stepCount() const { return int(m_steps.size()); }

    // The step to revert or to apply again; the history moves past it.
    const Step *takeUndo();
    const Step *takeRedo();

    // Forgets every step (a class was loaded).
    void clear();
    // The class as it is now is the one on disk.
    void markClean();
    bool isClean() const { return m_clean == m_position; }

private:
    void finish();
    bool joinsTop(const Step &step) const;

    std::deque<Step> m_steps;
    int m_position = 0; // steps applied
    int m_clean = 0;    // position of the saved state; -1 when no step leads back to it
    bool m_topOpenForTyping = false;

    int m_depth = 0;
    Step m_open;
    QHash<qint64, size_t> m_openIndex; // cell -> its change in m_open
};
