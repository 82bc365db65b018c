#include "office/memory/Cells.h"

#include <algorithm>

namespace office::memory {

RowDeletion::RowDeletion(const std::vector<CellRect>& areas) {
    std::vector<std::pair<int, int>> spans;
    spans.reserve(areas.size());
    for (const auto& a : areas) spans.emplace_back(std::max(1, a.top), std::min(MaxRows, a.bottom));
    std::sort(spans.begin(), spans.end());
    for (const auto& s : spans) {
        if (s.first > s.second) continue;
        if (!runs_.empty() && s.first <= runs_.back().second + 1)
            runs_.back().second = std::max(runs_.back().second, s.second);
        else
            runs_.push_back(s);
    }
    int count = 0;
    for (const auto& r : runs_) {
        countBefore_.push_back(count);
        count += r.second - r.first + 1;
    }
}

bool RowDeletion::deleted(int row) const {
    auto it = std::upper_bound(runs_.begin(), runs_.end(), std::make_pair(row, MaxRows + 1));
    if (it == runs_.begin()) return false;
    --it;
    return row >= it->first && row <= it->second;
}

int RowDeletion::deletedBefore(int row) const {
    // The last run that starts before `row`.
    auto it = std::lower_bound(runs_.begin(), runs_.end(), std::make_pair(row, 0));
    if (it == runs_.begin()) return 0;
    --it;
    const auto i = static_cast<size_t>(it - runs_.begin());
    return countBefore_[i] + std::min(it->second, row - 1) - it->first + 1;
}

int RowDeletion::moved(int row) const {
    return row - deletedBefore(row);
}

std::optional<std::pair<int, int>> RowDeletion::span(int top, int bottom) const {
    if (top == 1 && bottom == MaxRows) return std::make_pair(top, bottom);
    const int newTop = moved(top);
    const int newBottom = deleted(bottom) ? moved(bottom) - 1 : moved(bottom);
    if (newBottom < newTop) return std::nullopt;
    return std::make_pair(newTop, newBottom);
}

std::optional<CellRect> RowDeletion::area(const CellRect& rect) const {
    auto s = span(rect.top, rect.bottom);
    if (!s) return std::nullopt;
    return CellRect{s->first, rect.left, s->second, rect.right};
}

Value Cells::get(int row, int column) const {
    auto r = rows_.find(row);
    if (r == rows_.end()) return {};
    auto c = r->second.find(column);
    return c == r->second.end() ? Value{} : c->second;
}

void Cells::set(int row, int column, const Value& value) {
    if (isEmpty(value)) {
        auto r = rows_.find(row);
        if (r == rows_.end()) return;
        r->second.erase(column);
        if (r->second.empty()) rows_.erase(r);
        return;
    }
    rows_[row][column] = value;
}

Grid Cells::read(const CellRect& rect) const {
    Grid grid(static_cast<size_t>(rect.rows()), Row(static_cast<size_t>(rect.columns())));
    for (auto r = rows_.lower_bound(rect.top); r != rows_.end() && r->first <= rect.bottom; ++r) {
        auto& out = grid[static_cast<size_t>(r->first - rect.top)];
        for (auto c = r->second.lower_bound(rect.left);
             c != r->second.end() && c->first <= rect.right; ++c)
            out[static_cast<size_t>(c->first - rect.left)] = c->second;
    }
    return grid;
}

void Cells::clear(const CellRect& rect) {
    for (auto r = rows_.lower_bound(rect.top); r != rows_.end() && r->first <= rect.bottom;) {
        auto& cols = r->second;
        cols.erase(cols.lower_bound(rect.left), cols.upper_bound(rect.right));
        r = cols.empty() ? rows_.erase(r) : std::next(r);
    }
}

void Cells::deleteRows(const RowDeletion& deletion) {
    if (deletion.empty()) return;
    // Rows above the first deleted one keep their numbers; the rest are renumbered in one
    // ascending pass, re-linking the nodes rather than copying them.
    auto it = rows_.lower_bound(deletion.firstRow());
    std::vector<decltype(rows_)::node_type> kept;
    while (it != rows_.end()) {
        auto next = std::next(it);
        auto node = rows_.extract(it);
        if (!deletion.deleted(node.key())) {
            node.key() = deletion.moved(node.key());
            kept.push_back(std::move(node));
        }
        it = next;
    }
    for (auto& node : kept) rows_.insert(rows_.end(), std::move(node));
}

bool Cells::anyInRow(int row, int left, int right) const {
    auto r = rows_.find(row);
    if (r == rows_.end()) return false;
    auto c = r->second.lower_bound(left);
    return c != r->second.end() && c->first <= right;
}

bool Cells::anyInColumn(int column, int top, int bottom) const {
    for (auto r = rows_.lower_bound(top); r != rows_.end() && r->first <= bottom; ++r)
        if (r->second.count(column)) return true;
    return false;
}

std::optional<CellRect> Cells::bounds() const {
    if (rows_.empty()) return std::nullopt;
    CellRect b{rows_.begin()->first, MaxColumns, rows_.rbegin()->first, 1};
    for (const auto& [r, cols] : rows_) {
        b.left = std::min(b.left, cols.begin()->first);
        b.right = std::max(b.right, cols.rbegin()->first);
    }
    return b;
}

CellRect Cells::region(int row, int column) const {
    CellRect r{row, column, row, column};
    const auto ringLeft = [&] { return std::max(1, r.left - 1); };
    const auto ringRight = [&] { return std::min(MaxColumns, r.right + 1); };
    for (bool grew = true; grew;) {
        grew = false;
        // Downwards first, row by row: that is where long tables grow.
        while (r.bottom < MaxRows && anyInRow(r.bottom + 1, ringLeft(), ringRight())) {
            ++r.bottom;
            grew = true;
        }
        while (r.top > 1 && anyInRow(r.top - 1, ringLeft(), ringRight())) {
            --r.top;
            grew = true;
        }
        const int top = std::max(1, r.top - 1), bottom = std::min(MaxRows, r.bottom + 1);
        if (r.right < MaxColumns && anyInColumn(r.right + 1, top, bottom)) {
            ++r.right;
            grew = true;
        }
        if (r.left > 1 && anyInColumn(r.left - 1, top, bottom)) {
            --r.left;
            grew = true;
        }
    }
    return r;
}

}  // namespace office::memory
