// Writes the benchmark collection as a Hugo site: one content file per category page (the same
// pages, names and links as the HTML output with 20 links per page) and a Go template that renders
// what the benchmark's paging template renders. Usage: html_hugo_site SITE_FOLDER
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "bench/big_collection.h"

namespace {

namespace fs = std::filesystem;
using vesk::LINKINFO;

const char* kConfig =
    "baseURL = 'http://example.com/'\n"
    "uglyURLs = true\n"
    "disableKinds = ['taxonomy', 'term', 'RSS', 'sitemap', 'robotsTXT', '404', 'home', "
    "'section']\n";

// The same page as the benchmark's template, in Hugo's Go template language.
const char* kLayout =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
    "<HTML>\n<HEAD>\n<TITLE>{{ .Title }} - Links</TITLE>\n</HEAD>\n<BODY>\n"
    "<H1>{{ .Title }}</H1>\n<P>{{ .Params.file }}: {{ .Params.count }} links</P>\n"
    "{{ with .Params.cats }}<UL>\n{{ range . }}<LI><A href=\"{{ .file }}\">{{ .title }}</A> "
    "({{ .count }}) {{ .comment | safeHTML }}\n{{ end }}</UL>\n{{ end }}"
    "<H2>{{ .Title }} ({{ len .Params.links }})</H2>\n<DL>\n"
    "{{ range .Params.links }}<DT>{{ .mark | safeHTML }} <A href=\"{{ .url }}\">{{ .title }}</A> "
    "{{ .y }}/{{ printf \"%02d\" (int .m) }}/{{ printf \"%02d\" (int .d) }}\n<DD>"
    "{{ with .comment }}{{ . | safeHTML }}<BR>{{ end }}"
    "<A href=\"mailto:{{ .email }}\">{{ .admin }}</A>\n{{ end }}</DL>\n"
    "<P>- {{ $p := .Params }}{{ range $i := seq (int $p.pages) }}"
    "{{ if eq $i (int $p.page) }}{{ $i }} {{ else if eq $i 1 }}<A href=\"{{ $p.base "
    "}}.html\">1</A> "
    "{{ else }}<A href=\"{{ $p.base }}_{{ $i }}.html\">{{ $i }}</A> {{ end }}{{ end }}-</P>\n"
    "</BODY>\n</HTML>\n";

struct Writer {
  explicit Writer(const vesk::bench::BigCollection& c, fs::path content)
      : site(c), dir(std::move(content)) {
    for (LINKINFO* n : site.list) {
      if (!n->m_pParent) continue;
      (n->IsCategory() ? cats : links)[n->m_pParent].push_back(n);
    }
    Name(site.top);
  }
  // File names as the HTML output gives them: the visit order, a category before its children.
  void Name(const LINKINFO* c) {
    names[c] = "category" + std::to_string(names.size());
    for (const LINKINFO* child : cats[c]) Name(child);
  }
  void Write(const LINKINFO* c) {
    for (const LINKINFO* child : cats[c]) Write(child);
    const auto& own = links[c];
    std::size_t per = 20, pages = (own.size() + per - 1) / per;
    nlohmann::json childList = nlohmann::json::array();
    for (const LINKINFO* child : cats[c]) {
      childList.push_back({{"file", names[child] + ".html"},
                           {"title", child->m_strTitle},
                           {"count", cats[child].size() + links[child].size()},
                           {"comment", child->m_strComment}});
    }
    for (std::size_t page = 1; page == 1 || page <= pages; ++page) {
      std::string file = names[c] + (page == 1 ? "" : "_" + std::to_string(page));
      nlohmann::json fm = {{"title", c->m_strTitle},
                           {"file", file + ".html"},
                           {"count", own.size()},
                           {"base", names[c]},
                           {"page", page},
                           {"pages", pages == 0 ? 1 : pages},
                           {"links", nlohmann::json::array()}};
      if (page == 1) fm["cats"] = childList;
      for (std::size_t k = (page - 1) * per; k < own.size() && k < page * per; ++k) {
        const LINKINFO* l = own[k];
        fm["links"].push_back({{"title", l->m_strTitle},
                               {"url", l->m_strURL},
                               {"admin", l->m_strAdmin},
                               {"email", l->m_strEmail},
                               {"comment", l->m_strComment},
                               {"mark", ""},
                               {"y", l->m_nYear},
                               {"m", l->m_nMonth},
                               {"d", l->m_nDay}});
      }
      std::ofstream(dir / (file + ".md"), std::ios::binary) << fm.dump() << "\n";
    }
  }

  const vesk::bench::BigCollection& site;
  fs::path dir;
  std::map<const LINKINFO*, std::vector<const LINKINFO*>> cats, links;
  std::map<const LINKINFO*, std::string> names;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: html_hugo_site SITE_FOLDER\n";
    return 2;
  }
  fs::path root = argv[1];
  fs::create_directories(root / "content");
  fs::create_directories(root / "layouts" / "_default");
  std::ofstream(root / "hugo.toml") << kConfig;
  std::ofstream(root / "layouts" / "_default" / "single.html") << kLayout;
  vesk::bench::BigCollection site;
  Writer writer(site, root / "content");
  writer.Write(site.top);
  return 0;
}
