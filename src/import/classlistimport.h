#pragma once

#include <QString>

#include <array>

class ClassGrid;
class PreviewGrid;
class UserPrompts;

// Takes a class list from the preview grid into the person data of a class. For each kind
// of data the teacher points at the first data cell of its column; the import then copies
// the 34 cells below it into the data rows of persons 0..33, overwriting what was there.
class ClassListImport
{
public:
    enum class Field
    {
        Name,
        FirstName,
        Street,
        Postcode,
        Town,
        Phone,
        Email,
        Mobile,
        Class,
        Birthday
    };
    static constexpr int FieldCount = 10;

    static const QString RowCheckQuestion;
    static const QString NoNameQuestion;

    // What the import did; `imported` is false when the teacher went back to the choice.
    struct Result
    {
        bool imported = false;
        int namedPersons = 0;
        int fields = 0;
    };

    ClassListImport(const PreviewGrid &preview, ClassGrid &grid);

    // The start cell of a kind, 0-based in the preview, as "Feld bestätigen" stores it.
    void setPosition(Field field, int column, int row);
    void clearPosition(Field field);
    bool isChosen(Field field) const;
    int column(Field field) const;
    int row(Field field) const;

    // Asks the row check and the no-name question, then imports as one change.
    Result apply(UserPrompts &prompts);

    // The tool's words for the kinds: name, first, street, ...; false for an unknown word.
    static bool fieldFromKey(const QString &key, Field &field);

private:
    QString sourceCell(Field field, int person) const;
    void write(int person, int column, const QString &text);

    const PreviewGrid &m_preview;
    ClassGrid &m_grid;
    std::array<int, FieldCount> m_columns;
    std::array<int, FieldCount> m_rows;
};
