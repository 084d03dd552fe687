// Placement of the main window and its splitter, as read at creation and written at destruction.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vesk {

class CVeskSettings;

constexpr int kMinFrameWidth = 550;
constexpr int kMinFrameHeight = 360;

// Where the window opens: rectangle and the tree pane's initial size.
struct FramePlacement {
  int x = 80, y = 80, cx = 550, cy = 360;
  int ps1cx = 120, ps1cy = 100;
};

// The window as it is when it closes.
struct FrameClosingState {
  bool minimized = false;
  bool maximized = false;
  int x = 0, y = 0, cx = 0, cy = 0;  // window rectangle, screen coordinates
  int column0Width = 0;              // splitter column 0
  int row0Height = 0;                // splitter row 0
};

// Reads "Settings\Window" (each missing value gives its default).
FramePlacement ReadFramePlacement(CVeskSettings& settings);

// The values to write into "Settings\Window" on closing, in writing order: nothing when
// minimised; the rectangle only when not maximised; then "max" and the four splitter values.
std::vector<std::pair<std::string, int>> FrameClosingValues(const FrameClosingState& state);

// Writes the closing values.
void SaveFramePlacement(CVeskSettings& settings, const FrameClosingState& state);

}  // namespace vesk
