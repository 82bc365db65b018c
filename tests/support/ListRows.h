#pragma once

#include <vector>

#include "run/ItemList.h"

namespace test {

// The main form's list as plain rows; remembers, in order, every row a run selected.
class ListRows : public run::ItemList {
  public:
    int rowCount() const override { return static_cast<int>(rows.size()); }
    run::ListRow row(int index) const override { return rows.at(static_cast<size_t>(index)); }
    int selectedRow() const override { return selected; }
    void selectRow(int index) override {
        selected = index;
        selections.push_back(index);
    }
    std::vector<run::ListRow> rows;
    int selected = -1;
    std::vector<int> selections;
};

}  // namespace test
