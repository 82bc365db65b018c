#pragma once

// A file export on a small built-in desktop: a list of rows as the main form would hand it,
// and the seams recorded.

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <functional>
#include <vector>

#include "images/DialogImageFiles.h"
#include "images/ExportRun.h"
#include "platform/Choosers.h"
#include "startup/Dispatch.h"
#include "support/ListRows.h"
#include "support/TestRun.h"

namespace test {

// Data holds the cells, "Chart 1" (D2:H12, 5 x 11 cells) and "Chart 2" (D14:F18, 3 x 5 cells);
// Sales is a chart sheet; Hidden is a hidden sheet with a chart; Totals names Data!A1:B3.
inline const QByteArray ExportDesktop = R"({
  "excel": {
    "activeWorkbook": "Book1.xlsx",
    "workbooks": [ {
      "name": "Book1.xlsx", "fullName": "/home/ana/Book1.xlsx", "activeSheet": "Data",
      "selection": { "kind": "range", "address": "A1:B3" },
      "sheets": [
        { "name": "Data", "type": "worksheet",
          "cells": { "A1": "Month", "B1": "Sales", "A2": "Jan", "B2": 10, "A3": "Feb", "B3": 12 },
          "charts": [
            { "name": "Chart 1", "topLeft": "D2", "bottomRight": "H12", "kind": "column",
              "title": "Sales", "source": "A1:B3" },
            { "name": "Chart 2", "topLeft": "D14", "bottomRight": "F18", "kind": "line",
              "title": "Trend", "source": "A1:B3" } ] },
        { "name": "Sales", "type": "chart",
          "chart": { "kind": "pie", "title": "Share", "source": "Data!A1:B3" } },
        { "name": "Hidden", "type": "worksheet", "visible": 0,
          "charts": [ { "name": "Chart 9", "topLeft": "A1", "bottomRight": "C5",
                        "source": "Data!A1:B3" } ] }
      ],
      "names": [ { "name": "Totals", "refersTo": "=Data!$A$1:$B$3" } ]
    } ]
  }
})";

// The pixel sizes of the pictures the exports write: vector pictures are drawn at twice
// the screen's resolution.
inline constexpr QSize Chart1Pixels{5 * 64 * 2, 11 * 20 * 2};
inline constexpr QSize Chart2Pixels{3 * 64 * 2, 5 * 20 * 2};

inline run::ListRow chartRow(const QString& name, const QString& sheet, bool checked = true,
                             const QString& caption = {}) {
    return {name, {sheet, {}, {}, caption, QStringLiteral("Embedded"), {}, name + sheet}, checked};
}
inline run::ListRow chartSheetRow(const QString& sheet, bool checked = true,
                                  const QString& caption = {}) {
    return {QStringLiteral("{Chart Sheet}"),
            {sheet, {}, {}, caption, QStringLiteral("Chart"), {}, "{Chart Sheet}" + sheet},
            checked};
}
inline run::ListRow rangeRow(const QString& name, const QString& sheet, bool checked = true,
                             const QString& caption = {}) {
    return {name, {sheet, {}, {}, caption, QStringLiteral("Range"), {}, name + sheet}, checked};
}

struct ExportFixture {
    explicit ExportFixture(const QByteArray& json = ExportDesktop) : t(hostFromJson(json)) {
        startup::attachOffice(*t.host, t.state.office);
    }
    images::ExportRun exportRun() {
        return {t.services, t.state, list, nullptr, [this] { ++formClosed; }};
    }
    QString root() const { return t.outputRoot.path(); }
    // The files of a folder, by name.
    static QStringList files(const QString& folder) {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    TestRun t;
    ListRows list;
    int formClosed = 0;
};

// An export dialog, loaded and shown, on a fixture whose list holds `rows` and `exportCount`
// of them counted as checked.
template <typename D>
struct OpenDialog {
    using Make = std::function<D*(ExportFixture&, platform::Chooser&, images::ExportTarget)>;
    OpenDialog(int exportCount, std::vector<run::ListRow> rows, const Make& make) {
        f.t.state.exportCount = exportCount;
        f.list.rows = std::move(rows);
        dialog = make(f, chooser, {f.list, [this] { ++f.formClosed; }});
        dialog->Form_Load();
        dialog->show();
    }
    ~OpenDialog() { delete dialog.data(); }
    template <typename T>
    T* child(const char* name) {
        return dialog->template findChild<T*>(name);
    }
    QString label() { return child<QLabel>("Label1")->text(); }

    ExportFixture f;
    platform::RecordingChooser chooser;
    QPointer<D> dialog;
};

}  // namespace test
