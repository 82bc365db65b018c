#include "mainform/ListCharts.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPalette>
#include <algorithm>

#include "chrome/Twips.h"
#include "inventory/Items.h"
#include "mainform/SortKeys.h"

namespace mainform {

namespace {

constexpr int KeyRole = Qt::UserRole + 1;
constexpr int IconRole = Qt::UserRole + 2;
constexpr int CheckSeenRole = Qt::UserRole + 3;

const QStringList Headers = {"Name/Type", "Excel sheet", "Slide Nb", "Sheet order",
                             "Caption",   "TypeObject",  "Order",    "Name&Sheet"};
const int WidthsTwips[] = {1875, 1400, 0, 1400, 2376, 0, 0, 0};

// ImageList1: 1 chart sheet, 3 chart object, 4 named range, and the ascending arrow.
QIcon rowIcon(int index) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
        case 1:  // a sheet with a chart on it
            p.setPen(QColor(40, 70, 140));
            p.setBrush(QColor(220, 230, 250));
            p.drawRect(1, 1, 13, 13);
            p.fillRect(4, 8, 2, 5, QColor(40, 70, 140));
            p.fillRect(7, 5, 2, 8, QColor(40, 70, 140));
            p.fillRect(10, 3, 2, 10, QColor(40, 70, 140));
            break;
        case 3:  // bars
            p.fillRect(2, 8, 3, 7, QColor(30, 120, 200));
            p.fillRect(6, 4, 3, 11, QColor(220, 110, 30));
            p.fillRect(10, 1, 3, 14, QColor(60, 160, 60));
            break;
        default:  // a grid of cells
            p.setPen(QColor(70, 70, 70));
            p.setBrush(QColor(250, 250, 230));
            p.drawRect(1, 3, 13, 10);
            p.drawLine(1, 8, 14, 8);
            p.drawLine(6, 3, 6, 13);
            break;
    }
    return QIcon(pm);
}

QIcon ascIcon() {
    QPixmap pm(10, 10);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(90, 90, 90));
    p.setPen(Qt::NoPen);
    const QPointF up[3] = {{5, 2}, {9, 8}, {1, 8}};
    p.drawPolygon(up, 3);
    return QIcon(pm);
}

}  // namespace

QColor colors::buttonText() {
    return QGuiApplication::palette().color(QPalette::ButtonText);
}

ListCharts::ListCharts(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("listCharts"));
    setColumnCount(8);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::Box);
    setSortingEnabled(false);
    auto* header = new QTreeWidgetItem;
    for (int c = 0; c < 8; ++c) {
        header->setText(c, Headers[c]);
        if (c == column::Name || c == column::Sheet || c == column::SheetOrder)
            header->setIcon(c, ascIcon());
        header->setTextAlignment(
            c, c == column::Slide || c == column::SheetOrder ? Qt::AlignCenter : Qt::AlignLeft);
    }
    setHeaderItem(header);
    this->header()->setMinimumSectionSize(0);
    this->header()->setSectionsClickable(true);
    this->header()->setStretchLastSection(false);
    for (int c = 0; c < 8; ++c) setColumnWidth(c, chrome::twips(WidthsTwips[c]));
    setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }"
        "QTreeView::item:selected { background: #cfe2f7; color: black; }"));
    connect(this, &QTreeWidget::itemChanged, this, &ListCharts::onItemChanged);
}

int ListCharts::loadWidthTwips(int col) {
    return col >= 0 && col < 8 ? WidthsTwips[col] : 0;
}

run::ListRow ListCharts::row(int index) const {
    run::ListRow r;
    auto* item = topLevelItem(index);
    if (!item) return r;
    r.text = item->text(0);
    for (int c = 1; c < 8; ++c) r.cells << item->text(c);
    r.checked = item->checkState(0) == Qt::Checked;
    return r;
}

int ListCharts::selectedRow() const {
    auto* item = currentItem();
    return item ? indexOfTopLevelItem(item) : -1;
}

void ListCharts::selectRow(int index) {
    if (auto* item = topLevelItem(index)) {
        setCurrentItem(item);
        item->setSelected(true);
    }
}

QString ListCharts::cell(int index, int col) const {
    auto* item = topLevelItem(index);
    return item ? item->text(col) : QString();
}

void ListCharts::setCell(int index, int col, const QString& text) {
    if (auto* item = topLevelItem(index)) {
        ++suppress_;
        item->setText(col, text);
        --suppress_;
    }
}

bool ListCharts::isChecked(int index) const {
    auto* item = topLevelItem(index);
    return item && item->checkState(0) == Qt::Checked;
}

void ListCharts::setChecked(int index, bool checked) {
    if (auto* item = topLevelItem(index)) {
        ++suppress_;
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
        item->setData(0, CheckSeenRole, checked);
        --suppress_;
    }
}

QColor ListCharts::rowColor(int index) const {
    auto* item = topLevelItem(index);
    if (!item) return {};
    const QVariant fg = item->data(0, Qt::ForegroundRole);
    return fg.isValid() ? fg.value<QBrush>().color() : palette().color(QPalette::Text);
}

