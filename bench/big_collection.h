// A generated collection for the HTML output benchmarks: 10k categories in two levels holding
// 300k links, built without a document (the node list, Top Category and the output settings).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "document/link_info.h"

namespace vesk::bench {

struct BigCollection {
  // firstLevel categories under Top, each with perFirst - 1 sub-categories; links spread evenly.
  BigCollection(int categories = 10000, int links = 300000, int firstLevel = 100) {
    top = Add(0, nullptr, "Top Category");
    std::vector<LINKINFO*> cats;
    int perFirst = categories / firstLevel;
    for (int f = 0; f < firstLevel; ++f) {
      LINKINFO* first = Add(0, top, "Category " + std::to_string(f));
      cats.push_back(first);
      for (int s = 1; s < perFirst; ++s) {
        cats.push_back(Add(0, first, "Category " + std::to_string(f) + "." + std::to_string(s)));
      }
    }
    // Links stand after their categories in the list, spread round-robin.
    for (int i = 0; i < links; ++i) {
      LINKINFO* l = Add(1, cats[static_cast<std::size_t>(i) % cats.size()],
                        "Link number " + std::to_string(i));
      l->m_strURL = "http://site" + std::to_string(i) + ".example.com/";
      l->m_strAdmin = "Admin " + std::to_string(i % 977);
      l->m_strEmail = "admin" + std::to_string(i % 977) + "@example.com";
      if (i % 3 == 0) l->m_strComment = "A <B>comment</B> for link " + std::to_string(i);
      l->m_nMark = i % 4;
      l->m_nYear = 2000 + i % 20;
      l->m_nMonth = 1 + i % 12;
      l->m_nDay = 1 + i % 28;
    }
    info.m_nLinksPerPage = 20;
  }
  LINKINFO* Add(int kind, LINKINFO* parent, const std::string& title) {
    owned.push_back(std::make_unique<LINKINFO>(kind, 0));
    LINKINFO* n = owned.back().get();
    n->m_nSerial = static_cast<std::uint32_t>(owned.size() - 1);
    n->m_pParent = parent;
    n->m_strTitle = title;
    list.push_back(n);
    return n;
  }

  std::vector<std::unique_ptr<LINKINFO>> owned;
  NodeList list;
  LINKINFO* top = nullptr;
  FILEINFO info;
};

// The paging template of the benchmark (ASCII, as the Hugo counterpart).
inline const char* kBenchTemplate =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
    "<HTML>\n<HEAD>\n<TITLE>$Category - Links</TITLE>\n</HEAD>\n<BODY>\n"
    "<H1>$Category</H1>\n<P>$Catefile: $Count links</P>\n"
    "<!-- Category Data -->\n<UL>\n<!-- Category List Up -->\n"
    "<LI><A href=\"$Cateflie\">$Category</A> ($Count) $Comment\n"
    "<!-- End Category List Up -->\n</UL>\n<!-- End Category Data -->\n"
    "<!-- Links Data -->\n<H2>$Category ($Count)</H2>\n<DL>\n"
    "<!-- Link List Up <Comment> -->\n"
    "<DT>$New <A href=\"$URL\">$Title</A> $Year/$Month/$Day\n<DD>$Comment<BR>"
    "<A href=\"mailto:$Email\">$Master</A>\n"
    "<!-- End Link List Up <Comment> -->\n"
    "<!-- Link List Up -->\n"
    "<DT>$New <A href=\"$URL\">$Title</A> $Year/$Month/$Day\n<DD><A "
    "href=\"mailto:$Email\">$Master</A>\n"
    "<!-- End Link List Up -->\n</DL>\n<!-- End Links Data -->\n"
    "<P><!-- Links Page --></P>\n</BODY>\n</HTML>\n";

}  // namespace vesk::bench
