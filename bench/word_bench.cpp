// Time per item of a batch export to the text document, pictures with every option on, at 50,
// 500 and 2000 items, and of a table paste of a large range. Run it as build/bench/word_bench;
// the per-item figures should stay nearly flat as the document grows.

#include "BenchSupport.h"

#include <QDir>

#include "office/memory/Office.h"
#include "platform/Instance.h"
#include "platform/Prompt.h"
#include "platform/Shell.h"
#include "startup/Dispatch.h"
#include "support/ListRows.h"
#include "word/PWordNewFile.h"
#include "word/PasteSelectionToWord.h"

namespace {

class Form : public word::MainForm {
  public:
    run::ItemList& list() override { return rows; }
    void minimise() override {}
    void restore() override {}
    void close() override {}
    test::ListRows rows;
};

QByteArray desktop(int charts, int rangeRows) {
    QByteArray list, cells;
    for (int i = 0; i < charts; ++i) {
        if (i) list += ',';
        list +=
            QStringLiteral(R"({"name":"C%1","topLeft":"A1","bottomRight":"F12"})").arg(i).toUtf8();
    }
    for (int r = 1; r <= rangeRows; ++r)
        for (char c = 'A'; c <= 'H'; ++c)
            cells += QStringLiteral(R"("%1%2":%3,)").arg(QChar(c)).arg(r).arg(r * 10 + c).toUtf8();
    cells.chop(1);
    return R"({"excel":{"activeWorkbook":"B.xlsx","workbooks":[{"name":"B.xlsx","activeSheet":"S",
        "selection":{"kind":"range","address":"A1:H)" +
           QByteArray::number(std::max(rangeRows, 1)) + R"("},
        "sheets":[{"name":"S","cells":{)" +
           cells + R"(},"charts":[)" + list + R"(]}]}]},
      "word":{"activeDocument":"R.docx","documents":[{"name":"R.docx"}]}})";
}

struct Run {
    explicit Run(const QByteArray& json)
        : host(office::memory::Office::fromJson(json, "bench")),
          instance(QDir::tempPath()),
          services{*host, prompt, shell, instance, platform::OutputFolders{QDir::tempPath()}} {
        startup::attachOffice(*host, state.office);
    }
    std::unique_ptr<office::memory::Office> host;
    platform::RecordingPrompt prompt;
    platform::RecordingShell shell;
    platform::InstanceLock instance;
    run::Services services;
    run::RunState state;
};

void BatchPictures(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const QByteArray json = desktop(n, 0);
    for (auto _ : state) {
        state.PauseTiming();
        Run r(json);
        auto form = std::make_shared<Form>();
        for (int i = 0; i < n; ++i) {
            run::ListRow row;
            row.text = QStringLiteral("C%1").arg(i);
            row.cells = {"S", "", "1", QStringLiteral("Caption %1").arg(i % 7), "Embedded", "", ""};
            row.checked = true;
            form->rows.rows.push_back(row);
        }
        r.state.word = r.host->attachWord();
        r.state.wordSameWidth = r.state.wordCaption = r.state.wordShadow = 1;
        word::WordRun run{r.services, r.state, form};
        state.ResumeTiming();
        word::ExportPicturesToWord(run);
        benchmark::DoNotOptimize(r.host->word().activeDocumentImpl()->content.size());
    }
    bench::perItem(state, n);
}
BENCHMARK(BatchPictures)
    ->Arg(50)
    ->Arg(500)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void TableOfRange(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const QByteArray json = desktop(0, rows);
    for (auto _ : state) {
        state.PauseTiming();
        Run r(json);
        state.ResumeTiming();
        word::PasteSelectionTable(r.services, r.state);
        benchmark::DoNotOptimize(r.host->word().activeDocumentImpl()->content.size());
    }
    bench::perItem(state, rows);
}
BENCHMARK(TableOfRange)->Arg(100)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::runWithWindows(argc, argv);
}