void ListCharts::setRowColor(int index, const QColor& color) {
    if (auto* item = topLevelItem(index)) {
        ++suppress_;
        item->setForeground(0, color);
        --suppress_;
        ColorListviewRow(index, color);
    }
}

void ListCharts::ColorListviewRow(int index, const QColor& color) {
    auto* item = topLevelItem(index);
    if (!item) return;
    ++suppress_;
    for (int c = 1; c < 8; ++c) item->setForeground(c, color);
    --suppress_;
}

int ListCharts::iconIndex(int index) const {
    auto* item = topLevelItem(index);
    return item ? item->data(0, IconRole).toInt() : 0;
}

QString ListCharts::rowKey(int index) const {
    auto* item = topLevelItem(index);
    return item ? item->data(0, KeyRole).toString() : QString();
}

void ListCharts::addStoredRows(const std::vector<statesheet::StoredRow>& rows) {
    // Each row goes on top: build the reversed order once instead of inserting at the front.
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const auto& r = *it;
        auto* item = new QTreeWidgetItem;
        const int icon = r.name == inventory::ChartSheetText ? 1
                         : r.type == inventory::TypeEmbedded ? 3
                                                             : 4;
        item->setData(0, KeyRole, QStringLiteral("K%1").arg(r.row));
        item->setData(0, IconRole, icon);
        item->setIcon(0, rowIcon(icon));
        item->setText(0, r.name);
        const QString cells[7] = {r.sheet, r.slide, r.sheetOrder, r.caption,
                                  r.type,  r.order, r.key};
        for (int c = 0; c < 7; ++c) item->setText(c + 1, cells[c]);
        item->setTextAlignment(column::Slide, Qt::AlignCenter);
        item->setTextAlignment(column::SheetOrder, Qt::AlignCenter);
        item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
        const bool checked = r.checked && !r.multiArea;
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
        item->setData(0, CheckSeenRole, checked);
        if (r.multiArea) item->setForeground(0, colors::Red);
        items << item;
    }
    ++suppress_;
    addTopLevelItems(items);
    --suppress_;
}

QString ListCharts::sortType(int col) {
    switch (col) {
        case column::Name:
        case column::Sheet:
        case column::Caption:
        case column::Type:
            return QStringLiteral("STRING");
        case column::Slide:
            return QString();
        default:
            return QStringLiteral("NUMBER");
    }
}

void ListCharts::SotrListView(int col) {
    if (col < 0 || col >= 8) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool numbers = sortType(col).toUpper() == QLatin1String("NUMBER");
    QTreeWidgetItem* current = currentItem();
    ++suppress_;
    QList<QTreeWidgetItem*> items = invisibleRootItem()->takeChildren();
    std::vector<std::pair<QString, QTreeWidgetItem*>> keyed;
    keyed.reserve(static_cast<size_t>(items.size()));
    for (auto* item : items)
        keyed.emplace_back(numbers ? numberSortKey(item->text(col)) : item->text(col), item);
    std::stable_sort(keyed.begin(), keyed.end(), [numbers](const auto& a, const auto& b) {
        return numbers ? a.first < b.first : a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    items.clear();
    for (auto& [key, item] : keyed) items << item;
    addTopLevelItems(items);
    --suppress_;
    if (current) setCurrentItem(current);
    QApplication::restoreOverrideCursor();
}

void ListCharts::moveSelected(int delta) {
    const int from = selectedRow();
    const int to = from + delta;
    if (from < 0 || to < 0 || to >= rowCount()) return;
    // The row keys stay with the positions; everything the user sees moves with the item.
    auto* a = topLevelItem(from);
    auto* b = topLevelItem(to);
    ++suppress_;
    const QString keyA = a->data(0, KeyRole).toString(), keyB = b->data(0, KeyRole).toString();
    QTreeWidgetItem* copyA = a->clone();
    for (int c = 0; c < 8; ++c) {
        for (int role : {int(Qt::DisplayRole), int(Qt::ForegroundRole), int(Qt::DecorationRole),
                         int(Qt::CheckStateRole), IconRole, CheckSeenRole}) {
            if (c > 0 && (role == Qt::CheckStateRole || role == IconRole || role == CheckSeenRole))
                continue;
            a->setData(c, role, b->data(c, role));
            b->setData(c, role, copyA->data(c, role));
        }
    }
    a->setData(0, KeyRole, keyA);
    b->setData(0, KeyRole, keyB);
    delete copyA;
    --suppress_;
    selectRow(to);
}

void ListCharts::onItemChanged(QTreeWidgetItem* item, int col) {
    if (suppress_ > 0 || col != 0) return;
    const bool checked = item->checkState(0) == Qt::Checked;
    if (item->data(0, CheckSeenRole).toBool() == checked) return;  // not a check change
    item->setData(0, CheckSeenRole, checked);
    emit rowCheckToggled(indexOfTopLevelItem(item));
}

}  // namespace mainform
