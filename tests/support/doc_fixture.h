// A new document over in-memory settings with the scripted user and a temporary folder, and a
// way to put nodes straight under a chosen parent as the store makes them (no dialog, no undo).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/veskdoc.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "text/encoding.h"

namespace vesk::test {

class DocFixture : public ::testing::Test {
 protected:
  DocFixture() { doc.OnNewDocument(); }

  LINKINFO* Add(LINKINFO* parent, NodeKind kind, const std::string& title) {
    LINKINFO* saved = doc.GetCurrent();
    doc.SetCurrent(parent);
    LINKINFO* node = doc.CreateNode(kind);
    doc.SetCurrent(saved);
    if (node) node->m_strTitle = title;
    return node;
  }
  LINKINFO* AddCategory(LINKINFO* parent, const std::string& title) {
    return Add(parent, NodeKind::Category, title);
  }
  // A link as an import makes it (DocTest::Link makes one as New Link does).
  LINKINFO* AddLink(LINKINFO* parent, const std::string& title) {
    return Add(parent, NodeKind::Link, title);
  }
  LINKINFO* Top() { return doc.GetTopCategory(); }
  // The children of parent in list order.
  std::vector<LINKINFO*> Children(const LINKINFO* parent) {
    std::vector<LINKINFO*> out;
    for (LINKINFO* n : doc.GetNodeList())
      if (n->m_pParent == parent) out.push_back(n);
    return out;
  }
  // The first child of parent titled utf8Title; null when none is.
  LINKINFO* Child(const LINKINFO* parent, const std::string& utf8Title) {
    for (LINKINFO* n : Children(parent))
      if (n->m_strTitle == ToCp932(utf8Title)) return n;
    return nullptr;
  }

  CMemorySettingsBackend backend;
  CVeskSettings settings{backend};
  ScriptedUI ui;
  CVeskDoc doc{settings, ui};
  CTempFolder dir;
};

}  // namespace vesk::test
