// A new document over in-memory settings with the scripted user and a temporary folder, and a
// way to put nodes straight under a chosen parent as the store makes them (no dialog, no undo).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "document/veskdoc.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace vesk::test {

class DocFixture : public ::testing::Test {
 protected:
  DocFixture() { doc.OnNewDocument(); }

  LINKINFO* Add(LINKINFO* parent, int kind, const std::string& title) {
    LINKINFO* saved = doc.GetCurrent();
    doc.SetCurrent(parent);
    LINKINFO* node = doc.CreateNode(kind);
    doc.SetCurrent(saved);
    if (node) node->m_strTitle = title;
    return node;
  }
  LINKINFO* AddCategory(LINKINFO* parent, const std::string& title) {
    return Add(parent, 0, title);
  }
  LINKINFO* AddLink(LINKINFO* parent, const std::string& title) { return Add(parent, 1, title); }
  LINKINFO* Top() { return doc.GetTopCategory(); }

  CMemorySettingsBackend backend;
  CVeskSettings settings{backend};
  ScriptedUI ui;
  CVeskDoc doc{settings, ui};
  CTempFolder dir;
};

}  // namespace vesk::test
