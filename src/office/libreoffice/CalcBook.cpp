// Documents, workbooks and defined names of Calc.

#include <QRegularExpression>
#include <QStringList>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeReferrer.hpp>
#include <com/sun/star/sheet/XCellRangesAccess.hpp>
#include <com/sun/star/sheet/XNamedRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/util/XProtectable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "office/libreoffice/Calc.h"
#include "office/libreoffice/DocumentSet.h"

namespace office::libreoffice {

namespace {

CellRect rectOf(const css::table::CellRangeAddress& a) {
    return CellRect{a.StartRow + 1, a.StartColumn + 1, a.EndRow + 1, a.EndColumn + 1};
}

// A sheet name as Calc writes it in a reference: quoted when it is not a plain word.
QString calcSheetName(const QString& sheet) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (plain.match(sheet).hasMatch()) return sheet;
    QString quoted = sheet;
    quoted.replace('\'', QLatin1String("''"));
    return '\'' + quoted + '\'';
}

// "$Data.$A$1:$B$5" for one area.
QString calcAddress(const QString& sheet, const CellRect& r) {
    auto cell = [](int row, int column) {
        return QStringLiteral("$%1$%2").arg(columnLetters(column)).arg(row);
    };
    QString out = '$' + calcSheetName(sheet) + '.' + cell(r.top, r.left);
    if (r.rows() > 1 || r.columns() > 1) out += ':' + cell(r.bottom, r.right);
    return out;
}

// A defined name of the document or of one sheet. Calc has no hidden names: all are visible.
class CalcName : public Name {
  public:
    CalcName(std::shared_ptr<const CalcBook> book, Reference<css::sheet::XNamedRange> name,
             QString sheet)
        : book_(std::move(book)), name_(std::move(name)), sheet_(std::move(sheet)) {}

    QString name() const override {
        return guarded(book_->session(), "Name.Name", [&] {
            const QString local = qs(name_->getName());
            return sheet_.isEmpty() ? local : quoteSheetName(sheet_) + '!' + local;
        });
    }
    bool visible() const override { return true; }

    QString refersTo() const override {
        return guarded(book_->session(), "Name.RefersTo", [&] {
            if (auto target = areas()) {
                const QString sheet = quoteSheetName(target->first->name());
                QStringList parts;
                for (const auto& a : target->second) parts << sheet + '!' + formatAddress(a);
                return '=' + parts.join(',');
            }
            return '=' + qs(name_->getContent());
        });
    }

    Range refersToRange() const override {
        return guarded(book_->session(), "Name.RefersToRange", [&] {
            auto target = areas();
            if (!target)
                fail(errors::Application,
                     QStringLiteral("Method 'RefersToRange' of object 'Name' failed"));
            return Range(target->first, target->second);
        });
    }

  private:
    // The sheet and areas the name refers to; empty for a constant, a formula or a broken
    // reference, and for areas on more than one sheet.
    std::optional<std::pair<std::shared_ptr<CalcSheet>, std::vector<CellRect>>> areas() const {
        std::vector<css::table::CellRangeAddress> found;
        Reference<css::sheet::XCellRangeReferrer> referrer(name_, UNO_QUERY);
        Reference<css::table::XCellRange> cells =
            referrer.is() ? referrer->getReferredCells() : Reference<css::table::XCellRange>();
        if (cells.is()) {
            found.push_back(Reference<css::sheet::XCellRangeAddressable>(cells, UNO_QUERY_THROW)
                                ->getRangeAddress());
        } else {
            // Several areas: Calc joins them with '~'; its range lookup takes ';'.
            const QString content = qs(name_->getContent());
            if (!content.contains('~')) return std::nullopt;
            Reference<css::sheet::XCellRangesAccess> access(book_->doc()->doc->getSheets(),
                                                            UNO_QUERY_THROW);
            Sequence<Reference<css::table::XCellRange>> ranges;
            try {
                QString list = content;
                list.replace('~', ';');
                ranges = access->getCellRangesByName(ous(list));
            } catch (const css::uno::RuntimeException&) {
                if (!book_->session().alive()) throw;
                return std::nullopt;
            }
            for (const auto& r : ranges)
                found.push_back(Reference<css::sheet::XCellRangeAddressable>(r, UNO_QUERY_THROW)
                                    ->getRangeAddress());
        }
        if (found.empty()) return std::nullopt;
        std::vector<CellRect> rects;
        for (const auto& a : found) {
            if (a.Sheet != found.front().Sheet) return std::nullopt;
            rects.push_back(rectOf(a));
        }
        return std::make_pair(book_->sheetAt(found.front().Sheet), rects);
    }

    std::shared_ptr<const CalcBook> book_;
    Reference<css::sheet::XNamedRange> name_;
    QString sheet_;  // empty for a name of the workbook
};

Reference<css::sheet::XNamedRanges> namedRanges(const Reference<css::uno::XInterface>& owner) {
    Reference<css::beans::XPropertySet> props(owner, UNO_QUERY_THROW);
    return Reference<css::sheet::XNamedRanges>(props->getPropertyValue(ous("NamedRanges")),
                                               UNO_QUERY_THROW);
}

}  // namespace

