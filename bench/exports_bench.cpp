// Time per item of exporting 100 checked charts to PNG files, to one PDF and to a web page on
// the built-in office, beside the time of encoding the same 100 pictures as PNG alone. The
// ratio of an export's per-item time to the encoding's is the figure: the built-in office's
// copies are finished when they return, so its pacer does not wait, and what is left is the
// export's own work. Run it as  build/bench/exports_bench  (no display needed).

#include "BenchSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include "images/ExportRun.h"
#include "images/PasteToImagesFiles.h"
#include "imaging/Image.h"
#include "office/memory/Office.h"
#include "pdf/PdfExport.h"
#include "platform/Instance.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "startup/Dispatch.h"
#include "support/ListRows.h"
#include "web/PHTML.h"

namespace {

constexpr int Items = 100;

QByteArray desktop() {
    QByteArray charts;
    for (int i = 0; i < Items; ++i) {
        if (i) charts += ',';
        charts += QStringLiteral(R"({"name":"C%1","topLeft":"D1","bottomRight":"H12",)"
                                 R"("kind":"column","title":"Chart %1","source":"A1:C6"})")
                      .arg(i)
                      .toUtf8();
    }
    return R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx","activeSheet":"S",
        "sheets":[{"name":"S","type":"worksheet","cells":{"A1":"M","B1":"X","C1":"Y",
        "A2":"a","B2":1,"C2":2,"A3":"b","B3":3,"C3":1,"A4":"c","B4":2,"C4":5,"A5":"d","B5":4,
        "C5":3,"A6":"e","B6":6,"C6":2},"charts":[)" +
           charts + "]}]}]}}";
}

test::ListRows checkedCharts() {
    test::ListRows list;
    for (int i = 0; i < Items; ++i) {
        const QString name = QStringLiteral("C%1").arg(i);
        list.rows.push_back({name, {"S", {}, {}, "Caption", "Embedded", {}, name + "S"}, true});
    }
    return list;
}

struct Export {
    Export()
        : host(office::memory::Office::fromJson(desktop(), QStringLiteral("bench"))),
          instance(QDir::tempPath()),
          services{*host, prompt, shell, instance, platform::OutputFolders{output.path()}} {
        startup::attachOffice(*host, state.office);
        state.exportCount = Items;
    }
    images::ExportRun exportRun() { return {services, state, rows, nullptr, {}}; }

    QTemporaryDir output;
    std::unique_ptr<office::memory::Office> host;
    platform::RecordingPrompt prompt;
    platform::RecordingShell shell;
    platform::InstanceLock instance;
    run::Services services;
    run::RunState state;
    test::ListRows rows = checkedCharts();
};

template <typename F>
void measure(benchmark::State& state, F&& exportAll) {
    for (auto _ : state) {
        state.PauseTiming();
        auto run = std::make_unique<Export>();
        state.ResumeTiming();
        exportAll(*run);
        state.PauseTiming();
        if (!run->prompt.messages().empty()) state.SkipWithError("the export reported a problem");
        run.reset();
        state.ResumeTiming();
    }
    bench::perItem(state, Items);
}

// The same pictures, copied and taken from the clipboard beforehand, only encoded.
void BM_EncodePngOnly(benchmark::State& state) {
    Export run;
    std::vector<imaging::Image> pictures;
    for (int i = 0; i < Items; ++i) {
        images::copyItem(run.state, run.rows.row(i));
        pictures.push_back(imaging::Image::fromClipboard(run.host->clipboard()));
    }
    const QDir folder(run.output.path());
    for (auto _ : state)
        for (int i = 0; i < Items; ++i)
            if (!pictures[static_cast<size_t>(i)].save(
                    folder.filePath(QStringLiteral("%1.png").arg(i)), imaging::Format::Png))
                state.SkipWithError("a picture could not be saved");
    bench::perItem(state, Items);
}

void BM_ExportToPngFiles(benchmark::State& state) {
    measure(state, [](Export& run) {
        auto r = run.exportRun();
        images::ExportCheckedItemsToImageFiles(r, {imaging::Format::Png, true, false});
    });
}

void BM_ExportToPdf(benchmark::State& state) {
    measure(state, [](Export& run) {
        auto r = run.exportRun();
        run::PdfExportSettings s;
        s.open = false;
        pdf::YesPaste6PDF(r, s);
    });
}

void BM_ExportToWebPage(benchmark::State& state) {
    measure(state, [](Export& run) {
        auto r = run.exportRun();
        web::BuildWebPage(r, {});
    });
}

BENCHMARK(BM_EncodePngOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportToPngFiles)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportToWebPage)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return bench::runWithWindows(argc, argv);
}
