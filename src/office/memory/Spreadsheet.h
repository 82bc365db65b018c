#pragma once

// The built-in spreadsheet application: workbooks, worksheets and chart sheets, chart objects,
// defined names, selection, and the application settings a run changes.

#include <QHash>
#include <QSizeF>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "office/Excel.h"
#include "office/memory/Cells.h"
#include "office/memory/Clipboard.h"
#include "office/memory/Publish.h"

namespace office::memory {

class ExcelApp;
class WorkbookImpl;
class SheetImpl;
class ChartObjectImpl;
class PowerPointApp;
class PublishObjectImpl;

struct ChartData {
    QString kind = QStringLiteral("column");  // column, bar, line, pie
    QString title;
    QString source;  // "A1:B5" or "Data!A1:B5"; "#REF!" once its rows are deleted
    Picture pasted;  // a picture pasted into the chart covers its plot
};

class ChartImpl : public office::Chart {
  public:
    ChartImpl(std::weak_ptr<SheetImpl> sheet, std::weak_ptr<ChartObjectImpl> object, ChartData data)
        : sheet_(std::move(sheet)), object_(std::move(object)), data(std::move(data)) {}

    QString name() const override;
    void activate() override;
    void copy() override;
    void copyPicture() override;
    void paste() override;
    void exportFile(const QString& fileName) override;

    std::shared_ptr<SheetImpl> sheet() const;
    // The chart as it looks at its size on the sheet.
    Picture picture(bool withSvg) const;

  private:
    void copyAs(const QString& kind);
    std::weak_ptr<SheetImpl> sheet_;
    std::weak_ptr<ChartObjectImpl> object_;  // empty on a chart sheet

  public:
    ChartData data;
};

class ChartObjectImpl : public office::ChartObject,
                        public std::enable_shared_from_this<ChartObjectImpl> {
  public:
    static std::shared_ptr<ChartObjectImpl> create(const std::shared_ptr<SheetImpl>& sheet,
                                                   QString name, CellRect anchor, bool hidden,
                                                   ChartData data);

    QString name() const override { return name_; }
    bool visible() const override { return !hidden; }
    Range topLeftCell() const override;
    Range bottomRightCell() const override;
    std::shared_ptr<office::Chart> chart() const override { return chart_; }
    void activate() override;
    void select() override;
    void setName(const QString& name) override;
    void remove() override;

    std::shared_ptr<ChartImpl> chartImpl() const { return chart_; }

    CellRect anchor;  // top-left cell to bottom-right cell
    bool hidden = false;
    std::optional<QSizeF> sizePoints;  // placed in points rather than over its cells

  private:
    ChartObjectImpl() = default;
    std::shared_ptr<SheetImpl> liveSheet() const;
    std::weak_ptr<SheetImpl> sheet_;
    QString name_;
    std::shared_ptr<ChartImpl> chart_;
};

// What is selected on one sheet. The workbook's selection is its active sheet's.
struct SheetSelection {
    Selection::Kind kind = Selection::Kind::Range;
    std::vector<CellRect> areas{CellRect{}};  // Range
    QString chart;                            // ChartArea, ChartPart: the chart object
    QString part;                             // ChartPart
    QString shape;                            // Shape
    bool operator==(const SheetSelection&) const = default;
};

struct FormatArea {
    CellRect rect;
    QString format;
};

class SheetImpl : public office::Sheet {
  public:
    SheetImpl(std::weak_ptr<WorkbookImpl> book, QString name, int type);

    QString name() const override { return name_; }
    void setName(const QString& name) override;
    int index() const override;
    int type() const override { return type_; }
    int visible() const override { return visible_; }
    void setVisible(int visible) override;
    void select() override { activate(); }
    void activate() override;

    std::shared_ptr<office::Chart> chart() const override;
    std::vector<std::shared_ptr<office::ChartObject>> chartObjects() const override;
    Value cell(int row, int column) const override;
    void setCell(int row, int column, const Value& value) override;
    Grid read(const CellRect& rect) const override;
    void write(int row, int column, const Grid& values) override;
    void clearContents(const CellRect& rect) override;
    void clear(const CellRect& rect) override;
    void deleteRows(const std::vector<CellRect>& areas) override;
    QString numberFormat(int row, int column) const override;
    void setNumberFormat(const CellRect& rect, const QString& format) override;
    std::optional<CellRect> usedRange() const override;
    CellRect currentRegion(int row, int column) const override;
    void selectRange(const std::vector<CellRect>& areas) override;
    void copyRange(const CellRect& rect) override;
    void copyRangePicture(const CellRect& rect) override;
    QRectF rangeGeometry(const CellRect& rect) const override;
    std::shared_ptr<office::ChartObject> addChartObject(double left, double top, double width,
                                                        double height) override;
    void setFontColorIndex(const CellRect& rect, int index) override;
    void remove() override;
    void setRowsHidden(int first, int last, bool hidden) override;
    void setColumnsHidden(int first, int last, bool hidden) override;

