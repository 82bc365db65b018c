#pragma once

// The PDF files the program writes, read back with poppler-utils' command-line tools.

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <optional>

namespace test {

constexpr double PointsPerCm = 72 / 2.54;

// Runs a poppler tool and returns what it printed; nothing when it is missing or fails.
inline std::optional<QString> poppler(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace test
