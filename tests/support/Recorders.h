#pragma once

#include <QStringList>
#include <vector>

#include "statesheet/StateSheet.h"

namespace test {

// A list that records what the state sheet hands it.
class RecordingList : public statesheet::ListSink {
  public:
    void addRow(const statesheet::StoredRow& row) override {
        auto r = row;
        if (r.multiArea) r.checked = false;
        rows.insert(rows.begin(), r);  // new rows go to the top, as in the list view
    }
    int checkedCount() const override {
        int n = 0;
        for (const auto& r : rows) n += r.checked ? 1 : 0;
        return n;
    }
    void setSelectAll(int state) override { selectAll = state; }
    void showPreview() override { ++previews; }

    QStringList keys() const {
        QStringList out;
        for (const auto& r : rows) out << r.key;
        return out;
    }

    std::vector<statesheet::StoredRow> rows;  // top to bottom
    int selectAll = -1;
    int previews = 0;
};

class CountingProgress : public statesheet::LoadProgress {
  public:
    void setTotal(int t) override { total = t; }
    void showBar() override { barShown = true; }
    void advance() override { ++steps; }
    int total = -1;
    int steps = 0;
    bool barShown = false;
};

}  // namespace test
