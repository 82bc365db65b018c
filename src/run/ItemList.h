#pragma once

// The main form's list as every export reads it: rows from top to bottom, each with its text,
// seven cells and its check box.

#include <QString>
#include <QStringList>

namespace run {

struct ListRow {
    QString text;       // the name, or "{Chart Sheet}"
    QStringList cells;  // sheet, slide number, sheet order, caption, type, order, key
    bool checked = false;

    QString cell(int index) const {
        return index >= 1 && index <= cells.size() ? cells[index - 1] : QString();
    }
    QString sheet() const { return cell(1); }
    QString slide() const { return cell(2); }
    QString sheetOrder() const { return cell(3); }
    QString caption() const { return cell(4); }
    QString type() const { return cell(5); }
    QString order() const { return cell(6); }
    QString key() const { return cell(7); }
};

class ItemList {
  public:
    virtual ~ItemList() = default;
    virtual int rowCount() const = 0;
    virtual ListRow row(int index) const = 0;  // 0 is the top row
    virtual int selectedRow() const = 0;       // -1 when none is selected
    virtual void selectRow(int index) = 0;
};

int countChecked(const ItemList& list);

}  // namespace run
