// A document with a scripted user, an in-memory settings store and a view that records hints and
// answers them the way the tree and the list do for the document.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "document/veskdoc.h"
#include "document/view_commands.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"

namespace vesk::test::editing {

class ScriptedUI : public IUserInterface {
 public:
  MbResult MessageBox(const std::string& text, MbButtons, MbIcon icon) override {
    messages.push_back(text);
    icons.push_back(icon);
    return answer;
  }
  void Beep() override { ++beeps; }
  bool EditCategory(CategoryFields& f) override { return onCategory ? onCategory(f) : false; }
  bool EditLink(LinkFields& f) override { return onLink ? onLink(f) : false; }
  bool EditCgiSettings(FILEINFO& f) override { return onCgi ? onCgi(f) : false; }
  bool EditHtmlSettings(FILEINFO& f) override { return onHtml ? onHtml(f) : false; }
  bool RunSettingsSheet() override {
    ++settingsSheets;
    return true;
  }
  bool RunFindDialog(FindDialogState& s) override { return onFind ? onFind(s) : false; }

  std::vector<std::string> messages;
  std::vector<MbIcon> icons;
  int beeps = 0;
  int settingsSheets = 0;
  MbResult answer = MbResult::Ok;
  std::function<bool(CategoryFields&)> onCategory;
  std::function<bool(LinkFields&)> onLink;
  std::function<bool(FILEINFO&)> onCgi;
  std::function<bool(FILEINFO&)> onHtml;
  std::function<bool(FindDialogState&)> onFind;
};

// Records every hint; like the tree, it answers 103 by selecting the category (flag set) and,
// like both views, swaps the nodes of an undone move up/down back.
class RecordingView : public IDocView {
 public:
  explicit RecordingView(CVeskDoc& doc) : m_doc(doc) {}
  void OnUpdate(int hint, LINKINFO* node) override {
    hints.emplace_back(hint, node);
    if (hint == kHintSelectCategory && actAsTree) m_doc.SelectCategory(node, true);
    if (hint == kHintUndoCategorySwap || hint == kHintUndoLinkSwap) {
      swapRecords.push_back({node->m_pSelf, node->m_pUndoAux});
      SwapBackForUndo(m_doc, node);
    }
    if (hint == kHintUndoCategoryMove) {
      movedBack.push_back({node->m_pSelf, node->m_pParent, node->m_pSelf->m_pUndoAux});
      movedBackItems.push_back(node->m_hTreeItem);
    }
  }
  std::vector<int> Codes() const {
    std::vector<int> out;
    for (const auto& h : hints) out.push_back(h.first);
    return out;
  }
  void Clear() { hints.clear(); }

  std::vector<std::pair<int, LINKINFO*>> hints;
  std::vector<std::pair<LINKINFO*, LINKINFO*>> swapRecords;
  struct MoveBack {
    LINKINFO* live;
    LINKINFO* parent;
    LINKINFO* sibling;
  };
  std::vector<MoveBack> movedBack;
  std::vector<std::uintptr_t> movedBackItems;
  bool actAsTree = true;

 private:
  CVeskDoc& m_doc;
};

class DocTest : public ::testing::Test {
 protected:
  DocTest() : settings(backend), doc(settings, ui), view(doc) {}
  void SetUp() override {
    doc.OnNewDocument();
    doc.AddView(&view);
    doc.SelectCategory(doc.GetTopCategory(), true);
    doc.SetModifiedFlag(false);
    view.Clear();
  }

  // A node made as the store makes it, without a dialog and without undo.
  LINKINFO* Add(LINKINFO* parent, int kind, const std::string& title) {
    LINKINFO* saved = doc.GetCurrent();
    doc.SetCurrent(parent);
    LINKINFO* node = doc.CreateNode(kind);
    doc.SetCurrent(saved);
    node->m_strTitle = title;
    return node;
  }
  LINKINFO* Cat(LINKINFO* parent, const std::string& title) { return Add(parent, 0, title); }
  LINKINFO* Link(LINKINFO* parent, const std::string& title) { return Add(parent, 2, title); }

  // Titles of the children of parent in list order.
  std::vector<std::string> Children(const LINKINFO* parent) const {
    std::vector<std::string> out;
    for (const LINKINFO* n : doc.GetNodeList()) {
      if (n->m_pParent == parent) out.push_back(n->m_strTitle);
    }
    return out;
  }
  // Titles of every node in list order.
  std::vector<std::string> All() const {
    std::vector<std::string> out;
    for (const LINKINFO* n : doc.GetNodeList()) out.push_back(n->m_strTitle);
    return out;
  }
  // The links of a category in list order (the rows of the list in manual order).
  std::vector<LINKINFO*> Rows(const LINKINFO* parent) {
    std::vector<LINKINFO*> out;
    for (LINKINFO* n : doc.GetNodeList()) {
      if (n->m_pParent == parent && !n->IsCategory()) out.push_back(n);
    }
    return out;
  }
  void Select(LINKINFO* category) { doc.SelectCategory(category, true); }

  CMemorySettingsBackend backend;
  CVeskSettings settings;
  ScriptedUI ui;
  CVeskDoc doc;
  RecordingView view;
};

using Strings = std::vector<std::string>;

}  // namespace vesk::test::editing
