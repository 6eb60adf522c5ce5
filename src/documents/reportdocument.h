#pragma once

#include "printtable.h"

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

// A finished Word report described as values: what a report command fills and the
// document writer turns into a file. Lengths are in points; cells, rows and columns are
// addressed (column, row) from 0 as in the print table.
struct ReportDocument
{
    enum class Orientation
    {
        Portrait,
        Landscape
    };
    enum class Alignment
    {
        Left,
        Center,
        Right
    };

    struct Margins
    {
        double left = 72;
        double right = 72;
        double top = 72;
        double bottom = 72;
    };

    struct PageSetup
    {
        Orientation orientation = Orientation::Portrait;
        Margins margins;
    };

    struct RowHeight
    {
        double points = 0;
        bool exact = true; // otherwise the row may grow with its text
    };

    struct CellFormat
    {
        std::optional<QColor> shading;
        bool bold = false;
        bool underline = false;
        bool turned = false;            // text reads bottom to top
        std::optional<double> fontSize; // the table's size when not set
    };

    struct Picture
    {
        QImage image;
        QSizeF size; // points; empty: the image's pixels at 96 per inch
        Alignment alignment = Alignment::Left;
    };

    struct Table
    {
        PrintTable grid;
        // Fit to page width shares the width between the columns in the ratio of the
        // grid's column widths; otherwise the columns keep their pixel widths.
        bool fitToPageWidth = true;
        bool borders = true; // single lines around and between all cells
        Alignment placement = Alignment::Left;
        Alignment cellAlignment = Alignment::Center;
        std::map<int, Alignment> columnAlignment;
        QString fontFace; // empty: the grid's font face
        double fontSize = 10;
        std::optional<RowHeight> rowHeight; // every row not listed below
        std::map<int, RowHeight> rowHeights;
        std::map<std::pair<int, int>, CellFormat> cellFormats;
        std::set<int> removedColumns; // grid columns left out of the document
        std::set<int> removedRows;    // grid rows left out; formats stay with grid rows
        // A cell that reaches over the kept columns to its right, which then give no cell
        // of their own in that row: (column, row) -> how many grid columns it covers.
        std::map<std::pair<int, int>, int> columnSpans;
        // A picture standing in a cell, before the cell's text.
        std::map<std::pair<int, int>, Picture> cellPictures;

        Table() = default;
        explicit Table(PrintTable table) : grid(std::move(table)) {}

        CellFormat &format(int column, int row) { return cellFormats[{column, row}]; }
        CellFormat formatOf(int column, int row) const;
        Alignment alignmentOf(int column) const;
        std::optional<RowHeight> heightOf(int row) const;
        void setRowHeight(int row, double points, bool exact = true);
        // Every row not set one by one.
        void setAllRowsHeight(double points, bool exact = true);
        void setRowTurned(int row);
        void setShading(int column, int row, const QColor &colour);
        void setRowFontSize(int row, double points);
        void setColumnSpan(int column, int row, int columns);
        // 1 for a cell that covers only its own column.
        int spanOf(int column, int row) const;
        // The grid columns that make it into the document, in order.
        std::vector<int> keptColumns() const;
        std::vector<int> keptRows() const;
    };

    struct Paragraph
    {
        QString text; // a line break inside stays one
        Alignment alignment = Alignment::Left;
        bool bold = false;
        double fontSize = 10;
    };

    // What follows the main table: one of the three, as kind says.
    struct Block
    {
        enum class Kind
        {
            Paragraph,
            Table,
            Picture
        };
        Kind kind = Kind::Paragraph;
        ReportDocument::Paragraph paragraph;
        ReportDocument::Table table;
        ReportDocument::Picture picture;
    };

    PageSetup page;
    // Above the main table; none when empty.
    QString heading;
    Table table;
    std::vector<Block> blocks;

    ReportDocument() = default;
    explicit ReportDocument(PrintTable grid) : table(std::move(grid)) {}

    // Each add appends a block after the main table; the reference it returns stays valid
    // until the next block is added.
    Paragraph &addParagraph(const QString &text, Alignment alignment = Alignment::Left);
    Table &addTable(PrintTable grid);
    Picture &addPicture(const QImage &image, const QSizeF &size = {});
};
