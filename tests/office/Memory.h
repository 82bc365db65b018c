#pragma once

// Small desktops for the built-in office's own tests.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <memory>
#include <string>

#include "office/Error.h"
#include "office/memory/Office.h"

namespace officetest {

using office::memory::Office;

inline std::unique_ptr<Office> desktop(const QByteArray& json) {
    return Office::fromJson(json, "t.json");
}

// One workbook "B.xlsx" whose sheets and names are given as JSON list bodies.
inline QByteArray book(const QByteArray& sheets, const QByteArray& names = {},
                       const QByteArray& extra = {}) {
    return R"({"excel": {"activeWorkbook": "B.xlsx", "workbooks": [{"name": "B.xlsx", "sheets": [)" +
           sheets + R"(], "names": [)" + names + "]" + extra + "}]}}";
}

inline std::unique_ptr<Office> workbook(const QByteArray& sheets, const QByteArray& names = {},
                                        const QByteArray& extra = {}) {
    return desktop(book(sheets, names, extra));
}

inline std::shared_ptr<office::memory::WorkbookImpl> active(Office& o) {
    return o.excel().activeWorkbookImpl();
}

inline std::shared_ptr<office::memory::SheetImpl> sheet(Office& o, const QString& name) {
    return active(o)->findSheet(name);
}

// The message a desktop is refused with, or "(loaded)".
inline std::string loadError(const QByteArray& json) {
    try {
        desktop(json);
    } catch (const office::memory::DesktopError& e) {
        return e.what();
    }
    return "(loaded)";
}

// The number of the office error `f` throws, or 0.
template <class F>
int errorOf(F&& f) {
    try {
        f();
    } catch (const office::Error& e) {
        return e.number();
    }
    return 0;
}

inline QString text(const office::Value& v) {
    return office::toText(v);
}

}  // namespace officetest
