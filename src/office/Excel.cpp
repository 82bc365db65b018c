#include "office/Excel.h"

#include "office/Error.h"

namespace office {

namespace {
[[noreturn]] void badReference(const QString& what) {
    throw Error(errors::Application, QStringLiteral("Method 'Range' failed: %1").arg(what));
}
}  // namespace

Range::Range(std::shared_ptr<Sheet> sheet, std::vector<CellRect> areas)
    : sheet_(std::move(sheet)), areas_(std::move(areas)) {
    if (!sheet_ || areas_.empty())
        throw Error(errors::ObjectRequired, QStringLiteral("Object required"));
}

Range Range::area(int index) const {
    if (index < 1 || index > areaCount())
        throw Error(errors::NotFound, QStringLiteral("Subscript out of range"));
    return Range(sheet_, {areas_[index - 1]});
}

Value Range::value() const {
    return sheet_->cell(first().top, first().left);
}
Grid Range::values() const {
    return sheet_->read(first());
}

void Range::setValue(const Value& value) const {
    for (const auto& a : areas_)
        sheet_->write(a.top, a.left, Grid(a.rows(), Row(a.columns(), value)));
}

void Range::setValues(const Grid& values) const {
    sheet_->write(first().top, first().left, values);
}

Range Range::currentRegion() const {
    return Range(sheet_, {sheet_->currentRegion(first().top, first().left)});
}

Range Range::entireRows() const {
    std::vector<CellRect> rows;
    for (const auto& a : areas_) rows.push_back(CellRect{a.top, 1, a.bottom, MaxColumns});
    return Range(sheet_, rows);
}

void Range::deleteEntireRows() const {
    sheet_->deleteRows(areas_);
}

void Range::clear() const {
    for (const auto& a : areas_) sheet_->clear(a);
}

void Range::clearContents() const {
    for (const auto& a : areas_) sheet_->clearContents(a);
}

QString Range::numberFormat() const {
    return sheet_->numberFormat(first().top, first().left);
}

void Range::setNumberFormat(const QString& format) const {
    for (const auto& a : areas_) sheet_->setNumberFormat(a, format);
}

void Range::select() const {
    sheet_->selectRange(areas_);
}
void Range::copy() const {
    sheet_->copyRange(first());
}
void Range::copyPicture() const {
    sheet_->copyRangePicture(first());
}

double Range::left() const {
    return sheet_->rangeGeometry(first()).left();
}
double Range::top() const {
    return sheet_->rangeGeometry(first()).top();
}
double Range::width() const {
    return sheet_->rangeGeometry(first()).width();
}
double Range::height() const {
    return sheet_->rangeGeometry(first()).height();
}

Range Sheet::range(const QString& a1) const {
    auto areas = parseA1(a1);
    if (!areas) badReference(a1);
    return Range(std::const_pointer_cast<Sheet>(shared_from_this()), *areas);
}

Range Sheet::range(const CellRect& rect) const {
    return Range(std::const_pointer_cast<Sheet>(shared_from_this()), {rect});
}

Range Sheet::cells() const {
    return range(CellRect{1, 1, MaxRows, MaxColumns});
}

Range Sheet::usedRangeOrA1() const {
    return range(usedRange().value_or(CellRect{}));
}

std::vector<std::shared_ptr<Sheet>> Workbook::worksheets() const {
    std::vector<std::shared_ptr<Sheet>> out;
    for (auto& s : sheets())
        if (s->type() == xlWorksheet) out.push_back(s);
    return out;
}

std::vector<std::shared_ptr<Sheet>> Workbook::charts() const {
    std::vector<std::shared_ptr<Sheet>> out;
    for (auto& s : sheets())
        if (s->type() == xlChart) out.push_back(s);
    return out;
}

std::shared_ptr<Sheet> Workbook::sheet(const QString& name) const {
    for (auto& s : sheets())
        if (s->name().compare(name, Qt::CaseInsensitive) == 0) return s;
    return nullptr;
}

std::shared_ptr<Sheet> Workbook::worksheet(const QString& name) const {
    auto s = sheet(name);
    return s && s->type() == xlWorksheet ? s : nullptr;
}

std::shared_ptr<Name> Workbook::findName(const QString& name) const {
    for (auto& n : names())
        if (n->name().compare(name, Qt::CaseInsensitive) == 0) return n;
    return nullptr;
}

std::shared_ptr<Sheet> Excel::activeSheet() const {
    auto wb = activeWorkbook();
    return wb ? wb->activeSheet() : nullptr;
}

Range Excel::range(const QString& reference) const {
    auto wb = activeWorkbook();
    if (!wb) badReference(reference);
    if (auto n = wb->findName(reference)) return n->refersToRange();
    auto ref = parseReference(reference);
    if (!ref) {
        // A sheet-level name written as Sheet!Name, or a workbook name seen from its sheet.
        int bang = reference.lastIndexOf('!');
        if (bang > 0) {
            QString sheet = reference.left(bang);
            if (sheet.startsWith('\'') && sheet.endsWith('\'') && sheet.size() >= 2)
                sheet = sheet.mid(1, sheet.size() - 2);
            if (auto n = wb->findName(quoteSheetName(sheet) + '!' + reference.mid(bang + 1)))
                return n->refersToRange();
        }
        badReference(reference);
    }
    auto sheet = ref->sheet.isEmpty() ? wb->activeSheet() : wb->sheet(ref->sheet);
    if (!sheet || sheet->type() != xlWorksheet) badReference(reference);
    return Range(sheet, ref->areas);
}

std::optional<Range> Excel::intersect(const Range& a, const Range& b) const {
    if (a.sheet() != b.sheet() && a.worksheet().name() != b.worksheet().name()) return std::nullopt;
    std::vector<CellRect> common;
    for (const auto& x : a.areas())
        for (const auto& y : b.areas())
            if (auto r = office::intersect(x, y)) common.push_back(*r);
    if (common.empty()) return std::nullopt;
    return Range(a.sheet(), common);
}

}  // namespace office
