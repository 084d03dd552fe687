#!/usr/bin/env python3
"""Writes the JSON (as `vesk-cli load` reads it) of a collection of 1,000 categories and
10,000 links with Japanese text, the same every run: make_collection.py OUT.json"""
import json
import random
import sys

CATEGORIES = 1000
LINKS = 10000

rng = random.Random(932)
WORDS = ["検索", "辞書", "天気", "音楽", "映画", "料理", "旅行", "鉄道", "写真", "将棋",
         "ﾆｭｰｽ", "ｹﾞｰﾑ", "①案内", "㈱見本", "髙橋", "～波～", "－線－", "ソフト", "表示",
         "能力", "十兵衛", "ポ\u30fcタル", "Ｗｅｂ", "ＡＢＣ", "<B>太字</B>", "&amp;",
         "\"引用\"", "カンマ,入り", "¥円", "§節", "×印", "α版"]


def text(n):
    return "".join(rng.choice(WORDS) for _ in range(n))


def node(serial, kind, parent, title, **extra):
    n = {"serial": serial, "kind": kind, "parentSerial": parent, "title": title, "fileName": "",
         "admin": "", "email": "", "update": 0, "year": 2026, "month": 12, "day": 8, "mark": 0,
         "url": "", "comment": "", "banner": "", "keywords": "", "flags": 768, "sortMode": 0}
    n.update(extra)
    return n


nodes = [node(0, 0, -1, "Top Category", comment="大きなリンク集のトップです。"),
         node(1, 0, -2, "作業箱"), node(2, 0, -3, "ごみ箱")]
categories = []
serial = 3
for i in range(CATEGORIES):
    # The first fifty under the top, the others below one of those before them.
    parent = 0 if i < 50 else categories[rng.randrange(max(1, i // 2), i)]
    nodes.append(node(serial, 0, parent, f"{text(2)}{i}", comment=text(3),
                      sortMode=i % 3))
    categories.append(serial)
    serial += 1
for i in range(LINKS):
    parent = categories[i % CATEGORIES] if i % 7 else categories[rng.randrange(CATEGORIES)]
    nodes.append(node(serial, 1, parent, f"{text(2)}の{i}",
                      admin=f"{rng.choice(['山田', '鈴木', '佐藤'])} {rng.choice(['太郎', '花子'])}",
                      email=f"user{i}@example.jp", url=f"http://site{i}.example.jp/{text(1)}/",
                      comment=text(4), keywords=f"{text(1)} {text(1)}",
                      year=1998 + i % 29, month=1 + i % 12, day=1 + i % 28, mark=i % 3,
                      update=i % 2))
    serial += 1

doc = {"version": 300, "nextSerial": serial,
       "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi",
                    "template": "template.html", "htmlExt": "html", "cgiFolder": "",
                    "htmlFolder": "", "linksPerPage": 20},
       "nodes": nodes}
with open(sys.argv[1], "w", encoding="utf-8", newline="\n") as f:
    json.dump(doc, f, ensure_ascii=False, indent=1)
