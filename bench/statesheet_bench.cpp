// Time per item of a batch-mode open on a workbook that was opened before: the state sheet is
// merged with the items (new ones marked and appended, stale rows purged). Run it as
//   build/bench/statesheet_bench
// and compare the per-item times at 300, 3000 and 32767 items: they should stay flat.

#include "BenchSupport.h"

#include <QCoreApplication>

#include "office/memory/Office.h"
#include "startup/Dispatch.h"
#include "statesheet/StateSheet.h"

namespace {

// N chart objects; the state sheet holds N rows of which every tenth belongs to a chart that
// is gone, and every tenth chart is new since.
QByteArray secondRunDesktop(int n) {
    QByteArray charts, cells;
    int row = 0;
    for (int i = 0; i < n; ++i) {
        if (i) charts += ',';
        charts +=
            QStringLiteral(R"({"name":"C%1","topLeft":"A1","bottomRight":"B2"})").arg(i).toUtf8();
        if (i % 10 == 9) continue;  // new: not stored yet
        ++row;
        const QString key =
            i % 10 == 4 ? QStringLiteral("Gone%1S").arg(i) : QStringLiteral("C%1S").arg(i);
        cells +=
            QStringLiteral(
                R"("A%1":"C%2","B%1":"S","D%1":1,"E%1":true,"F%1":"Embedded","G%1":%1,"H%1":"%3",)")
                .arg(row)
                .arg(i)
                .arg(key)
                .toUtf8();
    }
    cells += R"("J2":"kept")";
    return R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx","activeSheet":"S","sheets":[
        {"name":"S","type":"worksheet","charts":[)" +
           charts + R"(]},{"name":"kukukukuVovezuv","type":"worksheet","visible":2,"cells":{)" +
           cells + "}}]}]}}";
}

class NoList : public statesheet::ListSink {
  public:
    void addRow(const statesheet::StoredRow& row) override { checked += row.checked ? 1 : 0; }
    int checkedCount() const override { return checked; }
    void setSelectAll(int) override {}
    void showPreview() override {}
    int checked = 0;
};

void BM_OpenKnownWorkbook(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const QByteArray json = secondRunDesktop(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto host = office::memory::Office::fromJson(json, QStringLiteral("bench"));
        office::OfficeContext ctx;
        startup::attachOffice(*host, ctx);
        ctx.itemCount = inventory::CountItems(*ctx.excel, *ctx.workbook);
        inventory::ItemTable items;
        statesheet::Flags flags;
        bench::NoProgress progress;
        NoList list;
        statesheet::Session session{ctx, items, flags, progress};
        state.ResumeTiming();
        statesheet::FillListFromStateSheet(session, list);
        benchmark::DoNotOptimize(list.checked);
    }
    bench::perItem(state, n);
}

BENCHMARK(BM_OpenKnownWorkbook)->Arg(300)->Arg(3000)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
