#pragma once

// The spreadsheet application as the program sees it. Every call may throw office::Error.

#include <QRectF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "office/Address.h"
#include "office/Error.h"
#include "office/Value.h"

namespace office {

class Sheet;
class Workbook;
class Chart;

// Sheet.Type numbers the program compares against.
inline constexpr int xlWorksheet = -4167;
inline constexpr int xlChart = -4109;

// Sheet.Visible numbers.
inline constexpr int xlSheetVisible = -1;
inline constexpr int xlSheetHidden = 0;
inline constexpr int xlSheetVeryHidden = 2;

// A range: one or more areas of one worksheet. A plain value; the work is done by the sheet.
class Range {
  public:
    Range(std::shared_ptr<Sheet> sheet, std::vector<CellRect> areas);

    Sheet& worksheet() const { return *sheet_; }
    std::shared_ptr<Sheet> sheet() const { return sheet_; }
    const std::vector<CellRect>& areas() const { return areas_; }
    int areaCount() const { return static_cast<int>(areas_.size()); }
    Range area(int index) const;  // 1-based
    const CellRect& first() const { return areas_.front(); }

    QString address() const { return formatAddress(areas_); }  // "$A$1:$B$5"
    int row() const { return first().top; }
    int column() const { return first().left; }
    int rowCount() const { return first().rows(); }
    int columnCount() const { return first().columns(); }

    Value value() const;                       // the first cell
    Grid values() const;                       // the first area
    void setValue(const Value& value) const;   // every cell of every area
    void setValues(const Grid& values) const;  // from the first cell on
    Range currentRegion() const;
    Range entireRows() const;
    void deleteEntireRows() const;
    void clear() const;
    void clearContents() const;
    QString numberFormat() const;
    void setNumberFormat(const QString& format) const;
    void select() const;
    void copy() const;
    void copyPicture() const;
    // Position and size on the sheet in points, of the first area.
    double left() const;
    double top() const;
    double width() const;
    double height() const;

  private:
    std::shared_ptr<Sheet> sheet_;
    std::vector<CellRect> areas_;
};

// A defined name of a workbook. Sheet-level names read as "Sheet!Name".
class Name {
  public:
    virtual ~Name() = default;
    virtual QString name() const = 0;
    virtual bool visible() const = 0;
    virtual QString refersTo() const = 0;  // the formula, "=Data!$A$1:$B$5"
    // Throws when the name holds a constant or a broken reference.
    virtual Range refersToRange() const = 0;
};

// A chart embedded in a worksheet.
class ChartObject {
  public:
    virtual ~ChartObject() = default;
    virtual QString name() const = 0;
    virtual bool visible() const = 0;
    virtual Range topLeftCell() const = 0;
    virtual Range bottomRightCell() const = 0;
    virtual std::shared_ptr<Chart> chart() const = 0;
    virtual void activate() = 0;
    virtual void select() = 0;
    virtual void setName(const QString&) { office::notSupported("ChartObject.Name"); }
    virtual void remove() { office::notSupported("ChartObject.Delete"); }
};

// A chart, embedded or on its own sheet.
class Chart {
  public:
    virtual ~Chart() = default;
    virtual QString name() const = 0;
    virtual void activate() = 0;
    virtual void copy() = 0;
    virtual void copyPicture() = 0;
    // Pastes the clipboard's picture into the chart.
    virtual void paste() { office::notSupported("Chart.Paste"); }
    // Writes the chart as a picture file of the type its extension names (".png").
    virtual void exportFile(const QString&) { office::notSupported("Chart.Export"); }
};

// A worksheet or a chart sheet. The cell members are for worksheets; on a chart sheet they throw.
class Sheet : public std::enable_shared_from_this<Sheet> {
  public:
    virtual ~Sheet() = default;

    virtual QString name() const = 0;
    virtual void setName(const QString& name) = 0;
    virtual int index() const = 0;  // 1-based position among all sheets
    virtual int type() const = 0;   // xlWorksheet or xlChart
    virtual int visible() const = 0;
    virtual void setVisible(int visible) = 0;
    virtual void select() = 0;
    virtual void activate() = 0;

    // Chart sheets: the one chart.
    virtual std::shared_ptr<Chart> chart() const = 0;

    // Worksheets.
    virtual std::vector<std::shared_ptr<ChartObject>> chartObjects() const = 0;
    virtual Value cell(int row, int column) const = 0;
    virtual void setCell(int row, int column, const Value& value) = 0;
    virtual Grid read(const CellRect& rect) const = 0;
    virtual void write(int row, int column, const Grid& values) = 0;
    virtual void clearContents(const CellRect& rect) = 0;
    virtual void clear(const CellRect& rect) = 0;                     // contents and formats
    virtual void deleteRows(const std::vector<CellRect>& areas) = 0;  // the entire rows they cover
    virtual QString numberFormat(int row, int column) const = 0;
    virtual void setNumberFormat(const CellRect& rect, const QString& format) = 0;
    virtual std::optional<CellRect> usedRange() const = 0;  // empty when the sheet holds nothing
    virtual CellRect currentRegion(int row, int column) const = 0;
    virtual void selectRange(const std::vector<CellRect>& areas) = 0;
    virtual void copyRange(const CellRect& rect) = 0;
    virtual void copyRangePicture(const CellRect& rect) = 0;
    // Left, top, width and height of the cells, in points.
    virtual QRectF rangeGeometry(const CellRect&) const { office::notSupported("Range.Left"); }
    // A chart object with an empty chart, placed in points.
    virtual std::shared_ptr<ChartObject> addChartObject(double /*left*/, double /*top*/,
                                                        double /*width*/, double /*height*/) {
        office::notSupported("ChartObjects.Add");
    }
    virtual void setFontColorIndex(const CellRect&, int) {
        office::notSupported("Font.ColorIndex");
    }
    // Deletes the sheet from its workbook.
    virtual void remove() { office::notSupported("Sheet.Delete"); }
    // Range("first:last").EntireRow.Hidden and Range of columns .EntireColumn.Hidden.
    virtual void setRowsHidden(int, int, bool) { notSupported("EntireRow.Hidden"); }
    virtual void setColumnsHidden(int, int, bool) { notSupported("EntireColumn.Hidden"); }

