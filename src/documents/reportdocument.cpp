#include "reportdocument.h"

ReportDocument::CellFormat ReportDocument::Table::formatOf(int column, int row) const
{
    const auto found = cellFormats.find({column, row});
    return found == cellFormats.end() ? CellFormat() : found->second;
}

ReportDocument::Alignment ReportDocument::Table::alignmentOf(int column) const
{
    const auto found = columnAlignment.find(column);
    return found == columnAlignment.end() ? cellAlignment : found->second;
}

std::optional<ReportDocument::RowHeight> ReportDocument::Table::heightOf(int row) const
{
    const auto found = rowHeights.find(row);
    return found == rowHeights.end() ? rowHeight : found->second;
}

void ReportDocument::Table::setRowHeight(int row, double points, bool exact)
{
    rowHeights[row] = RowHeight{points, exact};
}

void ReportDocument::Table::setAllRowsHeight(double points, bool exact)
{
    rowHeight = RowHeight{points, exact};
}

void ReportDocument::Table::setRowTurned(int row)
{
    for (int column = 0; column < grid.columnCount(); ++column)
        format(column, row).turned = true;
}

void ReportDocument::Table::setShading(int column, int row, const QColor &colour)
{
    format(column, row).shading = colour;
}

void ReportDocument::Table::setRowFontSize(int row, double points)
{
    for (int column = 0; column < grid.columnCount(); ++column)
        format(column, row).fontSize = points;
}

void ReportDocument::Table::setColumnSpan(int column, int row, int columns)
{
    if (columns > 1)
        columnSpans[{column, row}] = columns;
    else
        columnSpans.erase({column, row});
}

int ReportDocument::Table::spanOf(int column, int row) const
{
    const auto found = columnSpans.find({column, row});
    return found == columnSpans.end() ? 1 : found->second;
}

namespace {

// The indices 0..count-1 that are not in `removed`.
template <class Set> std::vector<int> keptOf(int count, const Set &removed)
{
    std::vector<int> kept;
    for (int index = 0; index < count; ++index)
        if (removed.count(index) == 0)
            kept.push_back(index);
    return kept;
}

} // namespace

std::vector<int> ReportDocument::Table::keptColumns() const
{
    return keptOf(grid.columnCount(), removedColumns);
}

std::vector<int> ReportDocument::Table::keptRows() const
{
    return keptOf(grid.rowCount(), removedRows);
}

ReportDocument::Paragraph &ReportDocument::addParagraph(const QString &text, Alignment alignment)
{
    Block block;
    block.kind = Block::Kind::Paragraph;
    block.paragraph.text = text;
    block.paragraph.alignment = alignment;
    blocks.push_back(std::move(block));
    return blocks.back().paragraph;
}

ReportDocument::Table &ReportDocument::addTable(PrintTable grid)
{
    Block block;
    block.kind = Block::Kind::Table;
    block.table = Table(std::move(grid));
    blocks.push_back(std::move(block));
    return blocks.back().table;
}

ReportDocument::Picture &ReportDocument::addPicture(const QImage &image, const QSizeF &size)
{
    Block block;
    block.kind = Block::Kind::Picture;
    block.picture.image = image;
    block.picture.size = size;
    blocks.push_back(std::move(block));
    return blocks.back().picture;
}
