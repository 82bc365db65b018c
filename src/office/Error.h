#pragma once

#include <QString>
#include <exception>
#include <string>

namespace office {

// What an office call throws when the office refuses: a number and a description,
// like the automation errors the program was written against.
class Error : public std::exception {
  public:
    Error(int number, QString description)
        : number_(number),
          description_(std::move(description)),
          what_(description_.toStdString()) {}

    int number() const { return number_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

  private:
    int number_;
    QString description_;
    std::string what_;
};

// Errors ignored statement by statement: a failed statement is skipped and the next one runs.
template <typename F>
void ignoreErrors(F&& statement) {
    try {
        statement();
    } catch (const std::exception&) {
    }
}

// The numbers the program uses.
namespace errors {
inline constexpr int NotRunning = 429;            // application not running / object unavailable
inline constexpr int ObjectRequired = 424;        // nothing there (no range, no selection)
inline constexpr int Application = 1004;          // the office refused the operation
inline constexpr int NotFound = 9;                // subscript out of range
inline constexpr int Disconnected = -2147417848;  // the office went away
inline constexpr int NotSupported = 438;          // this office has no such member
}  // namespace errors

// What an office that lacks a member throws from it, so that each host grows at its own pace
// and a missing member is a clear failure, never a silent success.
[[noreturn]] inline void notSupported(const char* member) {
    throw Error(errors::NotSupported,
                QStringLiteral("This office does not support %1.").arg(QLatin1String(member)));
}

}  // namespace office
