#pragma once

#include "listprint.h"

#include <QSize>
#include <QString>
#include <QVector>

#include <array>

class ClassGrid;

// What the teacher wants in a marking list.
struct SelectionListOptions
{
    // The data columns, in the order they stand in the list.
    enum Field
    {
        Street,
        Place,
        Phone,
        Mobile,
        Mail,
        Birthday,
        Lrs,
        FieldCount
    };

    static constexpr int MaxEmptyColumns = 22;
    static constexpr int MaxExtraRows = 27;
    static constexpr int MinPhotoSize = 15;
    static constexpr int MaxPhotoSize = 80;

    std::array<bool, FieldCount> fields{};
    bool photos = false;
    int emptyColumns = 0;
    int extraRows = 0;
    bool landscape = false;
    int photoSize = MinPhotoSize;

    // The check box of a field, the heading of its column, and the cell of the person data
    // row it shows.
    static QString caption(Field field);
    static QString heading(Field field);
    static int cellColumn(Field field);
    // A field by its check box caption or its column heading, case and colon aside;
    // FieldCount when there is none.
    static Field fieldNamed(const QString &name);
};

// The marking list: number and name of every named person, the chosen data columns, empty
// columns for topics, the photos last, and empty numbered rows below.
class SelectionList
{
public:
    static const QString NoPhotoText;

    SelectionList(const ClassGrid &grid, SelectionListOptions options);

    // Stored photo paths are relative to this folder.
    void setProjectFolder(const QString &folder) { m_projectFolder = folder; }
    // Stored bitmaps stay scrambled when photos are not to be seen.
    void setPhotosVisible(bool visible) { m_photosVisible = visible; }

    // Persons with a name, by index.
    QVector<int> persons() const;
    int columnCount() const;
    int rowCount() const;
    // The first empty column and the photo column (-1 without photos).
    int firstEmptyColumn() const;
    int photoColumn() const;

    // The pixels of a photo in the list for a slider position.
    static QSize photoPixels(int photoSize);
    // Points per row in the Word document: the rows share the page.
    static int rowHeight(int rows, bool landscape);
    // The heading over the empty columns: the more there are, the shorter.
    static QString topicHeading(int emptyColumns, bool photos);

    // The page's photos go into photoFolder.
    ListPrint build(const QString &photoFolder) const;

private:
    ClassGrid const &m_grid;
    SelectionListOptions m_options;
    QString m_projectFolder;
    bool m_photosVisible = true;
};
