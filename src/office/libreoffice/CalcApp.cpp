// The spreadsheet application: which workbook is active, the selection, the controllers' lock,
// opening files, macros and the worksheet functions.

#include <QUrl>
#include <cmath>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/script/provider/XScriptProvider.hpp>
#include <com/sun/star/script/provider/XScriptProviderFactory.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSheetCellRangeContainer.hpp>
#include <com/sun/star/ui/dialogs/ExecutableDialogResults.hpp>
#include <com/sun/star/ui/dialogs/FilePicker.hpp>
#include <com/sun/star/ui/dialogs/TemplateDescription.hpp>
#include <com/sun/star/ui/dialogs/XFilterManager.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "office/libreoffice/Calc.h"
#include "office/libreoffice/DocumentSet.h"

namespace office::libreoffice {

namespace {

const char* SpreadsheetService = "com.sun.star.sheet.SpreadsheetDocument";

template <typename T>
Sequence<T> sequence(const std::vector<T>& items) {
    return Sequence<T>(items.data(), static_cast<sal_Int32>(items.size()));
}

// The selected chart object, from a selected shape or a collection holding it.
Reference<css::drawing::XShape> firstShape(const Reference<css::uno::XInterface>& selected) {
    Reference<css::drawing::XShape> shape(selected, UNO_QUERY);
    if (shape.is()) return shape;
    Reference<css::container::XIndexAccess> shapes(selected, UNO_QUERY);
    if (shapes.is() && shapes->getCount() > 0) shape.set(shapes->getByIndex(0), UNO_QUERY);
    return shape;
}

}  // namespace

CalcApp::~CalcApp() {
    release();
}

void CalcApp::release() {
    try {
        if (locked_.is() && session_->alive() && locked_->hasControllersLocked())
            locked_->unlockControllers();
    } catch (const css::uno::Exception&) {
    }
    locked_.clear();
}

QString CalcApp::version() const {
    return guarded(*session_, "Application.Version", [&] { return productVersion(*session_); });
}

std::shared_ptr<CalcBook> CalcApp::wrap(
    const Reference<css::sheet::XSpreadsheetDocument>& doc) const {
    return books_.get(doc, [&] {
        auto d = std::make_shared<CalcDoc>();
        d->session = session_;
        d->doc = doc;
        d->model.set(doc, UNO_QUERY_THROW);
        return std::make_shared<CalcBook>(d);
    });
}

// The spreadsheet that was active last: the current document when it is one, else the last one
// seen current that is still open, else the first open spreadsheet.
std::shared_ptr<Workbook> CalcApp::activeWorkbook() const {
    return guarded(*session_, "ActiveWorkbook", [&]() -> std::shared_ptr<Workbook> {
        Reference<css::sheet::XSpreadsheetDocument> current(
            session_->desktop()->getCurrentComponent(), UNO_QUERY);
        if (current.is()) {
            lastActive_ = current;
            return wrap(current);
        }
        const auto open = openComponents(*session_);
        for (const auto& c : open)
            if (lastActive_.is() && c == lastActive_) return wrap(lastActive_);
        for (const auto& c : open)
            if (supports(c, SpreadsheetService)) {
                lastActive_.set(c, UNO_QUERY);
                return wrap(lastActive_);
            }
        lastActive_.clear();
        return nullptr;
    });
}

std::vector<std::shared_ptr<Workbook>> CalcApp::workbooks() const {
    return guarded(*session_, "Workbooks", [&] {
        std::vector<std::shared_ptr<Workbook>> out;
        for (const auto& c : openComponents(*session_))
            if (supports(c, SpreadsheetService))
                out.push_back(
                    wrap(Reference<css::sheet::XSpreadsheetDocument>(c, UNO_QUERY_THROW)));
        return out;
    });
}

Selection CalcApp::selection() const {
    return guarded(*session_, "Selection", [&] {
        Selection out;
        auto wb = std::static_pointer_cast<CalcBook>(activeWorkbook());
        if (!wb || !wb->doc()->model->getCurrentController().is()) return out;
        Reference<css::view::XSelectionSupplier> supplier(wb->doc()->controller(), UNO_QUERY_THROW);
        Reference<css::uno::XInterface> selected(supplier->getSelection(), UNO_QUERY);
        if (!selected.is()) return out;
        if (supports(selected, "com.sun.star.sheet.SheetCellRange")) {
            const auto a = Reference<css::sheet::XCellRangeAddressable>(selected, UNO_QUERY_THROW)
                               ->getRangeAddress();
            out.kind = Selection::Kind::Range;
            out.range =
                Range(wb->sheetAt(a.Sheet),
                      {CellRect{a.StartRow + 1, a.StartColumn + 1, a.EndRow + 1, a.EndColumn + 1}});
            return out;
        }
        if (supports(selected, "com.sun.star.sheet.SheetCellRanges")) {
            const auto list =
                Reference<css::sheet::XSheetCellRangeContainer>(selected, UNO_QUERY_THROW)
                    ->getRangeAddresses();
            if (list.getLength() == 0) return out;
            std::vector<CellRect> areas;
            for (const auto& a : list)
                if (a.Sheet == list[0].Sheet)
                    areas.push_back(
                        CellRect{a.StartRow + 1, a.StartColumn + 1, a.EndRow + 1, a.EndColumn + 1});
            out.kind = Selection::Kind::Range;
            out.range = Range(wb->sheetAt(list[0].Sheet), areas);
            return out;
        }
        auto shape = firstShape(selected);
        if (!shape.is()) return out;
        auto sheet = std::static_pointer_cast<CalcSheet>(wb->activeSheet());
        for (const auto& co : sheet->chartObjects()) {
            // The chart objects of the sheet, matched by their shape's name.
            Reference<css::beans::XPropertySet> p(shape, UNO_QUERY);
            OUString persist;
            if (p.is() && p->getPropertySetInfo()->hasPropertyByName(ous("PersistName")))
                p->getPropertyValue(ous("PersistName")) >>= persist;
            Reference<css::container::XNamed> named(shape, UNO_QUERY);
            const QString own = named.is() ? qs(named->getName()) : QString();
            if (co->name() == own || co->name() == qs(persist)) {
                out.kind = Selection::Kind::ChartArea;
                out.chart = co->chart();
                out.chartName = co->name();
                return out;
            }
        }
        Reference<css::container::XNamed> named(shape, UNO_QUERY);
        out.kind = Selection::Kind::Shape;
        out.shapeName = named.is() ? qs(named->getName()) : QString();
        return out;
    });
}

// Screen updating off = the active workbook's controllers locked, so the view does not follow
// each change; on = the same workbook unlocked again.
void CalcApp::setScreenUpdating(bool on) {
    guarded(*session_, "ScreenUpdating", [&] {
        if (on) {
            if (locked_.is()) {
                auto model = locked_;
                locked_.clear();
                if (model->hasControllersLocked()) model->unlockControllers();
            }
            return;
        }
        if (locked_.is()) return;
        auto wb = std::static_pointer_cast<CalcBook>(activeWorkbook());
        if (!wb) return;
        wb->doc()->model->lockControllers();
        locked_ = wb->doc()->model;
    });
}

QString CalcApp::getOpenFilename(const QString& fileFilter, const QString& title) {
    return guarded(*session_, "GetOpenFilename", [&] {
        using namespace css::ui::dialogs;
        auto picker =
            FilePicker::createWithMode(session_->context(), TemplateDescription::FILEOPEN_SIMPLE);
        picker->setTitle(ous(title));
        // "Description,pattern,Description,pattern": pairs as the other office takes them.
        Reference<XFilterManager> filters(picker, UNO_QUERY);
        const QStringList parts = fileFilter.split(',');
        for (int i = 0; filters.is() && i + 1 < parts.size(); i += 2)
            filters->appendFilter(ous(parts[i].trimmed()), ous(parts[i + 1].trimmed()));
        if (picker->execute() != ExecutableDialogResults::OK) return QStringLiteral("False");
        const auto files = picker->getSelectedFiles();
        if (files.getLength() == 0) return QStringLiteral("False");
        const QUrl url(qs(files[0]));
        return url.isLocalFile() ? url.toLocalFile() : url.toString();
    });
}

std::shared_ptr<Workbook> CalcApp::openWorkbook(const QString& fileName) {
    return guarded(*session_, "Workbooks.Open", [&]() -> std::shared_ptr<Workbook> {
        Reference<css::frame::XComponentLoader> loader(session_->desktop(), UNO_QUERY_THROW);
        css::beans::PropertyValue silent;
        silent.Name = ous("Silent");
        silent.Value <<= true;
        auto component = loader->loadComponentFromURL(
            ous(QUrl::fromLocalFile(fileName).toString(QUrl::FullyEncoded)), ous("_default"), 0,
            Sequence<css::beans::PropertyValue>(&silent, 1));
        if (!component.is())
            fail(errors::Application,
                 QStringLiteral("LibreOffice could not open %1.").arg(fileName));
        Reference<css::sheet::XSpreadsheetDocument> doc(component, UNO_QUERY);
        if (!doc.is()) {
            Reference<css::util::XCloseable> closeable(component, UNO_QUERY);
            if (closeable.is()) closeable->close(true);
            fail(errors::Application, QStringLiteral("%1 is not a spreadsheet.").arg(fileName));
        }
        lastActive_ = doc;
        return wrap(doc);
    });
}

// Macros live in the Basic libraries of LibreOffice: "Library.Module.Macro", or a bare name
// looked up in the Corvane extension's library. A name written for the other office's add-in
// ("Book.xlam!Macro") means the macro of that name in the extension.
void CalcApp::run(const QString& macro) {
    guarded(*session_, "Run", [&] {
        const QString bare = macro.mid(macro.lastIndexOf('!') + 1);
        const QString path = !macro.contains('!') && macro.count('.') == 2
                                 ? macro
                                 : QStringLiteral("Corvane.Corvane.") + bare;
        Reference<css::script::provider::XScriptProviderFactory> factory(
            session_->context()->getValueByName(
                ous("/singletons/com.sun.star.script.provider.theMasterScriptProviderFactory")),
            UNO_QUERY_THROW);
        Reference<css::script::provider::XScriptProvider> provider(
            factory->createScriptProvider(Any(OUString())), UNO_QUERY_THROW);
        auto script = provider->getScript(
            ous(QStringLiteral("vnd.sun.star.script:%1?language=Basic&location=application")
                    .arg(path)));
        Sequence<sal_Int16> outIndex;
        Sequence<Any> outArgs;
        script->invoke({}, outIndex, outArgs);
    });
}

// ---- worksheet functions, evaluated by Calc

Any CalcApp::callFunction(const char* name, const Sequence<Any>& args) const {
    if (!functions_.is())
        functions_.set(session_->create("com.sun.star.sheet.FunctionAccess"), UNO_QUERY_THROW);
    return functions_->callFunction(ous(name), args);
}

QString CalcApp::rept(const QString& text, int times) const {
    return guarded(*session_, "WorksheetFunction.Rept", [&] {
        const Any args[] = {Any(ous(text)), Any(static_cast<double>(times))};
        OUString out;
        callFunction("REPT", Sequence<Any>(args, 2)) >>= out;
        return qs(out);
    });
}

QString CalcApp::substitute(const QString& text, const QString& oldText,
                            const QString& newText) const {
    return guarded(*session_, "WorksheetFunction.Substitute", [&] {
        const Any args[] = {Any(ous(text)), Any(ous(oldText)), Any(ous(newText))};
        OUString out;
        callFunction("SUBSTITUTE", Sequence<Any>(args, 3)) >>= out;
        return qs(out);
    });
}

QString CalcApp::trim(const QString& text) const {
    return guarded(*session_, "WorksheetFunction.Trim", [&] {
        const Any arg(ous(text));
        OUString out;
        callFunction("TRIM", Sequence<Any>(&arg, 1)) >>= out;
        return qs(out);
    });
}

double CalcApp::min(const std::vector<double>& values) const {
    return guarded(*session_, "WorksheetFunction.Min", [&] {
        const Sequence<double> row = sequence(values);
        const Any arg(Sequence<Sequence<double>>(&row, 1));
        double out = 0;
        callFunction("MIN", Sequence<Any>(&arg, 1)) >>= out;
        return out;
    });
}

double CalcApp::max(const std::vector<double>& values) const {
    return guarded(*session_, "WorksheetFunction.Max", [&] {
        const Sequence<double> row = sequence(values);
        const Any arg(Sequence<Sequence<double>>(&row, 1));
        double out = 0;
        callFunction("MAX", Sequence<Any>(&arg, 1)) >>= out;
        return out;
    });
}

}  // namespace office::libreoffice
