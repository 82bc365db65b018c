#include "office/memory/Spreadsheet.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QStringList>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

#include "office/Error.h"
#include "office/memory/Documents.h"
#include "office/memory/Render.h"

namespace office::memory {

namespace {

[[noreturn]] void refuse(const QString& text) {
    throw Error(errors::Application, text);
}

[[noreturn]] void gone() {
    throw Error(errors::ObjectRequired, QStringLiteral("Object required"));
}

const QString NotSupported = QStringLiteral("Object doesn't support this property or method");

void checkCell(int row, int column) {
    if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
        refuse(QStringLiteral("Application-defined or object-defined error"));
}

void checkRect(const CellRect& r) {
    checkCell(r.top, r.left);
    checkCell(r.bottom, r.right);
    if (r.top > r.bottom || r.left > r.right)
        refuse(QStringLiteral("Application-defined or object-defined error"));
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString sheetPrefixed(const QString& sheet, const std::vector<CellRect>& areas, bool absolute) {
    QStringList parts;
    for (const auto& a : areas)
        parts << (sheet.isEmpty() ? QString() : quoteSheetName(sheet) + '!') +
                     (absolute ? formatAddress(a) : plainAddress(a));
    return parts.join(',');
}

// A chart's source after rows of `changed` were deleted; `own` is the sheet a source without
// a sheet refers to.
QString shiftedSource(const QString& source, const QString& own, const SheetImpl& changed,
                      const RowDeletion& deletion) {
    auto ref = parseReference(source);
    if (!ref) return source;
    if (!sameName(ref->sheet.isEmpty() ? own : ref->sheet, changed.name())) return source;
    std::vector<CellRect> moved;
    for (const auto& a : ref->areas) {
        auto m = deletion.area(a);
        if (!m) return QStringLiteral("#REF!");
        moved.push_back(*m);
    }
    if (moved == ref->areas) return source;
    return sheetPrefixed(ref->sheet, moved, false);
}

QString renamedSource(const QString& source, const QString& oldName, const QString& newName) {
    auto ref = parseReference(source);
    if (!ref || ref->sheet.isEmpty() || !sameName(ref->sheet, oldName)) return source;
    return sheetPrefixed(newName, ref->areas, false);
}

// The most of a chart's source a picture plots; a whole-column source reads only its filled part.
constexpr int MaxSourceRows = 1000;
constexpr int MaxSourceColumns = 100;

// The cells a chart plots: its source's first area, joined by later areas that start on the same
// row (as "A1:A5,C1:C5" plots both columns). Empty when the source names no worksheet's cells.
Grid chartSource(const SheetImpl& own, const QString& source) {
    auto ref = parseReference(source);
    if (!ref || ref->areas.empty()) return {};
    std::shared_ptr<SheetImpl> named;
    const SheetImpl* sheet = &own;
    if (!ref->sheet.isEmpty()) {
        named = own.book()->findSheet(ref->sheet);
        sheet = named.get();
    }
    if (!sheet || sheet->type() != xlWorksheet) return {};
    const auto bounds = sheet->cellStore().bounds();
    if (!bounds) return {};
    Grid grid;
    const int top = ref->areas.front().top;
    for (const auto& a : ref->areas) {
        if (a.top != top) continue;
        CellRect r = a;
        r.bottom = std::min({r.bottom, bounds->bottom, r.top + MaxSourceRows - 1});
        r.right = std::min({r.right, bounds->right, r.left + MaxSourceColumns - 1});
        if (r.bottom < r.top || r.right < r.left) continue;
        const Grid part = sheet->cellStore().read(r);
        if (grid.size() < part.size()) grid.resize(part.size());
        for (size_t i = 0; i < part.size(); ++i)
            grid[i].insert(grid[i].end(), part[i].begin(), part[i].end());
    }
    return grid;
}

}  // namespace

bool validSheetName(const QString& name) {
    static const QString forbidden = QStringLiteral("[]:\\/?*");
    if (name.isEmpty() || name.size() > 31) return false;
    if (name.startsWith('\'') || name.endsWith('\'')) return false;
    if (sameName(name, QStringLiteral("History"))) return false;
    return std::none_of(name.begin(), name.end(), [&](QChar c) { return forbidden.contains(c); });
}

bool validDefinedName(const QString& name) {
    if (name.isEmpty() || name.size() > 255) return false;
    const QChar first = name.front();
    if (!first.isLetter() && first != '_' && first != '\\') return false;
    for (QChar c : name)
        if (!c.isLetterOrNumber() && c != '_' && c != '.' && c != '?' && c != '\\') return false;
    // A name must not read as a cell.
    if (sameName(name, QStringLiteral("R")) || sameName(name, QStringLiteral("C"))) return false;
    return !parseA1(name) && !parseR1C1(name);
}

QString plainAddress(const CellRect& rect) {
    return formatAddress(rect).remove('$');
}

QString plainAddress(const std::vector<CellRect>& areas) {
    return formatAddress(areas).remove('$');
}

// --- charts ---

std::shared_ptr<SheetImpl> ChartImpl::sheet() const {
    auto s = sheet_.lock();
    if (!s) gone();
    return s;
}

QString ChartImpl::name() const {
    auto object = object_.lock();
    return object ? sheet()->name() + ' ' + object->name() : sheet()->name();
}

void ChartImpl::activate() {
    if (auto object = object_.lock())
        object->activate();
    else
        sheet()->activate();
}

void ChartImpl::copy() {
    copyAs(QStringLiteral("chart"));
}
void ChartImpl::copyPicture() {
    copyAs(QStringLiteral("chartPicture"));
}

void ChartImpl::copyAs(const QString& kind) {
    auto s = sheet();
    auto book = s->book();
    auto excel = book->excel();
    if (!excel) gone();
    auto object = object_.lock();
    excel->clipboard().put({kind, {book->name(), s->name(), object ? object->name() : s->name()}},
                           picture(true));
}

Picture ChartImpl::picture(bool withSvg) const {
    auto s = sheet();
    auto object = object_.lock();
    QSize size = render::ChartSheetSize;
    if (object && object->sizePoints)
        size = QSize(std::max(1, int(std::lround(object->sizePoints->width() * 96 / 72))),
                     std::max(1, int(std::lround(object->sizePoints->height() * 96 / 72))));
    else if (object)
        size = render::chartObjectSize(object->anchor.rows(), object->anchor.columns());
    if (data.pasted.isNull()) {
        const auto plot = render::plotFromGrid(data.kind, data.title, chartSource(*s, data.source));
        return render::drawChart(plot, size, withSvg);
    }
    // A pasted picture fills the chart area, scaled to fit and keeping its proportions.
    size = size.boundedTo(QSize(render::MaxSide, render::MaxSide));
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QSizeF natural = data.pasted.bitmap.isNull()
                         ? QSizeF(QSvgRenderer(data.pasted.svg).defaultSize())
                         : QSizeF(data.pasted.bitmap.size());
    if (natural.isEmpty()) natural = size;
    const QSizeF fitted = natural.scaled(QSizeF(size), Qt::KeepAspectRatio);
    const QRectF target(QPointF(0, 0), fitted);
    if (!data.pasted.bitmap.isNull())
        p.drawImage(target, data.pasted.bitmap);
    else
        QSvgRenderer(data.pasted.svg).render(&p, target);
    p.end();
    return Picture{out, {}};
}

void ChartImpl::paste() {
    auto excel = sheet()->book()->excel();
    if (!excel) gone();
    const auto picture = excel->clipboard().picture(Clipboard::Format::Any);
    if (!picture) refuse(QStringLiteral("Paste method of Chart class failed"));
    data.pasted = *picture;
}

void ChartImpl::exportFile(const QString& fileName) {
    const QString failed = QStringLiteral("Export method of Chart class failed");
    const QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format)) refuse(failed);
    // A complete file or none: the picture appears under its name only once written.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) refuse(failed);
    QImageWriter writer(&file, format);
    if (!writer.write(picture(false).bitmap) || !file.commit()) refuse(failed);
}

