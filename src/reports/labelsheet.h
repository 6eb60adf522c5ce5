#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

class ClassGrid;
class QPageLayout;
class QPainter;

// One A4 sheet of 24 self-adhesive labels of 70 x 36 mm, three across and eight down,
// without gaps. Markwart lays the sheet out itself; all measures are millimetres from the
// paper's top left corner.
class LabelSheet
{
public:
    static constexpr int Columns = 3;
    static constexpr int Rows = 8;
    static constexpr int Count = Columns * Rows;
    static constexpr qreal LabelWidth = 70.0;
    static constexpr qreal LabelHeight = 36.0;
    static constexpr qreal TopMargin = 4.5;
    // The persons that do not fit on the first sheet; they start a second one.
    static constexpr int FirstPersonOfSecondSheet = Count;
    static constexpr int SecondSheetLabels = 10;

    // Name, street and place; a name label has the class as its place and no street.
    struct Label
    {
        QString name;
        QString street;
        QString place;
        bool operator==(const Label &other) const
        {
            return name == other.name && street == other.street && place == other.place;
        }
    };

    explicit LabelSheet(bool nameLabels = false) : m_nameLabels(nameLabels), m_labels(Count) {}

    // Name and class only: the name is printed larger.
    bool hasNameLabels() const { return m_nameLabels; }

    const Label &label(int index) const { return m_labels.at(index); }
    void setLabel(int index, const Label &label) { m_labels[index] = label; }
    // How many labels carry any text.
    int filledCount() const;

    // The first sheet: label n for the person on list place n (1..24); free places stay
    // blank.
    static LabelSheet firstSheet(const ClassGrid &grid, bool namesOnly);
    // Whether any of the persons 25..34 has a name: they need a sheet of their own.
    static bool needsSecondSheet(const ClassGrid &grid);
    // The second sheet: labels 1..10 for persons 24..33.
    static LabelSheet secondSheet(const ClassGrid &grid, bool namesOnly);
    // Every sheet the class needs, the second only when it is needed.
    static QList<LabelSheet> sheetsOf(const ClassGrid &grid, bool namesOnly);

    // Where label `index` (0..23, row by row) lies on the paper, before any offset.
    static QRectF labelRect(int index);
    // A4 portrait without margins, so that the painter's origin is the paper's corner.
    static QPageLayout pageLayout();

    // Paints the labels onto the painter's current page; the device's resolution turns
    // millimetres into device units. `offset` (mm, right and down) moves every label, for
    // printers that feed the sheet a little askew.
    void paint(QPainter &painter, QPointF offset = QPointF()) const;

    // Writes the sheets as the pages of one PDF file; false with a German message.
    static bool writePdf(const QList<LabelSheet> &sheets, const QString &path, QPointF offset,
                         QString *error);

private:
    static Label labelOf(const ClassGrid &grid, int person, bool namesOnly);

    bool m_nameLabels;
    QVector<Label> m_labels;
};
