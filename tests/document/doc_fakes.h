// Test doubles for the document: a view that records every hint and a user with scripted answers.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "document/user_interface.h"
#include "document/view_hints.h"

namespace vesk::test {

struct RecordingView : IDocView {
  std::vector<std::pair<int, LINKINFO*>> hints;
  void OnUpdate(int hint, LINKINFO* node) override { hints.emplace_back(hint, node); }
  std::vector<int> Numbers() const {
    std::vector<int> out;
    for (const auto& h : hints) out.push_back(h.first);
    return out;
  }
};

struct ScriptedUI : IUserInterface {
  struct Shown {
    std::string text;
    MbButtons buttons;
    MbIcon icon;
  };
  std::vector<Shown> shown;
  std::deque<MbResult> answers;  // taken in order; when empty the default answer is used
  int beeps = 0;
  MbResult MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override {
    shown.push_back({text, buttons, icon});
    if (!answers.empty()) {
      MbResult r = answers.front();
      answers.pop_front();
      return r;
    }
    return IUserInterface::MessageBox(text, buttons, icon);
  }
  void Beep() override { ++beeps; }
};

}  // namespace vesk::test