std::shared_ptr<ChartObjectImpl> ChartObjectImpl::create(const std::shared_ptr<SheetImpl>& sheet,
                                                         QString name, CellRect anchor, bool hidden,
                                                         ChartData data) {
    std::shared_ptr<ChartObjectImpl> co(new ChartObjectImpl);
    co->sheet_ = sheet;
    co->name_ = std::move(name);
    co->anchor = anchor;
    co->hidden = hidden;
    co->chart_ = std::make_shared<ChartImpl>(sheet, co, std::move(data));
    return co;
}

std::shared_ptr<SheetImpl> ChartObjectImpl::liveSheet() const {
    auto s = sheet_.lock();
    if (!s) gone();
    return s;
}

Range ChartObjectImpl::topLeftCell() const {
    return Range(liveSheet(), {CellRect{anchor.top, anchor.left, anchor.top, anchor.left}});
}

Range ChartObjectImpl::bottomRightCell() const {
    return Range(liveSheet(), {CellRect{anchor.bottom, anchor.right, anchor.bottom, anchor.right}});
}

void ChartObjectImpl::activate() {
    auto s = liveSheet();
    if (!s->isActive()) refuse(QStringLiteral("Activate method of ChartObject class failed"));
    s->selection = SheetSelection{Selection::Kind::ChartArea, {}, name_, {}, {}};
}

