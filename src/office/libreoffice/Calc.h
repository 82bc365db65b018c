#pragma once

// The spreadsheet side over LibreOffice Calc. Internal to the adapter.

#include <QImage>
#include <map>
#include <memory>
#include <vector>

#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/sheet/XFunctionAccess.hpp>
#include <com/sun/star/sheet/XNamedRange.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/table/XCellRange.hpp>

#include "office/Excel.h"
#include "office/libreoffice/Uno.h"

namespace office::libreoffice {

class CalcSheet;

// One spreadsheet document and what its members share: the session, the view, the copy.
struct CalcDoc {
    std::shared_ptr<Session> session;
    Reference<css::sheet::XSpreadsheetDocument> doc;
    Reference<css::frame::XModel> model;

    Reference<css::frame::XController> controller() const;  // throws when it has no window
    Reference<css::sheet::XSpreadsheetView> view() const;
    void select(const Any& object) const;
    // Copies `object` to LibreOffice's clipboard through its Copy command, keeping the view's
    // selection; throws when the clipboard did not take a new copy.
    void copy(const Any& object, const QString& what) const;
};

class CalcBook : public Workbook, public std::enable_shared_from_this<CalcBook> {
  public:
    explicit CalcBook(std::shared_ptr<CalcDoc> doc) : doc_(std::move(doc)) {}

    QString name() const override;
    QString fullName() const override;
    std::vector<std::shared_ptr<Sheet>> sheets() const override;
    std::vector<std::shared_ptr<Name>> names() const override;
    void addName(const QString& name, const QString& refersToR1C1) override;
    bool protectStructure() const override;
    std::shared_ptr<Sheet> activeSheet() const override;
    std::shared_ptr<Sheet> addWorksheet() override;
    std::vector<std::shared_ptr<PublishObject>> publishObjects() const override;
    std::shared_ptr<PublishObject> addPublishObject(int sourceType, const QString& fileName,
                                                    const QString& sheet, const QString& source,
                                                    int htmlType, const QString& divId,
                                                    const QString& title) override;
    void removePublishObject(const PublishObject& object);

    const std::shared_ptr<CalcDoc>& doc() const { return doc_; }
    const Session& session() const { return *doc_->session; }
    // The one wrapper of each sheet, so that the same sheet compares equal however it was reached.
    std::shared_ptr<CalcSheet> wrap(const Reference<css::sheet::XSpreadsheet>& sheet) const;
    std::shared_ptr<CalcSheet> sheetAt(int zeroBasedIndex) const;
    std::vector<std::shared_ptr<CalcSheet>> allSheets() const;

  private:
    std::shared_ptr<CalcDoc> doc_;
    // Calc hands out a new object for a sheet each time it is asked, which follows its sheet
    // when others are inserted or deleted; so a sheet is known by its current position.
    std::map<int, std::shared_ptr<CalcSheet>> byPosition() const;
    mutable std::vector<std::shared_ptr<CalcSheet>> sheets_;
    // Calc has no publications of its own: the program's live as long as the run.
    std::vector<std::shared_ptr<PublishObject>> publish_;
};

class CalcSheet : public Sheet {
  public:
    CalcSheet(std::shared_ptr<CalcDoc> doc, Reference<css::sheet::XSpreadsheet> sheet)
        : doc_(std::move(doc)), sheet_(std::move(sheet)) {}

    QString name() const override;
    void setName(const QString& name) override;
    int index() const override;
    int type() const override { return xlWorksheet; }
    int visible() const override;
    void setVisible(int visible) override;
    void select() override { activate(); }
    void activate() override;

    std::shared_ptr<Chart> chart() const override;
    std::vector<std::shared_ptr<ChartObject>> chartObjects() const override;
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
    std::shared_ptr<ChartObject> addChartObject(double left, double top, double width,
                                                double height) override;
    void setFontColorIndex(const CellRect& rect, int index) override;
    void remove() override;
    void setRowsHidden(int first, int last, bool hidden) override;
    void setColumnsHidden(int first, int last, bool hidden) override;

