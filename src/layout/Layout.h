#pragma once

// Where pasted items go on a slide: the three settings stored in row 1 of the state sheet, read
// into the run's layout settings, and the placement of the newest shape of the target slide.

#include <QString>
#include <functional>

#include "run/RunState.h"
#include "run/Services.h"

namespace layout {

// The state-sheet cells of the settings: O1, P1, R1.
inline constexpr int TopColumn = 15, WidthColumn = 16, HorizontalColumn = 18;
inline const QString DefaultText = QStringLiteral("Default");

// True for an empty cell or the exact text "Default".
bool isDefault(const office::Value& v);

// Reads the stored settings and the target slide's title placement; stops silently at the first
// error, leaving the settings not yet read as they were.
void ReadLayoutSettings(run::Services& services, run::RunState& state);

// Stops and restarts the drawing of PowerPoint's window (false stops it).
using ScreenUpdating = std::function<void(bool enabled)>;

// Moves and scales the last shape of the target slide by the settings in memory and keeps it
// inside the slide. Errors reach the caller; the window's drawing is restarted first.
void PlacePastedShape(run::Services& services, run::RunState& state,
                      const ScreenUpdating& setScreenUpdating);

}  // namespace layout
