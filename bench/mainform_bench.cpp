// Time per item from the main form's load to a filled, sorted list, and of a header click that
// sorts it again, at 300, 3000 and 32767 items. Run it as  build/bench/mainform_bench
// (no display needed); the per-item figures should stay nearly flat.

#include "BenchSupport.h"

#include <QDir>

#include "mainform/Exports.h"
#include "mainform/ListCharts.h"
#include "mainform/UserformObj.h"
#include "office/memory/Office.h"
#include "platform/Instance.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "startup/Dispatch.h"

namespace {

// N chart objects, stored before in reverse order, so the load's sort has work to do.
QByteArray storedDesktop(int n) {
    QByteArray charts, cells;
    for (int i = 0; i < n; ++i) {
        if (i) charts += ',';
        charts +=
            QStringLiteral(R"({"name":"C%1","topLeft":"A1","bottomRight":"B2"})").arg(i).toUtf8();
        const int row = i + 1;
        cells +=
            QStringLiteral(
                R"("A%1":"C%2","B%1":"S","D%1":1,"E%1":true,"F%1":"Embedded","G%1":%3,"H%1":"C%2S",)")
                .arg(row)
                .arg(i)
                .arg(n - i)
                .toUtf8();
    }
    cells.chop(1);
    return R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx","activeSheet":"S","sheets":[
        {"name":"S","type":"worksheet","charts":[)" +
           charts + R"(]},{"name":"kukukukuVovezuv","type":"worksheet","visible":2,"cells":{)" +
           cells + "}}]}]}}";
}

struct Loaded {
    explicit Loaded(const QByteArray& json)
        : host(office::memory::Office::fromJson(json, QStringLiteral("bench"))),
          instance(QDir::tempPath()),
          services{*host, prompt, shell, instance, platform::OutputFolders{QDir::tempPath()}},
          exports(prompt) {
        startup::attachOffice(*host, state.office);
        state.office.itemCount = inventory::CountItems(*state.office.excel, *state.office.workbook);
    }
    std::unique_ptr<office::memory::Office> host;
    platform::RecordingPrompt prompt;
    platform::RecordingShell shell;
    platform::InstanceLock instance;
    run::Services services;
    run::RunState state;
    mainform::MissingExports exports;
    bench::NoProgress progress;
};

void BM_LoadToSortedList(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const QByteArray json = storedDesktop(n);
    for (auto _ : state) {
        state.PauseTiming();
        Loaded run(json);
        auto form = std::make_unique<mainform::UserformObj>(run.services, run.state, run.exports,
                                                            run.progress, std::function<void()>{});
        state.ResumeTiming();
        form->Form_Load();
        benchmark::DoNotOptimize(form->list()->rowCount());
        state.PauseTiming();
        if (form->list()->rowCount() != n) state.SkipWithError("the list was not filled");
        form.reset();
        state.ResumeTiming();
    }
    bench::perItem(state, n);
}

void BM_HeaderClickSort(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Loaded run(storedDesktop(n));
    mainform::UserformObj form(run.services, run.state, run.exports, run.progress, {});
    form.Form_Load();
    int column = mainform::column::Name;
    for (auto _ : state) {
        form.listCharts_ColumnClick(column);
        column =
            column == mainform::column::Name ? mainform::column::Order : mainform::column::Name;
    }
    bench::perItem(state, n);
}

BENCHMARK(BM_LoadToSortedList)
    ->Arg(300)
    ->Arg(3000)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_HeaderClickSort)->Arg(300)->Arg(3000)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::runWithWindows(argc, argv);
}
