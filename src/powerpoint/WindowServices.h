#pragma once

// What the PowerPoint exports need from the window manager: stopping the drawing of
// PowerPoint's main window (PPtCscreenUpdating), bringing a window to the front and waiting
// with the program's windows kept responsive (PPTonTOP).

#include <QString>
#include <QtGlobal>

#include "office/PowerPoint.h"
#include "run/RunState.h"
#include "run/Services.h"

namespace powerpoint {

// The errors the lock raises (inside itself).
namespace lockErrors {
inline constexpr int NoHandle = -2147220504;
inline constexpr int LockRefused = -2147220503;
inline constexpr int NewerVersion = -2147220502;
}  // namespace lockErrors

// The main window class of a PowerPoint version ("16.0"); empty for a version not known.
QString WindowClassForVersion(const QString& version);

// False stops the drawing of PowerPoint's main window, true restarts and redraws it. Every
// statement runs with errors ignored: without a lock the caller simply goes on.
void SetPowerPointScreenUpdating(run::Services& services, run::RunState& state, bool enabled);

// Finds the window by title when `handle` is 0, restores it with the show state and brings it
// to the front; true when that succeeded.
bool BringWindowToFront(office::PowerPoint& powerPoint, const QString& title, qint64& handle,
                        int showState);

// The top-level window with exactly that title, of that class (empty for any); 0 for none.
qint64 FindWindowByTitle(office::PowerPoint& powerPoint, const QString& title,
                         const QString& className);

void WaitWithEvents(platform::Pacer& pacer, int milliseconds);

// The exports' call: PowerPoint's window titled after the active presentation, restored and in
// front. Errors ignored; the result is not needed.
void BringPowerPointToFront(run::Services& services);

}  // namespace powerpoint
