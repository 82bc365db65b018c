#pragma once

// The item list `listCharts`: one row per chart object, chart sheet and named range, with its
// check box, icon and colours. Column 0 is the row's own text; columns 1..7 are its cells.

#include <QColor>
#include <QTreeWidget>
#include <vector>

#include "run/ItemList.h"
#include "statesheet/StateSheet.h"

namespace mainform {

namespace colors {
inline const QColor Red(255, 0, 0);       // multi-area range, never checkable
inline const QColor Grey(128, 128, 128);  // not exported in the current mode
QColor buttonText();                      // exported in the current mode
}  // namespace colors

// Column numbers (0-based, as the tree counts them).
namespace column {
inline constexpr int Name = 0, Sheet = 1, Slide = 2, SheetOrder = 3, Caption = 4, Type = 5,
                     Order = 6, Key = 7;
}

class ListCharts : public QTreeWidget, public run::ItemList {
    Q_OBJECT
  public:
    explicit ListCharts(QWidget* parent = nullptr);

    // run::ItemList
    int rowCount() const override { return topLevelItemCount(); }
    run::ListRow row(int index) const override;
    int selectedRow() const override;
    void selectRow(int index) override;

    QTreeWidgetItem* rowItem(int index) const { return topLevelItem(index); }
    QString cell(int index, int col) const;
    void setCell(int index, int col, const QString& text);
    bool isChecked(int index) const;
    void setChecked(int index, bool checked);          // without the check reaction
    QColor rowColor(int index) const;                  // the colour of column 0
    void setRowColor(int index, const QColor& color);  // column 0 and ColorListviewRow together
    int iconIndex(int index) const;
    QString rowKey(int index) const;  // "K" and the state-sheet row
    bool isMultiArea(int index) const { return rowColor(index) == colors::Red; }

    // ColorListviewRow: columns 1..7 of the row.
    void ColorListviewRow(int index, const QColor& color);

    // The fill: rows as the state sheet hands them; each new row goes on top.
    void addStoredRows(const std::vector<statesheet::StoredRow>& rows);

    // SotrListView: every row, ascending by that column. Number columns sort by value,
    // non-numbers first.
    void SotrListView(int col);
    static QString sortType(int col);  // "STRING", "NUMBER" or ""

    // Up_Click / Down_Click: the selected row changes place with its neighbour.
    void moveSelected(int delta);

    // The list's own width for each column at load, in twips.
    static int loadWidthTwips(int col);

  signals:
    // The user toggled a row's check box.
    void rowCheckToggled(int index);

  private:
    void onItemChanged(QTreeWidgetItem* item, int col);
    int suppress_ = 0;  // > 0 while the program itself changes rows
};

}  // namespace mainform
