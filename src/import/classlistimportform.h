#pragma once

#include "classlistimport.h"
#include "previewgrid.h"

#include <QString>
#include <QStringList>

class ClassGrid;
class UserPrompts;

// What the import dialog does, without widgets: loading a list into the preview, pointing
// each kind of data at its first cell, and the import itself. The dialog only shows it.
class ClassListImportForm
{
public:
    using Field = ClassListImport::Field;

    static const QString Caption;
    static const QString Conditions;
    static const QString Instruction;
    // The caption beside each kind's boxes, in the order of ClassListImport::Field.
    static const QStringList FieldCaptions;

    ClassListImportForm(ClassGrid &grid, UserPrompts &prompts);

    // Before a list is loaded only "Tabelle laden" and "Abbruch" are offered.
    bool isLoaded() const { return m_loaded; }
    const PreviewGrid &preview() const { return m_preview; }

    // "Tabelle laden": asks for the file, starting in `folder`, and reads it. False when the
    // teacher cancelled or the file could not be read (then a message says why and the
    // form stays as it was).
    bool load(const QString &folder);
    // Reads the given file, as after the file dialog.
    bool loadFile(const QString &path);

    // The preview cell the teacher clicked last.
    void setCurrentCell(int column, int row);
    int currentColumn() const { return m_currentColumn; }
    int currentRow() const { return m_currentRow; }

    // "Feld bestätigen": the current cell becomes the kind's start.
    void confirm(Field field);
    // The texts of a kind's two read-only boxes: "" until it was confirmed.
    QString columnText(Field field) const;
    QString rowText(Field field) const;

    // " Importieren": true when the class took the list and the dialog closes; false when
    // the teacher went back to the choice.
    bool importList();

private:
    void reset();

    UserPrompts &m_prompts;
    PreviewGrid m_preview;
    ClassListImport m_import;
    bool m_loaded = false;
    int m_currentColumn = 0;
    int m_currentRow = 0;
};
