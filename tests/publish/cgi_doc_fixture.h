// A document over in-memory settings and a recording user interface, with helpers that build
// categories and links directly under a chosen parent.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "document/veskdoc.h"
#include "publish/publish_test_ui.h"
#include "publish/temp_folder.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"

namespace vesk::testing {

class CgiDocTest : public ::testing::Test {
 protected:
  CgiDocTest() : settings(backend), doc(settings, ui) { doc.OnNewDocument(); }

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
  CVeskSettings settings;
  CPublishTestUi ui;
  CVeskDoc doc;
  CTempFolder dir;
};

}  // namespace vesk::testing
