#pragma once

// Desktops with a presentation for the PowerPoint export's tests: the fixture "slides.json",
// changed by each test where it matters, and the built-in office's model to read the result.

#include <QJsonObject>
#include <functional>
#include <memory>

#include "office/memory/Office.h"
#include "startup/Dispatch.h"
#include "support/TestRun.h"

namespace test {

// "slides.json" with `change` applied to its JSON.
std::unique_ptr<office::Host> slidesDesktop(const std::function<void(QJsonObject&)>& change = {});

// A run on a slides desktop, attached as start-up attaches.
struct SlidesRun : TestRun {
    explicit SlidesRun(const std::function<void(QJsonObject&)>& change = {})
        : TestRun(slidesDesktop(change)) {
        startup::attachOffice(*host, state.office);
    }
    office::memory::Office& office() { return dynamic_cast<office::memory::Office&>(*host); }
    office::memory::PowerPointApp& powerPoint() { return office().powerPoint(); }
    office::memory::PresentationImpl& deck(const QString& name = QStringLiteral("Deck.pptx")) {
        return *powerPoint().find(name);
    }
    office::memory::Slide& slide(int index, const QString& name = QStringLiteral("Deck.pptx")) {
        return *deck(name).slides.at(index - 1);
    }
    office::memory::ExcelApp& excel() { return office().excel(); }
    office::memory::WorkbookImpl& workbook() { return *excel().activeWorkbookImpl(); }
    long long waited() {
        return dynamic_cast<platform::ImmediatePacer&>(host->pacer()).requestedMilliseconds();
    }
};

// JSON edits.
QJsonObject firstWorkbook(const QJsonObject& root);
void removeSheet(QJsonObject& root, const QString& name);
void setPowerPoint(QJsonObject& root, const char* key, const QJsonValue& value);
void setWindow(QJsonObject& root, const char* key, const QJsonValue& value);
void setSelection(QJsonObject& root, const QJsonObject& selection);
void setLayoutCells(QJsonObject& root, const QJsonValue& o1, const QJsonValue& p1,
                    const QJsonValue& r1);

}  // namespace test