    // Helpers over the members above.
    Range range(const QString& a1) const;  // throws on a bad address
    Range range(const CellRect& rect) const;
    Range cells() const;  // every cell
    Range usedRangeOrA1() const;
};

// Source types and the HTML type of a publication.
inline constexpr int xlSourceRange = 4;
inline constexpr int xlSourceChart = 5;
inline constexpr int xlHtmlStatic = 0;

// An item of a workbook published as a web page.
class PublishObject {
  public:
    virtual ~PublishObject() = default;
    virtual int sourceType() const = 0;
    virtual QString fileName() const = 0;
    virtual QString sheet() const = 0;
    virtual QString source() const = 0;
    virtual QString title() const = 0;
    virtual bool autoRepublish() const = 0;
    virtual void setAutoRepublish(bool on) = 0;
    // Writes the item into its file: a new file with `create`, else appended (the first
    // publish creates it).
    virtual void publish(bool create) = 0;
    virtual void remove() = 0;
};

class Workbook {
  public:
    virtual ~Workbook() = default;
    virtual QString name() const = 0;
    virtual QString fullName() const = 0;
    virtual std::vector<std::shared_ptr<Sheet>> sheets() const = 0;  // in order
    virtual std::vector<std::shared_ptr<Name>> names() const = 0;
    virtual void addName(const QString& name, const QString& refersToR1C1) = 0;
    virtual bool protectStructure() const = 0;
    virtual std::shared_ptr<Sheet> activeSheet() const = 0;
    // Adds a worksheet before the active sheet, makes it active and returns it.
    virtual std::shared_ptr<Sheet> addWorksheet() = 0;
    virtual std::vector<std::shared_ptr<PublishObject>> publishObjects() const {
        office::notSupported("Workbook.PublishObjects");
    }
    virtual std::shared_ptr<PublishObject> addPublishObject(
        int /*sourceType*/, const QString& /*fileName*/, const QString& /*sheet*/,
        const QString& /*source*/, int /*htmlType*/, const QString& /*divId*/,
        const QString& /*title*/) {
        office::notSupported("PublishObjects.Add");
    }

    // Helpers over the members above.
    std::vector<std::shared_ptr<Sheet>> worksheets() const;
    std::vector<std::shared_ptr<Sheet>> charts() const;
    std::shared_ptr<Sheet> sheet(const QString& name) const;      // null when absent
    std::shared_ptr<Sheet> worksheet(const QString& name) const;  // null when absent
    std::shared_ptr<Name> findName(const QString& name) const;    // null when absent
};

// What is selected on the active sheet.
struct Selection {
    enum class Kind { None, Range, ChartArea, ChartPart, Shape };
    Kind kind = Kind::None;
    std::optional<Range> range;    // Kind::Range
    std::shared_ptr<Chart> chart;  // ChartArea and ChartPart
    QString chartName;             // the chart object's name, or the chart sheet's
    QString part;                  // ChartPart: "PlotArea", "Legend", ...
    QString shapeName;             // Shape
};

class Excel {
  public:
    virtual ~Excel() = default;
    virtual QString version() const = 0;
    virtual std::shared_ptr<Workbook> activeWorkbook() const = 0;  // null when none
    virtual std::vector<std::shared_ptr<Workbook>> workbooks() const = 0;
    virtual Selection selection() const = 0;
    virtual bool displayAlerts() const = 0;
    virtual void setDisplayAlerts(bool on) = 0;
    virtual bool screenUpdating() const = 0;
    virtual void setScreenUpdating(bool on) = 0;
    virtual int windowState() const = 0;
    virtual void setWindowState(int state) = 0;
    // Asks the user for a file; the text "False" when cancelled.
    virtual QString getOpenFilename(const QString& fileFilter, const QString& title) = 0;
    virtual std::shared_ptr<Workbook> openWorkbook(const QString& fileName) = 0;
    virtual void run(const QString& macro) = 0;

    // Worksheet functions.
    virtual QString rept(const QString& text, int times) const = 0;
    virtual QString substitute(const QString& text, const QString& oldText,
                               const QString& newText) const = 0;
    virtual QString trim(const QString& text) const = 0;
    virtual double min(const std::vector<double>& values) const = 0;
    virtual double max(const std::vector<double>& values) const = 0;

    // Helpers over the members above.
    // A name or an address, resolved in the active workbook ("Data!Block", "Totals", "Data!A1").
    Range range(const QString& reference) const;
    // Empty when the two ranges share no cell or lie on different sheets.
    std::optional<Range> intersect(const Range& a, const Range& b) const;
    std::shared_ptr<Sheet> activeSheet() const;  // null without a workbook
};

}  // namespace office
