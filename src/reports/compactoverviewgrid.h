#pragma once

#include "listprint.h"

#include <QString>

class ClassGrid;

// The compact photo overview: five portraits to a row, the names in the row below, in
// blocks of five persons by index. A block without a name and all blocks after the last
// named one are left out; a named person without a photo gets the empty portrait.
class CompactOverviewGrid
{
public:
    static constexpr int Columns = 5;
    // The portraits in the Word document, in pixels at 96 per inch.
    static constexpr int PictureWidth = 120;
    static constexpr int PictureHeight = 160;
    static const QString PhotoNotice;
    // The overview is refused while photos are hidden.
    static const QString PhotosHiddenMessage;

    // Works on a copy of the class: a name or photo path of a single blank counts as empty.
    explicit CompactOverviewGrid(const ClassGrid &grid);

    void setProjectFolder(const QString &folder) { m_projectFolder = folder; }

    int rowCount() const;
    // The page's photos go into photoFolder.
    ListPrint build(const QString &photoFolder) const;

private:
    QString name(int person) const { return m_names.at(person); }

    QString m_className;
    QStringList m_names;
    QStringList m_photos;
    QString m_projectFolder;
};