    // For the model, the loader and the dump.
    std::shared_ptr<WorkbookImpl> book() const;
    std::shared_ptr<SheetImpl> self() {
        return std::static_pointer_cast<SheetImpl>(shared_from_this());
    }
    bool isActive() const;
    ChartObjectImpl* findChartObject(const QString& name) const;
    std::shared_ptr<ChartObjectImpl> addChartObject(QString name, CellRect anchor, bool hidden,
                                                    ChartData data);
    void removeChartObject(const ChartObjectImpl& object);
    void setChart(ChartData data);  // chart sheets
    std::shared_ptr<ChartImpl> chartSheetChart() const { return chart_; }
    const std::vector<std::shared_ptr<ChartObjectImpl>>& chartList() const { return charts_; }
    const Cells& cellStore() const { return cells_; }
    const std::vector<FormatArea>& formats() const { return formats_; }
    // Set straight from a desktop, without the checks a running office makes.
    void loadName(QString name) { name_ = std::move(name); }
    void loadVisible(int visible) { visible_ = visible; }

    std::set<int> hiddenRows;
    std::set<int> hiddenColumns;
    SheetSelection selection;
    struct FontColor {
        CellRect rect;
        int index;
    };
    std::vector<FontColor> fontColors;  // later areas win

  private:
    void requireWorksheet(const char* member) const;
    void copyAs(const QString& kind, const CellRect& rect);

    std::weak_ptr<WorkbookImpl> book_;
    QString name_;
    int type_;
    int visible_ = xlSheetVisible;
    Cells cells_;
    std::vector<FormatArea> formats_;  // later areas win
    std::vector<std::shared_ptr<ChartObjectImpl>> charts_;
    std::shared_ptr<ChartImpl> chart_;
};

// A reference of a name: one sheet and its areas. It follows the sheet when it is renamed and
// its rows when rows are deleted.
struct NameReference {
    std::weak_ptr<SheetImpl> sheet;
    std::vector<CellRect> areas;
};

class NameImpl : public office::Name {
  public:
    NameImpl(std::weak_ptr<WorkbookImpl> book, QString name, std::weak_ptr<SheetImpl> scope,
             bool visible)
        : book_(std::move(book)),
          name_(std::move(name)),
          scope_(std::move(scope)),
          visible_(visible) {}

    QString name() const override;
    bool visible() const override { return visible_; }
    QString refersTo() const override;
    Range refersToRange() const override;

    // The name without its sheet, and the sheet of a sheet-level name (null for the workbook).
    const QString& localName() const { return name_; }
    std::shared_ptr<SheetImpl> scope() const { return scope_.lock(); }
    bool sheetLevel() const { return !scope_.expired(); }

    // A reference, or a formula that yields no range (a constant, "#REF!", a missing sheet).
    void setReference(NameReference ref, QString text = {});
    void setFormula(QString formula);
    void rowsDeleted(const SheetImpl& sheet, const RowDeletion& deletion);

  private:
    std::weak_ptr<WorkbookImpl> book_;
    QString name_;
    std::weak_ptr<SheetImpl> scope_;
    bool visible_;
    std::optional<NameReference> ref_;
    QString text_;       // the formula as given; for a reference, kept while it still reads true
    QString textSheet_;  // the sheet name the given text was written with
};

class WorkbookImpl : public office::Workbook, public std::enable_shared_from_this<WorkbookImpl> {
  public:
    WorkbookImpl(std::weak_ptr<ExcelApp> excel, QString name, QString fullName)
        : excel_(std::move(excel)), name_(std::move(name)), fullName_(std::move(fullName)) {}

    QString name() const override { return name_; }
    QString fullName() const override { return fullName_; }
    std::vector<std::shared_ptr<office::Sheet>> sheets() const override;
    std::vector<std::shared_ptr<office::Name>> names() const override;
    void addName(const QString& name, const QString& refersToR1C1) override;
    bool protectStructure() const override { return protectStructure_; }
    std::shared_ptr<office::Sheet> activeSheet() const override { return active_.lock(); }
    std::shared_ptr<office::Sheet> addWorksheet() override;
    std::vector<std::shared_ptr<office::PublishObject>> publishObjects() const override;
    std::shared_ptr<office::PublishObject> addPublishObject(int sourceType, const QString& fileName,
                                                            const QString& sheet,
                                                            const QString& source, int htmlType,
                                                            const QString& divId,
                                                            const QString& title) override;

