"""Builds a collection with vesk-cli (new, dump, load) and publishes its search page, for the
browser test and the benchmark of the search page."""
import json
import os
import subprocess


class Site:
    def __init__(self, cli, folder):
        self.cli = cli
        self.folder = folder
        self.knd = os.path.join(folder, "site.knd")
        blank = os.path.join(folder, "blank.knd")
        subprocess.run([cli, "new", blank], check=True, stdout=subprocess.DEVNULL)
        dump = subprocess.run([cli, "dump", blank], check=True, capture_output=True)
        os.remove(blank)
        self.doc = json.loads(dump.stdout.decode())
        self.template = self.doc["nodes"][0]
        self.next = self.doc["nextSerial"]
        self.top = 0

    def _node(self, parent, kind, title, **fields):
        node = dict(self.template)
        node.update(serial=self.next, kind=kind, title=title, parentSerial=parent,
                    fileName="", flags=fields.pop("flags", 256 | 512 | 1024))
        node.update(fields)
        self.next += 1
        self.doc["nodes"].append(node)
        return node["serial"]

    def category(self, parent, title):
        return self._node(parent, 0, title)

    def link(self, parent, title, url, comment="", keywords="", **fields):
        return self._node(parent, 1, title, url=url, comment=comment, keywords=keywords,
                          update=1000000000, **fields)

    def publish(self, links_per_page=20, html=True):
        self.doc["nextSerial"] = self.next
        self.doc["fileInfo"]["linksPerPage"] = links_per_page
        path = os.path.join(self.folder, "site.json")
        with open(path, "w", encoding="utf-8") as f:
            json.dump(self.doc, f, ensure_ascii=False)
        subprocess.run([self.cli, "load", path, self.knd], check=True, stdout=subprocess.DEVNULL)
        if html:
            subprocess.run([self.cli, "export-html", self.knd], check=True,
                           stdout=subprocess.DEVNULL)
        subprocess.run([self.cli, "export-search", self.knd], check=True,
                       stdout=subprocess.DEVNULL)