bool supports(const Reference<css::uno::XInterface>& object, const char* service) {
    Reference<css::lang::XServiceInfo> info(object, UNO_QUERY);
    return info.is() && info->supportsService(ous(service));
}

std::vector<Reference<css::lang::XComponent>> openComponents(const Session& session) {
    std::vector<Reference<css::lang::XComponent>> out;
    auto e = session.desktop()->getComponents()->createEnumeration();
    while (e->hasMoreElements()) {
        Reference<css::lang::XComponent> c(e->nextElement(), UNO_QUERY);
        if (c.is()) out.push_back(c);
    }
    return out;
}

// ---- CalcDoc

Reference<css::frame::XController> CalcDoc::controller() const {
    auto c = model->getCurrentController();
    if (!c.is())
        fail(errors::Application, QStringLiteral("The workbook has no window in LibreOffice."));
    return c;
}

Reference<css::sheet::XSpreadsheetView> CalcDoc::view() const {
    return Reference<css::sheet::XSpreadsheetView>(controller(), UNO_QUERY_THROW);
}

void CalcDoc::select(const Any& object) const {
    Reference<css::view::XSelectionSupplier> s(controller(), UNO_QUERY_THROW);
    if (!s->select(object))
        fail(errors::Application, QStringLiteral("LibreOffice did not select the object."));
}

void CalcDoc::copy(const Any& object, const QString& what) const {
    auto c = controller();
    Reference<css::view::XSelectionSupplier> s(c, UNO_QUERY_THROW);
    const Any before = s->getSelection();
    auto clipboard = session->clipboard();
    Reference<css::uno::XInterface> old(clipboard->getContents(), UNO_QUERY);
    select(object);
    Reference<css::frame::XDispatchProvider> frame(c->getFrame(), UNO_QUERY_THROW);
    css::frame::DispatchHelper::create(session->context())
        ->executeDispatch(frame, ous(".uno:Copy"), OUString(), 0, {});
    // Back to what the user had selected; a failure here loses nothing.
    try {
        s->select(before);
    } catch (const css::uno::Exception&) {
        if (!session->alive()) throw;
    }
    Reference<css::uno::XInterface> now(clipboard->getContents(), UNO_QUERY);
    if (!now.is() || now == old)
        fail(errors::Application, QStringLiteral("LibreOffice did not copy %1.").arg(what));
}

// ---- CalcBook

QString CalcBook::name() const {
    return guarded(session(), "Workbook.Name", [&] { return documentName(doc_->model); });
}

QString CalcBook::fullName() const {
    return guarded(session(), "Workbook.FullName", [&] { return documentFullName(doc_->model); });
}

std::map<int, std::shared_ptr<CalcSheet>> CalcBook::byPosition() const {
    std::map<int, std::shared_ptr<CalcSheet>> out;
    std::vector<std::shared_ptr<CalcSheet>> live;
    for (const auto& w : sheets_) {
        try {
            const int index = w->zeroBasedIndex();
            if (index >= 0 && out.emplace(index, w).second) live.push_back(w);
        } catch (const css::uno::RuntimeException&) {
            if (!session().alive()) throw;  // else the sheet was deleted: forget it
        }
    }
    sheets_ = live;
    return out;
}

std::shared_ptr<CalcSheet> CalcBook::wrap(const Reference<css::sheet::XSpreadsheet>& sheet) const {
    const int index = Reference<css::sheet::XCellRangeAddressable>(sheet, UNO_QUERY_THROW)
                          ->getRangeAddress()
                          .Sheet;
    auto known = byPosition();
    if (auto it = known.find(index); it != known.end()) return it->second;
    sheets_.push_back(std::make_shared<CalcSheet>(doc_, sheet));
    return sheets_.back();
}

std::shared_ptr<CalcSheet> CalcBook::sheetAt(int zeroBasedIndex) const {
    auto known = byPosition();
    if (auto it = known.find(zeroBasedIndex); it != known.end()) return it->second;
    Reference<css::container::XIndexAccess> all(doc_->doc->getSheets(), UNO_QUERY_THROW);
    sheets_.push_back(std::make_shared<CalcSheet>(
        doc_,
        Reference<css::sheet::XSpreadsheet>(all->getByIndex(zeroBasedIndex), UNO_QUERY_THROW)));
    return sheets_.back();
}

std::vector<std::shared_ptr<CalcSheet>> CalcBook::allSheets() const {
    Reference<css::container::XIndexAccess> all(doc_->doc->getSheets(), UNO_QUERY_THROW);
    auto known = byPosition();
    std::vector<std::shared_ptr<CalcSheet>> out;
    const int n = all->getCount();
    for (int i = 0; i < n; ++i) {
        if (auto it = known.find(i); it != known.end()) {
            out.push_back(it->second);
            continue;
        }
        sheets_.push_back(std::make_shared<CalcSheet>(
            doc_, Reference<css::sheet::XSpreadsheet>(all->getByIndex(i), UNO_QUERY_THROW)));
        out.push_back(sheets_.back());
    }
    return out;
}

