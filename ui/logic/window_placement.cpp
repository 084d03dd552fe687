#include "ui/logic/window_placement.h"

#include "settings/vesk_settings.h"

namespace vesk {

FramePlacement ReadFramePlacement(CVeskSettings& settings) {
  FramePlacement p;
  p.x = settings.GetWindowValue("x");
  p.y = settings.GetWindowValue("y");
  p.cx = settings.GetWindowValue("cx");
  p.cy = settings.GetWindowValue("cy");
  p.ps1cx = settings.GetWindowValue("ps1cx");
  p.ps1cy = settings.GetWindowValue("ps1cy");
  return p;
}

std::vector<std::pair<std::string, int>> FrameClosingValues(const FrameClosingState& state) {
  std::vector<std::pair<std::string, int>> values;
  if (state.minimized) return values;
  if (!state.maximized) {
    values.emplace_back("x", state.x);
    values.emplace_back("y", state.y);
    values.emplace_back("cx", state.cx);
    values.emplace_back("cy", state.cy);
  }
  values.emplace_back("max", state.maximized ? 1 : 0);
  values.emplace_back("ps1cx", state.column0Width);
  values.emplace_back("ps1cy", state.row0Height);
  values.emplace_back("ps2cx", 0);
  values.emplace_back("ps2cy", state.row0Height - 50);
  return values;
}

void SaveFramePlacement(CVeskSettings& settings, const FrameClosingState& state) {
  for (const auto& [name, value] : FrameClosingValues(state)) {
    settings.SetWindowValue(name, value);
  }
}

}  // namespace vesk
