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

// The numbers the program uses.
namespace errors {
inline constexpr int NotRunning = 429;            // application not running / object unavailable
inline constexpr int ObjectRequired = 424;        // nothing there (no range, no selection)
inline constexpr int Application = 1004;          // the office refused the operation
inline constexpr int NotFound = 9;                // subscript out of range
inline constexpr int Disconnected = -2147417848;  // the office went away
}  // namespace errors

}  // namespace office