std::vector<std::shared_ptr<Sheet>> CalcBook::sheets() const {
    return guarded(session(), "Workbook.Sheets", [&] {
        const auto all = allSheets();
        return std::vector<std::shared_ptr<Sheet>>(all.begin(), all.end());
    });
}

std::vector<std::shared_ptr<Name>> CalcBook::names() const {
    return guarded(session(), "Workbook.Names", [&] {
        std::vector<std::shared_ptr<Name>> out;
        auto add = [&](const Reference<css::sheet::XNamedRanges>& ranges, const QString& sheet) {
            Reference<css::container::XIndexAccess> list(ranges, UNO_QUERY_THROW);
            const int n = list->getCount();
            for (int i = 0; i < n; ++i)
                out.push_back(std::make_shared<CalcName>(
                    shared_from_this(),
                    Reference<css::sheet::XNamedRange>(list->getByIndex(i), UNO_QUERY_THROW),
                    sheet));
        };
        add(namedRanges(doc_->doc), {});
        for (const auto& sheet : allSheets()) add(namedRanges(sheet->uno()), sheet->name());
        return out;
    });
}

void CalcBook::addName(const QString& name, const QString& refersToR1C1) {
    guarded(session(), "Names.Add", [&] {
        auto ref = parseReference(refersToR1C1, Notation::R1C1);
        if (!ref)
            fail(errors::Application,
                 QStringLiteral("The formula \"%1\" of the name %2 is not a reference.")
                     .arg(refersToR1C1, name));
        // A name written "Sheet!Name" belongs to that sheet.
        Reference<css::uno::XInterface> owner = doc_->doc;
        QString local = name;
        if (int bang = name.lastIndexOf('!'); bang > 0) {
            QString scope = name.left(bang);
            if (scope.size() >= 2 && scope.startsWith('\'') && scope.endsWith('\''))
                scope =
                    scope.mid(1, scope.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
            auto sheet = this->sheet(scope);
            if (!sheet) fail(errors::NotFound, QStringLiteral("Subscript out of range"));
            owner = std::static_pointer_cast<CalcSheet>(sheet)->uno();
            local = name.mid(bang + 1);
        }
        auto target = ref->sheet.isEmpty() ? activeSheet() : sheet(ref->sheet);
        if (!target) fail(errors::NotFound, QStringLiteral("Subscript out of range"));
        auto calcSheet = std::static_pointer_cast<CalcSheet>(target);
        QStringList areas;
        for (const auto& a : ref->areas)
            areas << calcAddress(target->name(), calcSheet->clamp(a).value_or(a));
        auto ranges = namedRanges(owner);
        // Adding replaces a name of the same scope, as in the other office.
        if (ranges->hasByName(ous(local))) ranges->removeByName(ous(local));
        css::table::CellAddress base(static_cast<sal_Int16>(calcSheet->zeroBasedIndex()), 0, 0);
        ranges->addNewByName(ous(local), ous(areas.join('~')), base, 0);
    });
}

bool CalcBook::protectStructure() const {
    return guarded(session(), "Workbook.ProtectStructure", [&] {
        Reference<css::util::XProtectable> p(doc_->doc, UNO_QUERY_THROW);
        return bool(p->isProtected());
    });
}

std::shared_ptr<Sheet> CalcBook::activeSheet() const {
    return guarded(session(), "Workbook.ActiveSheet", [&]() -> std::shared_ptr<Sheet> {
        if (doc_->model->getCurrentController().is()) return wrap(doc_->view()->getActiveSheet());
        return sheetAt(0);  // a document without a window: its first sheet
    });
}

std::shared_ptr<Sheet> CalcBook::addWorksheet() {
    return guarded(session(), "Worksheets.Add", [&]() -> std::shared_ptr<Sheet> {
        auto sheets = need(doc_->doc->getSheets());
        Reference<css::container::XIndexAccess> all(sheets, UNO_QUERY_THROW);
        int n = all->getCount() + 1;
        QString name;
        do {
            name = QStringLiteral("Sheet%1").arg(n++);
        } while (sheets->hasByName(ous(name)));
        const int before = std::static_pointer_cast<CalcSheet>(activeSheet())->zeroBasedIndex();
        sheets->insertNewByName(ous(name), static_cast<sal_Int16>(before));
        auto sheet = wrap(
            Reference<css::sheet::XSpreadsheet>(sheets->getByName(ous(name)), UNO_QUERY_THROW));
        if (doc_->model->getCurrentController().is()) doc_->view()->setActiveSheet(sheet->uno());
        return sheet;
    });
}

}  // namespace office::libreoffice