void ChartObjectImpl::setName(const QString& name) {
    auto s = liveSheet();
    if (name.trimmed().isEmpty()) refuse(QStringLiteral("Unable to set the Name property"));
    if (auto* other = s->findChartObject(name); other && other != this)
        refuse(QStringLiteral("Unable to set the Name property"));
    if (s->selection.chart == name_) s->selection.chart = name;
    name_ = name;
}

void ChartObjectImpl::remove() {
    liveSheet()->removeChartObject(*this);
}

// Selecting a chart object selects it as a shape; activating it selects its chart area.
void ChartObjectImpl::select() {
    auto s = liveSheet();
    if (!s->isActive()) refuse(QStringLiteral("Select method of ChartObject class failed"));
    s->selection = SheetSelection{Selection::Kind::Shape, {}, {}, {}, name_};
}

// --- sheets ---

SheetImpl::SheetImpl(std::weak_ptr<WorkbookImpl> book, QString name, int type)
    : book_(std::move(book)), name_(std::move(name)), type_(type) {
    if (type_ == xlChart) selection = SheetSelection{Selection::Kind::ChartArea, {}, {}, {}, {}};
}

std::shared_ptr<WorkbookImpl> SheetImpl::book() const {
    auto b = book_.lock();
    if (!b) gone();
    return b;
}

bool SheetImpl::isActive() const {
    auto b = book_.lock();
    if (!b || b->activeSheetImpl().get() != this) return false;
    auto excel = b->excel();
    return excel && excel->activeWorkbookImpl() == b;
}

void SheetImpl::setName(const QString& name) {
    if (name == name_) return;
    auto b = book();
    if (!validSheetName(name))
        refuse(QStringLiteral(
            "You typed an invalid name for a sheet or chart. Make sure that it has no more "
            "than 31 characters, none of : \\ / ? * [ ], and does not start or end with "
            "an apostrophe."));
    if (auto other = b->findSheet(name); other && other.get() != this)
        refuse(QStringLiteral("That name is already taken. Try a different one."));
    const QString old = name_;
    name_ = name;
    b->sheetRenamed(*this, old);
}

int SheetImpl::index() const {
    const auto& list = book()->sheetList();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this) return static_cast<int>(i) + 1;
    gone();
}

void SheetImpl::setVisible(int visible) {
    const QString failed =
        QStringLiteral("Unable to set the Visible property of the Worksheet class");
    if (visible != xlSheetVisible && visible != xlSheetHidden && visible != xlSheetVeryHidden)
        refuse(failed);
    if (visible == visible_) return;
    auto b = book();
    if (visible_ == xlSheetVisible) {
        // A workbook keeps one visible sheet, and the active sheet moves off a sheet being hidden.
        auto next = b->neighbourVisible(*this);
        if (!next) refuse(failed);
        if (b->activeSheetImpl().get() == this) b->setActiveSheet(next);
    }
    visible_ = visible;
}

void SheetImpl::activate() {
    if (visible_ != xlSheetVisible)
        refuse(QStringLiteral("Select method of Worksheet class failed"));
    auto b = book();
    b->setActiveSheet(self());
    if (auto excel = b->excel()) excel->setActiveWorkbook(b);
}

std::shared_ptr<office::Chart> SheetImpl::chart() const {
    if (type_ != xlChart) refuse(NotSupported);
    return chart_;
}

std::vector<std::shared_ptr<office::ChartObject>> SheetImpl::chartObjects() const {
    return {charts_.begin(), charts_.end()};
}

void SheetImpl::requireWorksheet(const char* member) const {
    if (type_ != xlWorksheet)
        refuse(NotSupported + QStringLiteral(" (%1)").arg(QLatin1String(member)));
}

Value SheetImpl::cell(int row, int column) const {
    requireWorksheet("Cells");
    checkCell(row, column);
    return cells_.get(row, column);
}

void SheetImpl::setCell(int row, int column, const Value& value) {
    requireWorksheet("Cells");
    checkCell(row, column);
    cells_.set(row, column, value);
}

Grid SheetImpl::read(const CellRect& rect) const {
    requireWorksheet("Value");
    checkRect(rect);
    return cells_.read(rect);
}