    // For the model, the loader and the dump.
    std::shared_ptr<ExcelApp> excel() const { return excel_.lock(); }
    const std::vector<std::shared_ptr<SheetImpl>>& sheetList() const { return sheets_; }
    const std::vector<std::shared_ptr<NameImpl>>& nameList() const { return names_; }
    std::shared_ptr<SheetImpl> findSheet(const QString& name) const;  // any case
    std::shared_ptr<SheetImpl> activeSheetImpl() const { return active_.lock(); }
    std::shared_ptr<SheetImpl> appendSheet(QString name, int type);
    void setActiveSheet(const std::shared_ptr<SheetImpl>& sheet) { active_ = sheet; }
    void setProtectStructure(bool on) { protectStructure_ = on; }
    // Adds or replaces a name; the scope is null for a workbook-level name.
    std::shared_ptr<NameImpl> putName(const QString& name, const std::shared_ptr<SheetImpl>& scope,
                                      bool visible);
    NameImpl* findNameIn(const QString& name, const SheetImpl* scope) const;
    // Row deletion and renaming reach the names and chart sources that point at a sheet.
    void rowsDeleted(SheetImpl& sheet, const RowDeletion& deletion);
    void sheetRenamed(const SheetImpl& sheet, const QString& oldName);
    // The next visible sheet after `sheet`, or before it when none follows.
    std::shared_ptr<SheetImpl> neighbourVisible(const SheetImpl& sheet) const;
    void removeSheet(const SheetImpl& sheet);
    void removePublishObject(const PublishObjectImpl& object);
    const std::vector<std::shared_ptr<PublishObjectImpl>>& publishList() const { return publish_; }

  private:
    std::weak_ptr<ExcelApp> excel_;
    QString name_;
    QString fullName_;
    bool protectStructure_ = false;
    std::vector<std::shared_ptr<SheetImpl>> sheets_;
    std::vector<std::shared_ptr<NameImpl>> names_;
    QHash<QString, qsizetype> nameIndex_;  // nameKey() -> position in names_
    static QString nameKey(const QString& name, const SheetImpl* scope);
    std::weak_ptr<SheetImpl> active_;
    std::vector<std::shared_ptr<PublishObjectImpl>> publish_;
};

struct Macro {
    std::optional<QString> opens;  // the presentation it opens in PowerPoint
};

class ExcelApp : public office::Excel, public std::enable_shared_from_this<ExcelApp> {
  public:
    explicit ExcelApp(std::shared_ptr<Clipboard> clipboard) : clipboard_(std::move(clipboard)) {}

    QString version() const override { return version_; }
    std::shared_ptr<office::Workbook> activeWorkbook() const override { return active_.lock(); }
    std::vector<std::shared_ptr<office::Workbook>> workbooks() const override;
    Selection selection() const override;
    bool displayAlerts() const override { return displayAlerts_; }
    void setDisplayAlerts(bool on) override { displayAlerts_ = on; }
    bool screenUpdating() const override { return screenUpdating_; }
    void setScreenUpdating(bool on) override;
    int windowState() const override { return windowState_; }
    void setWindowState(int state) override { windowState_ = state; }
    QString getOpenFilename(const QString& fileFilter, const QString& title) override;
    std::shared_ptr<office::Workbook> openWorkbook(const QString& fileName) override;
    void run(const QString& macro) override;

    QString rept(const QString& text, int times) const override;
    QString substitute(const QString& text, const QString& oldText,
                       const QString& newText) const override;
    QString trim(const QString& text) const override;
    double min(const std::vector<double>& values) const override;
    double max(const std::vector<double>& values) const override;

    // For the model, the loader, the dump and tests.
    Clipboard& clipboard() const { return *clipboard_; }
    const std::vector<bool>& screenUpdatingLog() const { return screenLog_; }
    const std::vector<QString>& macroCalls() const { return macroCalls_; }
    const std::vector<std::shared_ptr<WorkbookImpl>>& workbookList() const { return workbooks_; }
    std::shared_ptr<WorkbookImpl> activeWorkbookImpl() const { return active_.lock(); }
    void setActiveWorkbook(const std::shared_ptr<WorkbookImpl>& wb) { active_ = wb; }
    std::shared_ptr<WorkbookImpl> newWorkbook(QString name, QString fullName);  // not yet open
    void addWorkbook(std::shared_ptr<WorkbookImpl> wb) { workbooks_.push_back(std::move(wb)); }

    bool running = false;
    QString version_ = QStringLiteral("16.0");
    bool displayAlerts_ = true;
    bool screenUpdating_ = true;
    int windowState_ = -4137;
    std::optional<QString> openFilename;  // the answer of the file chooser; none = cancel
    std::map<QString, std::shared_ptr<WorkbookImpl>>
        files;  // workbooks that can be opened, by path
    std::map<QString, Macro> macros;
    std::vector<QString> macroCalls_;
    std::weak_ptr<PowerPointApp> powerPoint;

  private:
    std::shared_ptr<Clipboard> clipboard_;
    std::vector<std::shared_ptr<WorkbookImpl>> workbooks_;
    std::weak_ptr<WorkbookImpl> active_;
    std::vector<bool> screenLog_;
};

// Names the office accepts for sheets and defined names.
bool validSheetName(const QString& name);
bool validDefinedName(const QString& name);
// "$A$1:$B$5" without the dollar signs: how a desktop writes addresses.
QString plainAddress(const CellRect& rect);
QString plainAddress(const std::vector<CellRect>& areas);

}  // namespace office::memory
