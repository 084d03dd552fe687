// The benchmarks' large documents: a new document whose nodes are added the way loading a file
// adds them.
#pragma once

#include <string>

#include "document/document_file.h"
#include "document/user_interface.h"
#include "document/veskdoc.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"

namespace vesk::bench {

// Appends a node with the next serial under parent; loaded nodes are not held to the creation
// limit, so a benchmark can build documents of any size.
inline LINKINFO* AppendLoaded(CVeskDoc& doc, int kind, LINKINFO* parent,
                              const std::string& title = std::string()) {
  LINKINFO* node = CDocumentFile::AppendNode(doc, kind);
  node->m_nFlags = 0x300;
  node->m_nSerial = doc.GetNextSerial();
  doc.SetNextSerial(node->m_nSerial + 1);
  doc.SerialsChanged();
  node->m_pParent = parent;
  node->m_strTitle = title;
  return node;
}

// A new document over in-memory settings, with a user who must not be asked anything.
struct BenchDocument {
  BenchDocument() { doc.OnNewDocument(); }
  LINKINFO* Append(int kind, LINKINFO* parent, const std::string& title) {
    return AppendLoaded(doc, kind, parent, title);
  }

  CMemorySettingsBackend backend;
  CVeskSettings settings{backend};
  CHeadlessUserInterface ui;
  CVeskDoc doc{settings, ui};
};

}  // namespace vesk::bench