void SheetImpl::write(int row, int column, const Grid& values) {
    requireWorksheet("Value");
    checkCell(row, column);
    size_t width = 0;
    for (const auto& r : values) width = std::max(width, r.size());
    if (values.empty() || width == 0) return;
    checkCell(row + static_cast<int>(values.size()) - 1, column + static_cast<int>(width) - 1);
    for (size_t i = 0; i < values.size(); ++i)
        for (size_t j = 0; j < values[i].size(); ++j)
            cells_.set(row + static_cast<int>(i), column + static_cast<int>(j), values[i][j]);
}

void SheetImpl::clearContents(const CellRect& rect) {
    requireWorksheet("ClearContents");
    checkRect(rect);
    cells_.clear(rect);
}

void SheetImpl::clear(const CellRect& rect) {
    requireWorksheet("Clear");
    checkRect(rect);
    cells_.clear(rect);
    setNumberFormat(rect, QStringLiteral("General"));
}

void SheetImpl::deleteRows(const std::vector<CellRect>& areas) {
    requireWorksheet("Delete");
    for (const auto& a : areas) checkRect(a);
    const RowDeletion deletion(areas);
    cells_.deleteRows(deletion);

    std::vector<FormatArea> formats;
    for (const auto& f : formats_)
        if (auto a = deletion.area(f.rect)) formats.push_back({*a, f.format});
    formats_ = std::move(formats);

    std::set<int> hidden;
    for (int r : hiddenRows)
        if (!deletion.deleted(r)) hidden.insert(deletion.moved(r));
    hiddenRows = std::move(hidden);

    // Charts move and size with their cells; one whose rows all go keeps a one-row anchor.
    for (auto& co : charts_) {
        auto& a = co->anchor;
        if (auto s = deletion.span(a.top, a.bottom)) {
            a.top = s->first;
            a.bottom = s->second;
        } else {
            a.top = a.bottom = std::min(deletion.moved(a.top), MaxRows);
        }
    }
    book()->rowsDeleted(*this, deletion);
}

QString SheetImpl::numberFormat(int row, int column) const {
    requireWorksheet("NumberFormat");
    checkCell(row, column);
    for (auto it = formats_.rbegin(); it != formats_.rend(); ++it)
        if (it->rect.contains(row, column)) return it->format;
    return QStringLiteral("General");
}

void SheetImpl::setNumberFormat(const CellRect& rect, const QString& format) {
    requireWorksheet("NumberFormat");
    checkRect(rect);
    // Areas the new one covers are gone for good; dropping them keeps the list short.
    std::erase_if(formats_, [&](const FormatArea& f) {
        return f.rect.top >= rect.top && f.rect.bottom <= rect.bottom && f.rect.left >= rect.left &&
               f.rect.right <= rect.right;
    });
    const bool overlaps = std::any_of(formats_.begin(), formats_.end(), [&](const FormatArea& f) {
        return intersect(f.rect, rect).has_value();
    });
    if (format == QLatin1String("General") && !overlaps) return;
    formats_.push_back({rect, format});
}

std::optional<CellRect> SheetImpl::usedRange() const {
    requireWorksheet("UsedRange");
    return cells_.bounds();
}

CellRect SheetImpl::currentRegion(int row, int column) const {
    requireWorksheet("CurrentRegion");
    checkCell(row, column);
    return cells_.region(row, column);
}

void SheetImpl::selectRange(const std::vector<CellRect>& areas) {
    requireWorksheet("Select");
    if (areas.empty()) gone();
    for (const auto& a : areas) checkRect(a);
    if (!isActive()) refuse(QStringLiteral("Select method of Range class failed"));
    selection = SheetSelection{Selection::Kind::Range, areas, {}, {}, {}};
}

void SheetImpl::copyRange(const CellRect& rect) {
    copyAs(QStringLiteral("range"), rect);
}
namespace {
void setHidden(std::set<int>& hidden, int first, int last, bool on) {
    if (on) {
        for (int i = first; i <= last; ++i) hidden.insert(i);
    } else {
        hidden.erase(hidden.lower_bound(first), hidden.upper_bound(last));
    }
}
}  // namespace

void SheetImpl::setRowsHidden(int first, int last, bool hidden) {
    requireWorksheet("EntireRow.Hidden");
    if (first < 1 || last < first || last > MaxRows)
        refuse(QStringLiteral("Application-defined or object-defined error"));
    setHidden(hiddenRows, first, last, hidden);
}

