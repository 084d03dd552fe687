// Loads a (possibly damaged) template and builds pages from it: no crash, no hang, and no output
// out of proportion to the template and the values put into it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "document/link_info.h"
#include "publish/html_template.h"

namespace {

struct Tree {
  Tree() {
    category = Make(0, "Cat $Category <!-- Delete -->", "category1.cgi", "c $Count");
    for (int i = 0; i < 3; ++i) {
      children.push_back(Make(0, "Sub" + std::to_string(i), "category" + std::to_string(i + 2),
                              i == 1 ? "<!-- End Delete --> $Num" : ""));
    }
    for (int i = 0; i < 7; ++i) {
      links.push_back(
          Make(1, "Link $URL $Title", "", i % 2 ? "comment <!-- Delete --> $Comment" : ""));
    }
  }
  const vesk::LINKINFO* Make(int kind, const std::string& title, const std::string& file,
                             const std::string& comment) {
    owned.push_back(std::make_unique<vesk::LINKINFO>(kind, 0));
    vesk::LINKINFO* n = owned.back().get();
    n->m_strTitle = title;
    n->m_strFileName = file;
    n->m_strComment = comment;
    n->m_strURL = "http://x/$Keyword";
    n->m_nMark = kind == 0 ? 0 : 1;
    return n;
  }
  std::vector<std::unique_ptr<vesk::LINKINFO>> owned;
  const vesk::LINKINFO* category;
  std::vector<const vesk::LINKINFO*> children;
  std::vector<const vesk::LINKINFO*> links;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Tree tree;
  std::string text(reinterpret_cast<const char*>(data), size);
  vesk::CHtmlTemplate tpl("html");
  tpl.LoadTemplateText(text);
  // Every value is short, so each instance of a block is at most a few times the template;
  // a page holds a bounded number of instances.
  const std::size_t limit = 64 * (size + 64) * (tree.links.size() + tree.children.size() + 4);
  for (int page = 0; page < 2; ++page) {
    tpl.AddCategoryData(tree.children);
    tpl.AddLinksData(*tree.category, tree.links);
    tpl.AddLinksData(*tree.category, {});
    tpl.SetLinksPage("- 1 <A href=\"x_2.html\">2</A> -");
    std::string out = tpl.BuildPage("Name $Count", 7, "x.html");
    if (out.size() > limit) std::abort();
    tpl.ClearOutputs();
  }
  return 0;
}
