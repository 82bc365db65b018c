// On a headless LibreOffice of its own: the time per chart for the program's copy of a chart
// and its read of the picture from the clipboard (the preview's path, and the first step of
// every export), beside the time the same copy and picture take over plain UNO calls with
// nothing of the adapter around them; the ratio of the two is the adapter's cost. Beside them,
// the time per chart of the whole image-file export of the 20 charts (copy, picture, PNG file).
// Run it as  build/bench/libreoffice_bench

#include <QTemporaryDir>

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "BenchSupport.h"
#include "images/PasteToImagesFiles.h"
#include "libreoffice/Soffice.h"
#include "office/libreoffice/LibreOffice.h"
#include "platform/Instance.h"
#include "platform/Shell.h"
#include "startup/Dispatch.h"
#include "support/ListRows.h"

namespace {

namespace lo = office::libreoffice;
namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

constexpr int Charts = 20;

struct Office {
    std::unique_ptr<test::Soffice> soffice;
    std::unique_ptr<office::Host> host;
    std::shared_ptr<office::Excel> excel;

    static Office& get() {
        static Office o = [] {
            Office o;
            QString why;
            o.soffice = test::Soffice::start(&why);
            if (!o.soffice) return o;
            test::newChartWorkbook(*o.soffice->session(), Charts);
            o.host = lo::makeHost(o.soffice->pipe());
            o.excel = o.host->attachExcel();
            return o;
        }();
        return o;
    }
};

void BM_AdapterCopyAndPicture(benchmark::State& state) {
    auto& o = Office::get();
    if (!o.excel) return state.SkipWithError("LibreOffice is not installed or did not start");
    const auto charts = o.excel->activeSheet()->chartObjects();
    for (auto _ : state) {
        for (const auto& co : charts) {
            co->chart()->copy();
            auto picture = o.host->clipboard().picture(office::Clipboard::Format::Any);
            benchmark::DoNotOptimize(picture);
        }
    }
    bench::perItem(state, static_cast<int>(charts.size()));
}

void BM_PlainUnoCopyAndPicture(benchmark::State& state) {
    auto& o = Office::get();
    if (!o.excel) return state.SkipWithError("LibreOffice is not installed or did not start");
    auto session = o.soffice->session();
    Reference<css::frame::XModel> model(session->desktop()->getCurrentComponent(), UNO_QUERY_THROW);
    auto controller = model->getCurrentController();
    Reference<css::view::XSelectionSupplier> selection(controller, UNO_QUERY_THROW);
    Reference<css::frame::XDispatchProvider> frame(controller->getFrame(), UNO_QUERY_THROW);
    auto dispatcher = css::frame::DispatchHelper::create(session->context());
    Reference<css::sheet::XSpreadsheetView> view(controller, UNO_QUERY_THROW);
    Reference<css::drawing::XDrawPageSupplier> page(view->getActiveSheet(), UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> shapes(page->getDrawPage(), UNO_QUERY_THROW);
    std::vector<Reference<css::drawing::XShape>> charts;
    for (int i = 0; i < shapes->getCount(); ++i)
        charts.emplace_back(shapes->getByIndex(i), UNO_QUERY_THROW);
    auto clipboard = session->clipboard();
    for (auto _ : state) {
        for (const auto& shape : charts) {
            selection->select(css::uno::Any(shape));
            dispatcher->executeDispatch(frame, lo::ous(".uno:Copy"), {}, 0, {});
            auto contents = clipboard->getContents();
            for (const auto& f : contents->getTransferDataFlavors())
                if (f.MimeType.startsWith("image/png")) {
                    benchmark::DoNotOptimize(contents->getTransferData(f));
                    break;
                }
        }
    }
    bench::perItem(state, static_cast<int>(charts.size()));
}

// The main form's list as the export reads it.
void BM_ImageFileExport(benchmark::State& state) {
    auto& o = Office::get();
    if (!o.excel) return state.SkipWithError("LibreOffice is not installed or did not start");
    QTemporaryDir root, lock;
    platform::RecordingPrompt prompt;
    platform::RecordingShell shell;
    platform::InstanceLock instance(lock.path());
    run::Services services{*o.host, prompt, shell, instance, platform::OutputFolders{root.path()}};
    run::RunState runState;
    startup::attachOffice(*o.host, runState.office);
    test::ListRows list;
    const QString sheet = o.excel->activeSheet()->name();
    for (const auto& co : o.excel->activeSheet()->chartObjects())
        list.rows.push_back(
            {co->name(), {sheet, {}, {}, {}, QStringLiteral("Embedded"), {}, co->name()}, true});
    for (auto _ : state) {
        images::ExportRun run{services, runState, list, nullptr, {}};
        images::ExportCheckedItemsToImageFiles(run, {imaging::Format::Png, true, false});
    }
    if (!prompt.texts().isEmpty())
        state.SkipWithError(prompt.texts().join('|').toStdString().c_str());
    bench::perItem(state, static_cast<int>(list.rows.size()));
}

BENCHMARK(BM_PlainUnoCopyAndPicture)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_AdapterCopyAndPicture)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ImageFileExport)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return bench::runWithWindows(argc, argv, [] { Office::get().soffice.reset(); });
}
