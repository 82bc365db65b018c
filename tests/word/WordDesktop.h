#pragma once

// A small desktop for the Word export's tests, a stand-in main form, and the document read back
// as one short token per block.

#include <QStringList>
#include <memory>
#include <vector>

#include "office/memory/Office.h"
#include "startup/Dispatch.h"
#include "support/ListRows.h"
#include "support/TestRun.h"
#include "word/PWordNewFile.h"

namespace wordtest {

using office::memory::Block;
using office::memory::DocumentImpl;
using office::memory::Office;

// Sheet "Data": cells A1:B3, a wide chart "Wide" (320 x 180 pixels) and a tall one "Tall"
// (128 x 580); chart sheet "Trend" (480 x 300); hidden sheet "Hidden" with a chart "H";
// name "Totals" = Data!A1:B3. Document "R.docx": "Intro", "Body", the insertion point in
// "Intro". `word` replaces the word processor's part; `selection` the workbook's.
QByteArray desktop(const QByteArray& word = {}, const QByteArray& selection = {},
                   const QByteArray& activeSheet = "Data");

// Windows closed with delete-on-close go now, as the event loop would take them.
void flushDeletes();

class FakeForm : public word::MainForm {
  public:
    run::ItemList& list() override { return items; }
    void minimise() override { events << "minimise"; }
    void restore() override { events << "restore"; }
    void close() override { events << "close"; }
    test::ListRows items;
    QStringList events;
};

// Rows as the main form holds them.
run::ListRow chartRow(const QString& name, const QString& sheet, bool checked = true,
                      const QString& caption = {});
run::ListRow chartSheetRow(const QString& sheet, bool checked = true, const QString& caption = {});
run::ListRow rangeRow(const QString& name, const QString& sheet, bool checked = true,
                      const QString& caption = {});

// One run on the desktop, attached as start-up attaches.
struct Fixture {
    explicit Fixture(const QByteArray& json);
    // On another host over a built-in office.
    Fixture(std::unique_ptr<office::Host> host, Office& memory);
    word::WordRun wordRun();
    Office& office();
    DocumentImpl& document();  // the active one
    // "P", "P*" (page break before), "P'text'", "I:kind", "F:kind", "T", "C:label n".
    QStringList blocks();
    const Block& last(Block::Kind kind);

    test::TestRun t;
    Office* memory;
    std::shared_ptr<FakeForm> form = std::make_shared<FakeForm>();
};

}  // namespace wordtest
