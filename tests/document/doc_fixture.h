// A new document over in-memory settings, with a scripted user.
#pragma once

#include <gtest/gtest.h>

#include "doc_fakes.h"
#include "document/veskdoc.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"

namespace vesk::test {

class DocFixture : public ::testing::Test {
 protected:
  DocFixture() { doc.OnNewDocument(); }

  CMemorySettingsBackend backend;
  CVeskSettings settings{backend};
  ScriptedUI ui;
  CVeskDoc doc{settings, ui};
};

}  // namespace vesk::test
