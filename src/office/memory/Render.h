#pragma once

// Pictures of charts and ranges, as the built-in office puts them on its clipboard. Drawn with
// QtGui alone so that they come out the same with or without a display: the same input always
// gives the same pixels.
//
// Sizes: a chart object is as large as the cells it covers, each cell counted as CellWidth x
// CellHeight pixels (the office's default cell at 96 dpi); a chart sheet's chart is
// ChartSheetSize. A range is a table of CellHeight-high rows whose columns fit their texts.
// No side grows beyond MaxSide, so a huge anchor or range cannot exhaust memory.

#include <QColor>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "office/Picture.h"
#include "office/Value.h"

namespace office::memory::render {

inline constexpr int CellWidth = 64;
inline constexpr int CellHeight = 20;
inline constexpr QSize ChartSheetSize{480, 300};
inline constexpr int MaxSide = 4000;

// A chart's data: the source's first row names the series, its first column the categories.
struct ChartPlot {
    QString kind =
        QStringLiteral("column");  // column, bar, line, pie; anything else draws as column
    QString title;
    QStringList series;
    QStringList categories;
    std::vector<std::vector<std::optional<double>>> values;  // [series][category]; none = no number
};

// Reads a source grid as a chart does; cells that hold no number are left out of the plot.
ChartPlot plotFromGrid(const QString& kind, const QString& title, const Grid& grid);

// The fill of series `index` (of slice `index` in a pie); the list repeats after six.
QColor seriesColor(int index);

// The size of a chart object that covers `rows` x `columns` cells.
QSize chartObjectSize(int rows, int columns);

// The chart as a bitmap and, with `withSvg`, as SVG, both from the same drawing.
Picture drawChart(const ChartPlot& chart, QSize size, bool withSvg = true);

struct TableCell {
    QString text;
    Qt::Alignment align = Qt::AlignLeft;
};
using Table = std::vector<std::vector<TableCell>>;  // rows of equal length

// A cell as the sheet shows it: the value through its number format, aligned by type.
TableCell tableCell(const Value& value, const QString& numberFormat);
// The value through a number format: "General", "@", and the numeric formats built of 0, #,
// a decimal point, thousands commas and a trailing percent sign ("0", "0.00", "#,##0", "0%").
// Other formats show the value as General does.
QString formatValue(const Value& value, const QString& numberFormat);

Picture drawTable(const Table& table, bool withSvg);

}  // namespace office::memory::render
