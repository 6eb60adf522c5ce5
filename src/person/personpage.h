#pragma once

#include "sheetkit/sheetlogic.h"

#include <QPoint>
#include <QString>

#include <functional>

class ClassDocument;
class UserPrompts;

// The person page: one person's data fields and the person sheet with the results of all
// 14 subjects, the class-wide grading settings, and the commands that create, move and
// delete persons. Every edit reaches the class at once; navigation only reloads.
class PersonPage : public SheetLogic
{
public:
    static constexpr int Columns = 46;
    static constexpr int Rows = 16; // weighting row, 14 subjects, one carried row

    // The person data fields and their columns in the person data row.
    enum Field
    {
        Name = 0,
        Class = 1,
        SchoolYear = 2,
        Born = 3,
        Street = 4,
        Town = 5,
        Phone = 6,
        Email = 9,
        Mobile = 13,
    };

    PersonPage(ClassDocument &document, UserPrompts &prompts);

    ClassDocument &document() const { return m_document; }
    int current() const;
    int listPosition() const { return current() + 1; }

    // Loads person `person` into the page.
    void show(int person);
    // Reloads the shown person, as entering the page does, and recomputes the sheet.
    void enter();
    QPoint cursor() const { return m_cursor; }

    // Recomputes the sheet and writes the cells that changed into the class.
    void commit();

    QString field(Field field) const;
    // Stores a field's text. "Klasse:" refuses the characters . \ / : ? with a message and
    // keeps the rest; returns the text as stored.
    QString setField(Field field, const QString &text);
    bool lrs() const;
    void setLrs(bool on);
    void setPhotosVisible(bool on);
    QString photoPath() const;

    // Navigation: "&weiter" and "&zurück", and the two arrows that move the person.
    void forward();
    void back();
    void moveUp();
    void moveDown();

    void deleteCurrent();
    void insertFreeSlot();
    // "neues SJ., alle Noten löschen": false when the teacher said no.
    bool startNewSchoolYear();
    // "neue Lerngruppe anlegen": false when the class is to be saved first instead.
    bool startNewLearningGroup();

    // "Import": before the import dialog opens, a page that already shows a person offers
    // a new class.
    enum class ImportStart
    {
        IntoThisClass,
        IntoNewClass,
        SaveFirst // the teacher wants the class saved before the new one is started
    };
    ImportStart startImport();

    // Class-wide settings.
    void setPointsMode(bool on);
    void setHalfDown(bool on);
    void setSliderPosition(int position);
    // The single-grade weighting switch. Turning it off offers to reset the weights; true
    // when they were reset and now have to reach every person.
    bool setWeightingSwitch(bool on);
    bool weightingSwitch() const;
    bool weightsActive() const;
    // Re-applies the settings to every person and shows person 1 again.
    void applyToAllPersons(const std::function<void(int)> &progress = {});

    // The shown person's photo is still a file of an older version (not a bitmap): offers
    // to convert the photos of the class. True when they were converted; the class should
    // be saved then.
    bool offerPhotoConversion(const QString &projectFolder);

    // "Fach k", or the subject name typed in the sheet.
    QString subjectCaption(int subject) const;

    // Whether the yellow notice (settings to be applied to everyone) should show.
    bool noticeRequested() const { return m_noticeRequested; }
    void clearNotice() { m_noticeRequested = false; }

    // SheetLogic
    void edit(int column, int row, const QString &text) override;
    void select(int column, int row) override;
    bool isEditable(int column, int row) const override;
    bool takesDigitsOnly(int column, int row) const override;
    int columnWidth(int column) const override;
    int rowHeight(int row) const override;
    bool thickRightEdge(int column) const override;
    bool thickBottomEdge(int row) const override;
    bool isRotated(int column, int row) const override
    {
        Q_UNUSED(column)
        Q_UNUSED(row)
        return false;
    }
    QColor background(int column, int row, bool selected, int currentRow) const override;
    QColor foreground(int column, int row) const override;
    QString columnHeading(int column) const override;

    // Tells the teacher that the walk over all persons takes a moment.
    void announceWalk();

    static const QColor Weighting;

protected:
    void fill() override;
    void writeCell(int column, int row, const QString &text) override;

private:
    void placeCursor();
    void recompute();
    int dataRow() const;

    ClassDocument &m_document;
    UserPrompts &m_prompts;
    QPoint m_cursor{1, 1};
    int m_rememberedRow = 1;
    bool m_noticeRequested = false;
};
