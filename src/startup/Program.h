#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "office/Host.h"
#include "startup/Run.h"

namespace startup {

// The office named by CORVANE_HOST, or a message saying why there is none.
struct HostChoice {
    std::unique_ptr<office::Host> host;
    QString error;
};
HostChoice makeHostFromEnvironment();

// The handlers this build has.
Features standardFeatures();

// The code is the whole command line: the arguments joined by single spaces.
QString commandCode(const QStringList& arguments);

// The program: returns the exit status. Needs a QApplication.
int runProgram(const QStringList& arguments);

}  // namespace startup
