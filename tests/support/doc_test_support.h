// The editing tests' document: the shared fixture with a view that records the hints, and helpers
// that read the node list back.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "document/veskdoc.h"
#include "document/view_commands.h"
#include "support/doc_fixture.h"
#include "support/view_recorder.h"

namespace vesk::test::editing {

class DocTest : public DocFixture {
 protected:
  DocTest() {
    // The editing tests confirm every question unless they script otherwise.
    ui.answer = MbResult::Ok;
  }
  void SetUp() override {
    doc.AddView(&view);
    doc.SelectCategory(doc.GetTopCategory(), true);
    doc.SetModifiedFlag(false);
    view.Clear();
  }

  LINKINFO* Cat(LINKINFO* parent, const std::string& title) {
    return Add(parent, NodeKind::Category, title);
  }
  // A link as New Link makes it (DocFixture::AddLink makes one as an import does).
  LINKINFO* Link(LINKINFO* parent, const std::string& title) {
    return Add(parent, NodeKind::NewLink, title);
  }

  // Titles of the children of parent in list order (Children gives the nodes).
  std::vector<std::string> ChildTitles(const LINKINFO* parent) const {
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

  ViewRecorder view;
};

using Strings = std::vector<std::string>;

}  // namespace vesk::test::editing