void SheetImpl::setColumnsHidden(int first, int last, bool hidden) {
    requireWorksheet("EntireColumn.Hidden");
    if (first < 1 || last < first || last > MaxColumns)
        refuse(QStringLiteral("Application-defined or object-defined error"));
    setHidden(hiddenColumns, first, last, hidden);
}

void SheetImpl::copyRangePicture(const CellRect& rect) {
    copyAs(QStringLiteral("rangePicture"), rect);
}

namespace {
// What fits in a picture's largest side.
constexpr size_t MaxPictureRows = render::MaxSide / render::CellHeight;
constexpr size_t MaxPictureColumns = 200;
}  // namespace

void SheetImpl::copyAs(const QString& kind, const CellRect& rect) {
    requireWorksheet("Copy");
    checkRect(rect);
    auto b = book();
    auto excel = b->excel();
    if (!excel) gone();
    // Hidden rows and columns stay out of the picture, as they are off the screen.
    std::vector<int> rows, columns;
    for (int r = rect.top; r <= rect.bottom && rows.size() < MaxPictureRows; ++r)
        if (!hiddenRows.count(r)) rows.push_back(r);
    for (int c = rect.left; c <= rect.right && columns.size() < MaxPictureColumns; ++c)
        if (!hiddenColumns.count(c)) columns.push_back(c);
    render::Table table;
    for (int r : rows) {
        auto& line = table.emplace_back();
        for (int c : columns)
            line.push_back(render::tableCell(cells_.get(r, c), numberFormat(r, c)));
    }
    // A range copied as a picture offers the bitmap alone; copied as cells, a metafile too.
    excel->clipboard().put({kind, {b->name(), name_, formatAddress(rect)}},
                           render::drawTable(table, kind == QLatin1String("range")));
}

namespace {
// The office's default cell: 64 x 20 pixels at 96 dpi.
constexpr double CellWidthPt = render::CellWidth * 72.0 / 96.0;
constexpr double CellHeightPt = render::CellHeight * 72.0 / 96.0;
}  // namespace

QRectF SheetImpl::rangeGeometry(const CellRect& rect) const {
    requireWorksheet("Left");
    checkRect(rect);
    // Hidden rows and columns take no room.
    auto extent = [](int from, int to, const std::set<int>& hidden, double size) {
        const auto n = std::distance(hidden.lower_bound(from), hidden.upper_bound(to));
        return (to - from + 1 - static_cast<double>(n)) * size;
    };
    return QRectF(rect.left > 1 ? extent(1, rect.left - 1, hiddenColumns, CellWidthPt) : 0.0,
                  rect.top > 1 ? extent(1, rect.top - 1, hiddenRows, CellHeightPt) : 0.0,
                  extent(rect.left, rect.right, hiddenColumns, CellWidthPt),
                  extent(rect.top, rect.bottom, hiddenRows, CellHeightPt));
}

std::shared_ptr<office::ChartObject> SheetImpl::addChartObject(double left, double top,
                                                               double width, double height) {
    requireWorksheet("ChartObjects");
    if (!(left >= 0 && top >= 0 && width > 0 && height > 0))
        refuse(QStringLiteral("Add method of ChartObjects class failed"));
    auto cell = [](double at, double size, int max) {
        return std::clamp(static_cast<int>(std::floor(at / size)) + 1, 1, max);
    };
    CellRect anchor{cell(top, CellHeightPt, MaxRows), cell(left, CellWidthPt, MaxColumns),
                    cell(top + height - 0.01, CellHeightPt, MaxRows),
                    cell(left + width - 0.01, CellWidthPt, MaxColumns)};
    int n = static_cast<int>(charts_.size()) + 1;
    while (findChartObject(QStringLiteral("Chart %1").arg(n))) ++n;
    auto co = addChartObject(QStringLiteral("Chart %1").arg(n), anchor, false, ChartData{});
    co->sizePoints = QSizeF(width, height);
    return co;
}

void SheetImpl::removeChartObject(const ChartObjectImpl& object) {
    const auto at = std::find_if(charts_.begin(), charts_.end(),
                                 [&](const auto& co) { return co.get() == &object; });
    if (at == charts_.end()) gone();
    if (selection.chart == object.name() && type_ == xlWorksheet) selection = SheetSelection{};
    charts_.erase(at);
}

void SheetImpl::setFontColorIndex(const CellRect& rect, int index) {
    requireWorksheet("Font");
    checkRect(rect);
    if (index < 1 || index > 56) refuse(QStringLiteral("Unable to set the ColorIndex property"));
    fontColors.push_back({rect, index});
}

