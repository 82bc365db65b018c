#include "WordDesktop.h"

#include <QCoreApplication>
#include <QEvent>
#include <stdexcept>

namespace wordtest {

QByteArray desktop(const QByteArray& word, const QByteArray& selection,
                   const QByteArray& activeSheet) {
    // On a chart sheet the selection is its chart.
    const QByteArray sel =
        !selection.isEmpty() ? selection
        : activeSheet == "Data"
            ? QByteArray(R"({"kind": "range", "address": "A1:B3"})")
            : QByteArray(R"({"kind": "chartArea", "chart": ")" + activeSheet + R"("})");
    const QByteArray wordPart = word.isEmpty()
                                    ? QByteArray(R"({"activeDocument": "R.docx", "documents": [
            {"name": "R.docx", "content": [{"paragraph": "Intro"}, {"paragraph": "Body"}],
             "selection": {"text": "", "paragraph": 0, "start": 2}}]})")
                                    : word;
    return R"({"excel": {"activeWorkbook": "B.xlsx", "workbooks": [{"name": "B.xlsx",
        "activeSheet": ")" +
           activeSheet + R"(", "selection": )" + sel + R"(,
        "sheets": [
          {"name": "Data", "cells": {"A1": "Region", "B1": "Sales", "A2": "North", "B2": 12.5,
                                     "A3": "South", "B3": 7},
           "charts": [{"name": "Wide", "topLeft": "D2", "bottomRight": "H10", "source": "A1:B3"},
                      {"name": "Tall", "topLeft": "J2", "bottomRight": "K30", "source": "A1:B3"}]},
          {"name": "Trend", "type": "chart", "chart": {"kind": "line", "source": "Data!A1:B3"}},
          {"name": "Hidden", "visible": 0,
           "charts": [{"name": "H", "topLeft": "A1", "bottomRight": "C5", "source": "A1:A2"}]}],
        "names": [{"name": "Totals", "refersTo": "=Data!$A$1:$B$3"}]}]},
      "word": )" +
           wordPart + "}";
}

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {
run::ListRow row(const QString& text, const QString& sheet, const QString& type, bool checked,
                 const QString& caption) {
    run::ListRow r;
    r.text = text;
    r.cells = QStringList{sheet, "", "1", caption, type, "1", text + sheet};
    r.checked = checked;
    return r;
}
}  // namespace

run::ListRow chartRow(const QString& name, const QString& sheet, bool checked,
                      const QString& caption) {
    return row(name, sheet, "Embedded", checked, caption);
}
run::ListRow chartSheetRow(const QString& sheet, bool checked, const QString& caption) {
    return row("{Chart Sheet}", sheet, "Chart", checked, caption);
}
run::ListRow rangeRow(const QString& name, const QString& sheet, bool checked,
                      const QString& caption) {
    return row(name, sheet, "Range", checked, caption);
}

Fixture::Fixture(const QByteArray& json)
    : t(test::hostFromJson(json)), memory(&dynamic_cast<Office&>(*t.host)) {
    startup::attachOffice(*t.host, t.state.office);
}

Fixture::Fixture(std::unique_ptr<office::Host> host, Office& memory)
    : t(std::move(host)), memory(&memory) {
    startup::attachOffice(*t.host, t.state.office);
}

word::WordRun Fixture::wordRun() {
    return word::WordRun{t.services, t.state, form};
}

Office& Fixture::office() {
    return *memory;
}

DocumentImpl& Fixture::document() {
    auto d = office().word().activeDocumentImpl();
    if (!d) throw std::logic_error("no active document");
    return *d;
}

QStringList Fixture::blocks() {
    QStringList out;
    for (const auto& b : document().content) {
        switch (b.kind) {
            case Block::Kind::Paragraph:
                out << QStringLiteral("P") + (b.pageBreakBefore ? "*" : "") +
                           (b.text.isEmpty() ? QString() : "'" + b.text + "'");
                break;
            case Block::Kind::InlineShape:
                out << "I:" + b.shape.kind;
                break;
            case Block::Kind::FloatingShape:
                out << "F:" + b.shape.kind;
                break;
            case Block::Kind::Table:
                out << "T";
                break;
            case Block::Kind::Caption:
                out << QStringLiteral("C:%1 %2").arg(b.captionLabel).arg(b.captionNumber);
                break;
        }
    }
    return out;
}

const Block& Fixture::last(Block::Kind kind) {
    const auto& c = document().content;
    for (auto it = c.rbegin(); it != c.rend(); ++it)
        if (it->kind == kind) return *it;
    throw std::logic_error("no such block");
}

}  // namespace wordtest
