#include "support/Desktop.h"

#include <gtest/gtest.h>

#include "office/memory/Office.h"

namespace test {

QString fixturePath(const QString& name) {
    return QStringLiteral(CORVANE_FIXTURES "/") + name;
}

std::unique_ptr<office::Host> loadFixture(const QString& name) {
    return office::memory::loadDesktop(fixturePath(name));
}

std::unique_ptr<office::Host> hostFromJson(const QByteArray& json) {
    return office::memory::Office::fromJson(json, QStringLiteral("test desktop"));
}

static office::memory::Office& memory(office::Host& host) {
    auto* office = dynamic_cast<office::memory::Office*>(&host);
    if (!office) throw std::logic_error("not the built-in office");
    return *office;
}

QByteArray dump(office::Host& host) {
    return memory(host).toJson();
}

std::vector<bool> screenUpdatingLog(office::Host& host) {
    return memory(host).screenUpdatingLog();
}

std::shared_ptr<office::Workbook> activeWorkbook(office::Host& host) {
    return host.attachExcel()->activeWorkbook();
}

}  // namespace test
