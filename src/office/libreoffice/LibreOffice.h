#pragma once

// The LibreOffice adapter: the office host over UNO, on a LibreOffice that listens on a pipe.
// Only office:: types cross this header; the UNO side stays inside the adapter.

#include <QString>
#include <memory>

#include "office/Host.h"

namespace office::libreoffice {

// The pipe name used when CORVANE_UNO_PIPE is not set.
inline const QString DefaultPipe = QStringLiteral("corvane");

// A host for the LibreOffice listening on `pipe`. Nothing is connected until an application is
// attached; with nothing listening, attaching throws errors::NotRunning. It never starts
// LibreOffice.
std::unique_ptr<Host> makeHost(const QString& pipe);

}  // namespace office::libreoffice
