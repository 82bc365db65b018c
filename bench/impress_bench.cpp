// On a headless LibreOffice of its own: the time per chart of the program's batch export of 20
// charts onto new slides of Impress, beside the time LibreOffice's own copy and paste takes for
// the same charts in the same run (a new slide, the copy in Calc, the paste in Impress, with
// nothing of the program around them). The difference is what the program adds per item.
// Run it as  build/bench/impress_bench

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "BenchSupport.h"
#include "libreoffice/Soffice.h"
#include "office/libreoffice/LibreOffice.h"
#include "powerpoint/BatchExport.h"
#include "startup/Dispatch.h"
#include "support/ListRows.h"
#include "support/TestRun.h"

namespace {

namespace lo = office::libreoffice;
namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

constexpr int Charts = 20;

struct Office {
    std::unique_ptr<test::Soffice> soffice;
    Reference<css::frame::XModel> book, deck;
    std::unique_ptr<test::TestRun> run;
    test::ListRows rows;

    static Office& get() {
        static Office o = [] {
            Office o;
            QString why;
            o.soffice = test::Soffice::start(&why);
            if (!o.soffice) return o;
            auto session = o.soffice->session();
            test::newChartWorkbook(*session, Charts);
            o.book.set(session->desktop()->getCurrentComponent(), UNO_QUERY_THROW);
            Reference<css::frame::XComponentLoader> loader(session->desktop(), UNO_QUERY_THROW);
            o.deck.set(loader->loadComponentFromURL(lo::ous("private:factory/simpress"),
                                                    lo::ous("_blank"), 0, {}),
                       UNO_QUERY_THROW);
            o.run = std::make_unique<test::TestRun>(lo::makeHost(o.soffice->pipe()));
            startup::attachOffice(*o.run->host, o.run->state.office);
            auto sheet = o.run->state.office.workbook->activeSheet();
            for (const auto& co : sheet->chartObjects())
                o.rows.rows.push_back({co->name(),
                                       {sheet->name(), "", "1", co->name(),
                                        QStringLiteral("Embedded"), "1", co->name()},
                                       true});
            return o;
        }();
        return o;
    }
    bool ready() const { return run && run->state.office.presentation && !rows.rows.empty(); }
};

void BM_ProgramBatchToNewSlides(benchmark::State& state) {
    auto& o = Office::get();
    if (!o.ready()) return state.SkipWithError("LibreOffice is not installed or did not start");
    powerpoint::MainFormLink form;
    form.list = &o.rows;
    auto& s = o.run->state;
    s.exportCount = static_cast<int>(o.rows.rows.size());
    s.pasteFormat = 0;
    for (auto _ : state)
        if (!powerpoint::ExportCheckedItemsToSlides(o.run->services, s, form, {}, nullptr))
            return state.SkipWithError("the export stopped");
    bench::perItem(state, static_cast<int>(o.rows.rows.size()));
}

void BM_LibreOfficeCopyAndPaste(benchmark::State& state) {
    auto& o = Office::get();
    if (!o.ready()) return state.SkipWithError("LibreOffice is not installed or did not start");
    auto session = o.soffice->session();
    auto dispatcher = css::frame::DispatchHelper::create(session->context());
    auto calc = o.book->getCurrentController();
    Reference<css::view::XSelectionSupplier> selection(calc, UNO_QUERY_THROW);
    Reference<css::frame::XDispatchProvider> calcFrame(calc->getFrame(), UNO_QUERY_THROW);
    Reference<css::sheet::XSpreadsheetView> view(calc, UNO_QUERY_THROW);
    Reference<css::drawing::XDrawPageSupplier> page(view->getActiveSheet(), UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> shapes(page->getDrawPage(), UNO_QUERY_THROW);
    std::vector<Reference<css::drawing::XShape>> charts;
    for (int i = 0; i < shapes->getCount(); ++i)
        charts.emplace_back(shapes->getByIndex(i), UNO_QUERY_THROW);
    auto impress = o.deck->getCurrentController();
    Reference<css::drawing::XDrawView> slides(impress, UNO_QUERY_THROW);
    Reference<css::drawing::XDrawPagesSupplier> deck(o.deck, UNO_QUERY_THROW);
    auto pages = deck->getDrawPages();
    Reference<css::frame::XDispatchProvider> impressFrame(impress->getFrame(), UNO_QUERY_THROW);
    for (auto _ : state) {
        for (const auto& shape : charts) {
            selection->select(css::uno::Any(shape));
            dispatcher->executeDispatch(calcFrame, lo::ous(".uno:Copy"), {}, 0, {});
            slides->setCurrentPage(pages->insertNewByIndex(pages->getCount() - 1));
            impress->getFrame()->activate();
            dispatcher->executeDispatch(impressFrame, lo::ous(".uno:Paste"), {}, 0, {});
        }
    }
    bench::perItem(state, static_cast<int>(charts.size()));
}

BENCHMARK(BM_LibreOfficeCopyAndPaste)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ProgramBatchToNewSlides)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return bench::runWithWindows(argc, argv, [] {
        Office::get().run.reset();
        Office::get().soffice.reset();
    });
}