    // The chart shapes on the sheet's draw page, with their names.
    std::vector<std::pair<Reference<css::drawing::XShape>, QString>> chartShapes() const;
    // Whether the row or column (1-based) is shown.
    bool rowVisible(int row) const;
    bool columnVisible(int column) const;

    const Reference<css::sheet::XSpreadsheet>& uno() const { return sheet_; }
    const std::shared_ptr<CalcDoc>& doc() const { return doc_; }
    const Session& session() const { return *doc_->session; }
    std::shared_ptr<CalcSheet> self() const {
        return std::static_pointer_cast<CalcSheet>(
            std::const_pointer_cast<Sheet>(shared_from_this()));
    }
    // The rectangle cut to the sheet's size; empty when nothing of it lies on the sheet.
    std::optional<CellRect> clamp(const CellRect& rect) const;
    Reference<css::table::XCellRange> cellRange(
        const CellRect& rect) const;  // throws when off the sheet
    int zeroBasedIndex() const;
    bool isActive() const;  // the sheet the workbook's view shows
    // The cell (1-based row and column) under a point of the sheet, in 1/100 mm.
    std::pair<int, int> cellAt(int x, int y) const;

  private:
    void size() const;
    // Moves the view off this sheet before it goes out of sight, to the sheet it returns (none
    // when the view was elsewhere); throws when no other sheet is shown.
    Reference<css::sheet::XSpreadsheet> leaveIfActive(const QString& failed);
    std::shared_ptr<CalcDoc> doc_;
    Reference<css::sheet::XSpreadsheet> sheet_;
    mutable int rows_ = 0;
    mutable int columns_ = 0;
};

class CalcApp : public Excel, public std::enable_shared_from_this<CalcApp> {
  public:
    explicit CalcApp(std::shared_ptr<Session> session) : session_(std::move(session)) {}
    ~CalcApp() override;

    QString version() const override;
    std::shared_ptr<Workbook> activeWorkbook() const override;
    std::vector<std::shared_ptr<Workbook>> workbooks() const override;
    Selection selection() const override;
    bool displayAlerts() const override { return displayAlerts_; }
    void setDisplayAlerts(bool on) override { displayAlerts_ = on; }
    bool screenUpdating() const override { return !locked_.is(); }
    void setScreenUpdating(bool on) override;
    int windowState() const override { return windowState_; }
    void setWindowState(int state) override { windowState_ = state; }
    QString getOpenFilename(const QString& fileFilter, const QString& title) override;
    std::shared_ptr<Workbook> openWorkbook(const QString& fileName) override;
    void run(const QString& macro) override;

    QString rept(const QString& text, int times) const override;
    QString substitute(const QString& text, const QString& oldText,
                       const QString& newText) const override;
    QString trim(const QString& text) const override;
    double min(const std::vector<double>& values) const override;
    double max(const std::vector<double>& values) const override;

    // Lets go of a controllers' lock left behind; the run ends.
    void release();

  private:
    std::shared_ptr<CalcBook> wrap(const Reference<css::sheet::XSpreadsheetDocument>& doc) const;
    Any callFunction(const char* name, const Sequence<Any>& args) const;

    std::shared_ptr<Session> session_;
    mutable Wrappers<CalcBook> books_;
    mutable Reference<css::sheet::XSpreadsheetDocument> lastActive_;
    mutable Reference<css::sheet::XFunctionAccess> functions_;
    Reference<css::frame::XModel> locked_;  // the document whose controllers we locked
    bool displayAlerts_ = true;
    int windowState_ = -4137;
};

// The shape drawn as a PNG by LibreOffice at `pixels` (its own size at 96 dpi when empty).
QImage shapePicture(const Session& session, const Reference<css::drawing::XShape>& shape,
                    QSize pixels = {});
// A length in 1/100 mm as pixels at 96 dpi, at least one.
int hmmToPixels(int hmm);

// The spreadsheet documents open in LibreOffice, and the current one if it is a spreadsheet.
std::vector<Reference<css::lang::XComponent>> openComponents(const Session& session);
bool supports(const Reference<css::uno::XInterface>& object, const char* service);

}  // namespace office::libreoffice