void SheetImpl::remove() {
    book()->removeSheet(*this);
}

ChartObjectImpl* SheetImpl::findChartObject(const QString& name) const {
    for (const auto& co : charts_)
        if (sameName(co->name(), name)) return co.get();
    return nullptr;
}

std::shared_ptr<ChartObjectImpl> SheetImpl::addChartObject(QString name, CellRect anchor,
                                                           bool hidden, ChartData data) {
    auto co = ChartObjectImpl::create(self(), std::move(name), anchor, hidden, std::move(data));
    charts_.push_back(co);
    return co;
}

void SheetImpl::setChart(ChartData data) {
    chart_ = std::make_shared<ChartImpl>(self(), std::weak_ptr<ChartObjectImpl>{}, std::move(data));
}

// --- names ---

QString NameImpl::name() const {
    auto s = scope_.lock();
    return s ? quoteSheetName(s->name()) + '!' + name_ : name_;
}

QString NameImpl::refersTo() const {
    if (!ref_) return text_;
    auto sheet = ref_->sheet.lock();
    if (!sheet) return QStringLiteral("=#REF!");
    if (!text_.isEmpty() && sheet->name() == textSheet_) return text_;
    return '=' + sheetPrefixed(sheet->name(), ref_->areas, true);
}

Range NameImpl::refersToRange() const {
    std::shared_ptr<SheetImpl> sheet = ref_ ? ref_->sheet.lock() : nullptr;
    if (!sheet) refuse(QStringLiteral("Method 'RefersToRange' of object 'Name' failed"));
    return Range(sheet, ref_->areas);
}

void NameImpl::setReference(NameReference ref, QString text) {
    auto sheet = ref.sheet.lock();
    textSheet_ = sheet ? sheet->name() : QString();
    ref_ = std::move(ref);
    text_ = std::move(text);
}

void NameImpl::setFormula(QString formula) {
    ref_.reset();
    text_ = std::move(formula);
}

void NameImpl::rowsDeleted(const SheetImpl& sheet, const RowDeletion& deletion) {
    if (!ref_ || ref_->sheet.lock().get() != &sheet) return;
    std::vector<std::optional<CellRect>> moved;
    bool broken = false;
    for (const auto& a : ref_->areas) {
        moved.push_back(deletion.area(a));
        broken = broken || !moved.back();
    }
    if (!broken) {
        std::vector<CellRect> areas;
        for (const auto& m : moved) areas.push_back(*m);
        if (areas != ref_->areas) {
            ref_->areas = std::move(areas);
            text_.clear();
        }
        return;
    }
    // An area whose rows are all gone turns the whole name into a broken reference.
    QStringList parts;
    for (const auto& m : moved)
        parts << quoteSheetName(sheet.name()) + '!' +
                     (m ? formatAddress(*m) : QStringLiteral("#REF!"));
    setFormula('=' + parts.join(','));
}

// --- workbooks ---

std::vector<std::shared_ptr<office::Sheet>> WorkbookImpl::sheets() const {
    return {sheets_.begin(), sheets_.end()};
}

std::vector<std::shared_ptr<office::Name>> WorkbookImpl::names() const {
    return {names_.begin(), names_.end()};
}

std::shared_ptr<SheetImpl> WorkbookImpl::findSheet(const QString& name) const {
    for (const auto& s : sheets_)
        if (sameName(s->name(), name)) return s;
    return nullptr;
}

std::shared_ptr<SheetImpl> WorkbookImpl::appendSheet(QString name, int type) {
    auto s = std::make_shared<SheetImpl>(weak_from_this(), std::move(name), type);
    sheets_.push_back(s);
    return s;
}

std::shared_ptr<office::Sheet> WorkbookImpl::addWorksheet() {
    if (protectStructure_) refuse(QStringLiteral("Workbook is protected and cannot be changed."));
    int n = 1;
    while (findSheet(QStringLiteral("Sheet%1").arg(n))) ++n;
    auto s = std::make_shared<SheetImpl>(weak_from_this(), QStringLiteral("Sheet%1").arg(n),
                                         xlWorksheet);
    auto active = active_.lock();
    auto at = std::find(sheets_.begin(), sheets_.end(), active);
    sheets_.insert(at == sheets_.end() ? sheets_.begin() : at, s);
    active_ = s;
    return s;
}

