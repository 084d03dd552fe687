// A user-interface fake for the publishing and data-file tests: records every message and
// answers the save dialog from a script.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/user_interface.h"
#include "text/encoding.h"

namespace vesk::testing {

struct RecordedMessage {
  std::string text;  // UTF-8, for readable assertions
  MbButtons buttons;
  MbIcon icon;
};

class CPublishTestUi : public IUserInterface {
 public:
  MbResult MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override {
    messages.push_back({ToUtf8(text), buttons, icon});
    return buttons == MbButtons::Ok ? MbResult::Ok : answer;
  }
  std::optional<std::string> AskSavePath(const std::string& proposed,
                                         const std::string& filter) override {
    askedProposed.push_back(proposed);
    askedFilter.push_back(filter);
    return savePath;
  }
  std::optional<std::string> AskOpenPath(const std::string& filter) override {
    askedFilter.push_back(filter);
    return openPath;
  }
  void ShowOutputResult(const std::string& changed) override { results.push_back(changed); }

  std::vector<RecordedMessage> messages;
  std::vector<std::string> results;
  std::vector<std::string> askedProposed;
  std::vector<std::string> askedFilter;
  std::optional<std::string> savePath;
  std::optional<std::string> openPath;
  MbResult answer = MbResult::Cancel;
};

}  // namespace vesk::testing
