// The script of the search page; ASCII only, its texts come from the page.
#include "publish/static_search.h"

namespace vesk {

const std::string& SearchPageScript() {
  static const std::string script =
      R"js(// Search of the link collection in the browser: no program on the server.
(function () {
  'use strict';
  var form = document.getElementById('vesk-search');
  var result = document.getElementById('vesk-search-result');
  if (!form || !result) return;
  var texts = form.dataset;
  var perPage = parseInt(texts.perPage, 10) || 20;
  var search = null;  // the folded search texts of all links, each ending in a line feed
  var starts = null;  // where each link's text begins in search, and the end of the last
  var index = null;   // the index line of each link, split only when shown
  var hits = [];

  // The folding of the search text: full-width digits, Latin letters and the full-width space
  // become ASCII. Matching ignores the case of ASCII letters, on both sides alike.
  function fold(text) {
    return text.replace(/[\uFF10-\uFF19\uFF21-\uFF3A\uFF41-\uFF5A\u3000]/g, function (c) {
      return c === '\u3000' ? ' ' : String.fromCharCode(c.charCodeAt(0) - 0xFEE0);
    }).replace(/[A-Z]+/g, function (s) { return s.toLowerCase(); });
  }

  function say(text) {
    while (result.firstChild) result.removeChild(result.firstChild);
    var p = document.createElement('p');
    p.textContent = text;
    result.appendChild(p);
  }

  // Addresses the page may link to: relative ones and the ordinary schemes, never script.
  function safeUrl(url) {
    var u = url.replace(/[\u0000-\u0020\u007F]+/g, '');
    if (!/^[A-Za-z][A-Za-z0-9+.\-]*:/.test(u)) return true;
    return /^(https?|ftp|mailto):/i.test(u);
  }

  // Titles and comments hold markup, which the link pages show as it stands. Here only the
  // markup of text and images is kept: elements, attributes and addresses that could run
  // script are dropped (their text stays), since the index is read as data, not as a page.
  var allowed = {
    B: [], I: [], U: [], S: [], EM: [], STRONG: [], SMALL: [], BIG: [], SUB: [], SUP: [],
    TT: [], SPAN: [], BR: [], FONT: ['color', 'size', 'face'],
    IMG: ['src', 'alt', 'width', 'height', 'border']
  };
  var dropped = { SCRIPT: 1, STYLE: 1, TEMPLATE: 1, IFRAME: 1, OBJECT: 1, EMBED: 1, NOSCRIPT: 1 };
  var parser = new DOMParser();
  function copyNodes(from, to) {
    for (var n = from.firstChild; n; n = n.nextSibling) {
      if (n.nodeType === 3) {
        to.appendChild(document.createTextNode(n.data));
      } else if (n.nodeType === 1 && !dropped[n.tagName]) {
        var names = allowed[n.tagName];
        if (!names) {
          copyNodes(n, to);
          continue;
        }
        var el = document.createElement(n.tagName);
        names.forEach(function (name) {
          var v = n.getAttribute(name);
          if (v !== null && (name !== 'src' || safeUrl(v))) el.setAttribute(name, v);
        });
        copyNodes(n, el);
        to.appendChild(el);
      }
    }
  }
  function appendMarkup(to, html) {
    copyNodes(parser.parseFromString('<body>' + html, 'text/html').body, to);
  }

  function link(href, child) {
    var a = document.createElement('a');
    if (safeUrl(href)) a.setAttribute('href', href);
    a.appendChild(child);
    return a;
  }

  function navigation(page, pages) {
    var p = document.createElement('p');
    p.className = 'vesk-pages';
    p.appendChild(document.createTextNode('- '));
    for (var i = 1; i <= pages; ++i) {
      if (i === page) {
        p.appendChild(document.createTextNode(i + ' '));
      } else {
        var a = document.createElement('a');
        a.href = '#';
        a.textContent = String(i);
        a.onclick = (function (target) {
          return function (e) { e.preventDefault(); show(target); };
        })(i);
        p.appendChild(a);
        p.appendChild(document.createTextNode(' '));
      }
    }
    p.appendChild(document.createTextNode('-'));
    return p;
  }

  function show(page) {
    while (result.firstChild) result.removeChild(result.firstChild);
    var count = document.createElement('p');
    count.textContent = texts.count.replace('%1', String(hits.length));
    result.appendChild(count);
    var pages = Math.ceil(hits.length / perPage);
    if (pages > 1) result.appendChild(navigation(page, pages));
    var end = Math.min(hits.length, page * perPage);
    for (var k = (page - 1) * perPage; k < end; ++k) {
      var f = index[hits[k]].split('\t');  // serial, title, URL, comment, page, category
      var p = document.createElement('p');
      p.className = 'vesk-hit';
      p.appendChild(document.createTextNode('\u30FB'));
      var title = document.createElement('span');
      appendMarkup(title, f[1]);
      p.appendChild(link(f[2], title));
      p.appendChild(document.createTextNode(' '));
      var url = document.createElement('small');
      url.textContent = f[2];
      p.appendChild(url);
      if (f[4]) {
        var cat = document.createElement('small');
        cat.appendChild(document.createTextNode(' [' + texts.category + ': '));
        var name = document.createElement('span');
        appendMarkup(name, f[5]);
        cat.appendChild(link(f[4], name));
        cat.appendChild(document.createTextNode(']'));
        p.appendChild(cat);
      }
      if (f[3]) {
        p.appendChild(document.createElement('br'));
        appendMarkup(p, f[3]);
      }
      result.appendChild(p);
    }
    if (pages > 1) result.appendChild(navigation(page, pages));
  }

  // Every word must occur in a link's search text. The texts stand in one string, a line each,
  // so the longest word is looked for across all of them at once and only the lines it occurs
  // in are read; a rare word costs one scan of the text.
  function find(query) {
    var words = fold(query).split(' ').filter(function (w) { return w.length > 0; });
    hits = [];
    if (words.length === 0) return false;
    words.sort(function (a, b) { return b.length - a.length; });
    var first = words[0], w = words.length, n = starts.length - 1;
    var found = new Int32Array(n), count = 0, line = 0;
    var pos = search.indexOf(first);
    outer: while (pos >= 0) {
      while (starts[line + 1] <= pos) ++line;
      var next = starts[line + 1];
      if (w > 1) {
        var text = search.substring(starts[line], next - 1);
        for (var j = 1; j < w; ++j) {
          if (text.indexOf(words[j]) < 0) {
            pos = next < search.length ? search.indexOf(first, next) : -1;
            continue outer;
          }
        }
      }
      found[count++] = line;
      pos = next < search.length ? search.indexOf(first, next) : -1;
    }
    hits = found.subarray(0, count);
    return true;
  }

  function run(query) {
    if (!search) return;
    if (!find(query)) {
      say(texts.empty);
    } else if (hits.length === 0) {
      say(texts.none);
    } else {
      show(1);
    }
  }
  // For measuring and tests: the number of hits of a query.
  window.veskSearch = function (query) { run(query); return hits.length; };

  function load(name) {
    return fetch(name, { cache: 'no-cache' }).then(function (r) {
      if (!r.ok) throw new Error(name + ': ' + r.status);
      return r.arrayBuffer();
    }).then(function (bytes) {
      return new TextDecoder('shift_jis').decode(bytes).split('\r\n');
    });
  }

  // Line i of the search file and line i of the index belong to the same link.
  function take(textLines, indexLines) {
    if (textLines[textLines.length - 1] === '') textLines.pop();
    if (indexLines[indexLines.length - 1] === '') indexLines.pop();
    var n = textLines.length - 1;
    if (n < 0 || indexLines.length - 1 !== n) return false;
    var s = new Array(n), at = new Int32Array(n + 1), offset = 0;
    for (var i = 0; i < n; ++i) {
      var line = textLines[i + 1];
      var tab = line.indexOf('\t');
      if (line.substring(0, tab + 1) !== indexLines[i + 1].substring(0, tab + 1)) return false;
      var mark = line.indexOf('\t::\t');
      s[i] = mark < 0 ? '' : line.substring(mark + 4);
      at[i] = offset;
      offset += s[i].length + 1;
    }
    at[n] = offset;
    search = fold(s.join('\n') + '\n');
    starts = at;
    index = indexLines.slice(1);
    return true;
  }

  form.addEventListener('submit', function (e) {
    e.preventDefault();
    run(form.elements.q.value);
  });
  window.veskSearchReady = Promise.all([load(texts.text), load(texts.index)]).then(function (l) {
    if (!take(l[0], l[1])) {
      say(texts.stale);
      return 'stale';
    }
    say('');
    if (form.elements.q.value) run(form.elements.q.value);
    return 'ready';
  }, function () {
    say(texts.failed);
    return 'failed';
  });
})();
)js";
  return script;
}

}  // namespace vesk