// Names are found by their scope and their name in any case, without a walk over all of them:
// a workbook may hold tens of thousands.
QString WorkbookImpl::nameKey(const QString& name, const SheetImpl* scope) {
    return QString::number(reinterpret_cast<quintptr>(scope), 16) + QChar('|') +
           name.toCaseFolded();
}

NameImpl* WorkbookImpl::findNameIn(const QString& name, const SheetImpl* scope) const {
    const auto it = nameIndex_.constFind(nameKey(name, scope));
    return it == nameIndex_.constEnd() ? nullptr : names_[*it].get();
}

std::shared_ptr<NameImpl> WorkbookImpl::putName(const QString& name,
                                                const std::shared_ptr<SheetImpl>& scope,
                                                bool visible) {
    auto n = std::make_shared<NameImpl>(weak_from_this(), name, scope, visible);
    const QString key = nameKey(name, scope.get());
    if (const auto it = nameIndex_.constFind(key); it != nameIndex_.constEnd()) {
        names_[*it] = n;
        return n;
    }
    nameIndex_.insert(key, static_cast<qsizetype>(names_.size()));
    names_.push_back(n);
    return n;
}

void WorkbookImpl::addName(const QString& name, const QString& refersToR1C1) {
    const QString invalidName = QStringLiteral("The syntax of this name isn't correct.");
    QString local = name;
    std::shared_ptr<SheetImpl> scope;
    if (int bang = name.lastIndexOf('!'); bang >= 0) {
        QString sheet = name.left(bang);
        if (sheet.size() >= 2 && sheet.startsWith('\'') && sheet.endsWith('\''))
            sheet =
                sheet.mid(1, sheet.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
        scope = findSheet(sheet);
        if (!scope) refuse(invalidName);
        local = name.mid(bang + 1);
    }
    if (!validDefinedName(local)) refuse(invalidName);

    QString formula = refersToR1C1.trimmed();
    if (!formula.startsWith('=')) formula = QStringLiteral("=\"%1\"").arg(formula);
    if (auto ref = parseReference(formula, Notation::R1C1)) {
        auto sheet = ref->sheet.isEmpty() ? activeSheetImpl() : findSheet(ref->sheet);
        if (!sheet || sheet->type() != xlWorksheet)
            refuse(QStringLiteral("The formula contains an error."));
        putName(local, scope, true)->setReference({sheet, ref->areas});
        return;
    }
    if (formula.contains('!') && !formula.contains(QLatin1String("#REF!")) &&
        !formula.contains('('))
        refuse(QStringLiteral("The formula contains an error."));
    putName(local, scope, true)->setFormula(formula);
}

void WorkbookImpl::rowsDeleted(SheetImpl& sheet, const RowDeletion& deletion) {
    for (auto& n : names_) n->rowsDeleted(sheet, deletion);
    for (auto& s : sheets_) {
        for (auto& co : s->chartList()) {
            auto& data = co->chartImpl()->data;
            // Most charts plot their own sheet; only those can be hit without a sheet name.
            if (data.source.isEmpty() || (s.get() != &sheet && !data.source.contains('!')))
                continue;
            data.source = shiftedSource(data.source, s->name(), sheet, deletion);
        }
        if (auto c = s->chartSheetChart())
            c->data.source = shiftedSource(c->data.source, {}, sheet, deletion);
    }
}

void WorkbookImpl::sheetRenamed(const SheetImpl& sheet, const QString& oldName) {
    for (auto& s : sheets_) {
        for (auto& co : s->chartList()) {
            auto& data = co->chartImpl()->data;
            data.source = renamedSource(data.source, oldName, sheet.name());
        }
        if (auto c = s->chartSheetChart())
            c->data.source = renamedSource(c->data.source, oldName, sheet.name());
    }
}

void WorkbookImpl::removeSheet(const SheetImpl& sheet) {
    const QString failed = QStringLiteral("Delete method of Worksheet class failed");
    if (protectStructure_) refuse(failed);
    const auto at = std::find_if(sheets_.begin(), sheets_.end(),
                                 [&](const auto& s) { return s.get() == &sheet; });
    if (at == sheets_.end()) gone();
    // A workbook keeps at least one visible sheet.
    auto next = neighbourVisible(sheet);
    if (!next && sheet.visible() == xlSheetVisible) refuse(failed);
    if (active_.lock().get() == &sheet) active_ = next;
    sheets_.erase(at);
}

std::shared_ptr<SheetImpl> WorkbookImpl::neighbourVisible(const SheetImpl& sheet) const {
    auto at = std::find_if(sheets_.begin(), sheets_.end(),
                           [&](const auto& s) { return s.get() == &sheet; });
    if (at == sheets_.end()) return nullptr;
    for (auto it = std::next(at); it != sheets_.end(); ++it)
        if ((*it)->visible() == xlSheetVisible) return *it;
    for (auto it = at; it != sheets_.begin();)
        if ((*--it)->visible() == xlSheetVisible) return *it;
    return nullptr;
}

// --- the application ---

std::vector<std::shared_ptr<office::Workbook>> ExcelApp::workbooks() const {
    return {workbooks_.begin(), workbooks_.end()};
}

Selection ExcelApp::selection() const {
    Selection out;
    auto wb = active_.lock();
    auto sheet = wb ? wb->activeSheetImpl() : nullptr;
    if (!sheet) return out;
    const auto& sel = sheet->selection;
    if (sheet->type() == xlChart) {
        out.kind = sel.kind == Selection::Kind::ChartPart ? Selection::Kind::ChartPart
                                                          : Selection::Kind::ChartArea;
        out.chart = sheet->chartSheetChart();
        out.chartName = sheet->name();
        out.part = sel.part;
        return out;
    }
    switch (sel.kind) {
        case Selection::Kind::Range:
            out.kind = sel.kind;
            out.range = Range(sheet, sel.areas);
            break;
        case Selection::Kind::ChartArea:
        case Selection::Kind::ChartPart:
            if (auto* co = sheet->findChartObject(sel.chart)) {
                out.kind = sel.kind;
                out.chart = co->chart();
                out.chartName = co->name();
                out.part = sel.part;
            }
            break;
        case Selection::Kind::Shape:
            out.kind = sel.kind;
            out.shapeName = sel.shape;
            break;
        case Selection::Kind::None:
            break;
    }
    return out;
}

void ExcelApp::setScreenUpdating(bool on) {
    screenLog_.push_back(on);
    screenUpdating_ = on;
}

QString ExcelApp::getOpenFilename(const QString&, const QString&) {
    return openFilename.value_or(QStringLiteral("False"));
}

std::shared_ptr<office::Workbook> ExcelApp::openWorkbook(const QString& fileName) {
    for (const auto& wb : workbooks_) {
        if (wb->fullName() == fileName) {
            active_ = wb;
            return wb;
        }
    }
    auto it = files.find(fileName);
    if (it == files.end())
        refuse(QStringLiteral(
                   "Sorry, we couldn't find %1. Is it possible it was moved, renamed or deleted?")
                   .arg(fileName));
    auto wb = it->second;
    for (const auto& open : workbooks_)
        if (sameName(open->name(), wb->name()))
            refuse(
                QStringLiteral(
                    "A document with the name '%1' is already open. You cannot open two documents "
                    "with the same name, even if the documents are in different folders.")
                    .arg(wb->name()));
    files.erase(it);
    workbooks_.push_back(wb);
    active_ = wb;
    return wb;
}

void ExcelApp::run(const QString& macro) {
    auto it = macros.find(macro);
    if (it == macros.end())
        refuse(
            QStringLiteral(
                "Cannot run the macro '%1'. The macro may not be available in this workbook or all "
                "macros may be disabled.")
                .arg(macro));
    macroCalls_.push_back(macro);
    if (it->second.opens)
        if (auto pp = powerPoint.lock()) pp->open(*it->second.opens);
}

QString ExcelApp::rept(const QString& text, int times) const {
    if (times < 0)
        refuse(QStringLiteral("Unable to get the Rept property of the WorksheetFunction class"));
    return text.repeated(times);
}

QString ExcelApp::substitute(const QString& text, const QString& oldText,
                             const QString& newText) const {
    if (oldText.isEmpty()) return text;
    return QString(text).replace(oldText, newText, Qt::CaseSensitive);
}

// The worksheet TRIM: only the space character, inner runs kept as one space.
QString ExcelApp::trim(const QString& text) const {
    QString out;
    out.reserve(text.size());
    bool pendingSpace = false;
    for (QChar c : text) {
        if (c == ' ') {
            pendingSpace = !out.isEmpty();
            continue;
        }
        if (pendingSpace) out += ' ';
        pendingSpace = false;
        out += c;
    }
    return out;
}

double ExcelApp::min(const std::vector<double>& values) const {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

double ExcelApp::max(const std::vector<double>& values) const {
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

std::shared_ptr<WorkbookImpl> ExcelApp::newWorkbook(QString name, QString fullName) {
    return std::make_shared<WorkbookImpl>(weak_from_this(), std::move(name), std::move(fullName));
}

}  // namespace office::memory
