#!/usr/bin/python3
"""Checks the help pages shipped beside the program.

Usage: check_help.py HELP_FOLDER SOURCE...   (SOURCE: the program's files that open help pages:
every string literal there that names a .htm file is a page the program opens)

- every page is valid HTML: parsed by html5lib in strict mode, which stops at the first parse
  error the HTML standard defines (a missing doctype, a stray end tag, a bad attribute...);
- every page has a Japanese language mark and a title;
- every page the program opens exists;
- every link and style sheet points to a file of the folder, and a link's fragment to an id of
  its page: no address leads to any host at all;
- every page can be reached from index.htm by following links.
"""
import os
import re
import sys
from urllib.parse import unquote, urlsplit

import html5lib

LINK_ATTRIBUTES = {"a": "href", "link": "href", "img": "src", "script": "src", "iframe": "src", "form": "action"}


def parse(path):
    parser = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False)
    with open(path, "rb") as f:
        return parser.parse(f, transport_encoding="utf-8")


def main():
    folder, sources = sys.argv[1], sys.argv[2:]
    opened = set()
    for source in sources:
        with open(source, encoding="utf-8") as f:
            opened |= set(re.findall(r'"([A-Za-z0-9_.-]+\.html?)"', f.read()))
    problems = [] if opened else ["no page named in " + " ".join(sources)]
    pages = sorted(n for n in os.listdir(folder) if n.endswith(".htm") or n.endswith(".html"))
    trees, ids, links = {}, {}, {}
    for name in pages:
        try:
            tree = parse(os.path.join(folder, name))
        except html5lib.html5parser.ParseError as error:
            problems.append(f"{name}: not valid HTML: {error}")
            continue
        trees[name] = tree
        if tree.get("lang") != "ja":
            problems.append(f"{name}: <html> lacks lang=\"ja\"")
        title = tree.find(".//title")
        if title is None or not (title.text or "").strip():
            problems.append(f"{name}: no title")
        ids[name] = {e.get("id") for e in tree.iter() if e.get("id")}
        links[name] = [(e.tag, e.get(a)) for e in tree.iter() for t, a in LINK_ATTRIBUTES.items()
                       if e.tag == t and e.get(a) is not None]

    for name in sorted(opened):
        if name not in pages:
            problems.append(f"the program opens {name}, which is not there")

    reached, todo = set(), ["index.htm"]
    for name, found in links.items():
        for tag, target in found:
            parts = urlsplit(target)
            if parts.scheme or parts.netloc:
                problems.append(f"{name}: <{tag}> points outside the help: {target}")
                continue
            file = unquote(parts.path) or name
            if not os.path.isfile(os.path.join(folder, file)):
                problems.append(f"{name}: <{tag}> points to a missing file: {target}")
                continue
            if parts.fragment and parts.fragment not in ids.get(file, set()):
                problems.append(f"{name}: <{tag}> points to a missing place: {target}")
    while todo:
        name = todo.pop()
        if name in reached or name not in links:
            continue
        reached.add(name)
        todo += [unquote(urlsplit(t).path) for tag, t in links[name] if tag == "a" and urlsplit(t).path]
    for name in pages:
        if name not in reached and name in trees:
            problems.append(f"{name}: no link from index.htm leads to it")

    for problem in problems:
        print("FAIL:", problem)
    print(f"{len(pages)} pages, {sum(len(v) for v in links.values())} links, "
          f"{len(opened)} opened by the program ({' '.join(sorted(opened))}), {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
