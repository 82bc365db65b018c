#pragma once

// The cell store of a worksheet: sparse, so big state sheets read, write and delete rows fast.

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "office/Address.h"
#include "office/Value.h"

namespace office::memory {

// Which rows a deletion removes, and where the rows below move to.
class RowDeletion {
  public:
    explicit RowDeletion(const std::vector<CellRect>& areas);

    bool empty() const { return runs_.empty(); }
    int firstRow() const { return runs_.empty() ? MaxRows + 1 : runs_.front().first; }
    bool deleted(int row) const;
    // The new number of a surviving row; for a deleted row, the new number of the next survivor.
    int moved(int row) const;
    // Where the rows top..bottom end up; empty when all of them are deleted. Whole columns stay
    // whole, as in the office.
    std::optional<std::pair<int, int>> span(int top, int bottom) const;
    // The same for an area.
    std::optional<CellRect> area(const CellRect& rect) const;

  private:
    int deletedBefore(int row) const;

    std::vector<std::pair<int, int>> runs_;  // merged, sorted, inclusive
    std::vector<int> countBefore_;           // rows deleted by the runs before each run
};

class Cells {
  public:
    Value get(int row, int column) const;
    void set(int row, int column, const Value& value);  // an empty value empties the cell
    Grid read(const CellRect& rect) const;
    void clear(const CellRect& rect);
    void deleteRows(const RowDeletion& deletion);

    bool anyInRow(int row, int left, int right) const;
    bool anyInColumn(int column, int top, int bottom) const;
    std::optional<CellRect> bounds() const;
    // The office's current region: grows while the ring around it holds a value.
    CellRect region(int row, int column) const;

    template <class F>
    void forEach(F&& f) const {
        for (const auto& [r, cols] : rows_)
            for (const auto& [c, v] : cols) f(r, c, v);
    }

  private:
    std::map<int, std::map<int, Value>> rows_;
};

}  // namespace office::memory
