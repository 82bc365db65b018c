#pragma once

// Built-in desktops for tests: from the fixtures folder or from JSON written in the test.

#include <QByteArray>
#include <QString>
#include <memory>

#include "office/Host.h"
#include "support/Printers.h"

namespace test {

std::unique_ptr<office::Host> loadFixture(const QString& name);  // "four-items.json"
std::unique_ptr<office::Host> hostFromJson(const QByteArray& json);
// The whole desktop as the built-in office would dump it.
QByteArray dump(office::Host& host);
// The screen-updating values set so far, in order.
std::vector<bool> screenUpdatingLog(office::Host& host);

// The active workbook of a host's running spreadsheet application.
std::shared_ptr<office::Workbook> activeWorkbook(office::Host& host);

QString fixturePath(const QString& name);

}  // namespace test
