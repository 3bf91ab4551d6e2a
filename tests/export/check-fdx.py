#!/usr/bin/env python3
"""Reads an FDX script with a real XML parser and compares its paragraphs with the
elements it was written from.

usage: check-fdx.py SCRIPT.fdx ELEMENTS.tsv
  ELEMENTS.tsv  one element a line: kind, a tab, the text
Exit status 0 when every paragraph is its element, 1 otherwise."""
import sys
import xml.etree.ElementTree as ElementTree

KINDS = {
    "Action": "narration",
    "Character": "character",
    "Parenthetical": "parenthetical",
    "Dialogue": "dialogue",
    "General": "note",
    "Scene Heading": "heading",
}


def main():
    script, listing = sys.argv[1], sys.argv[2]
    root = ElementTree.parse(script).getroot()
    problems = []
    if root.tag != "FinalDraft" or root.get("DocumentType") != "Script" \
            or root.get("Template") != "No" or not root.get("Version"):
        problems.append("the root is not <FinalDraft DocumentType=\"Script\" Template=\"No\" Version>")
    read = []
    for paragraph in root.findall("./Content/Paragraph"):
        kind = KINDS.get(paragraph.get("Type"), "type " + str(paragraph.get("Type")))
        text = "".join(node.text or "" for node in paragraph.findall("Text"))
        if kind == "parenthetical":
            if not (text.startswith("(") and text.endswith(")")):
                problems.append("a parenthetical without its parentheses: " + text)
            text = text[1:-1]
        read.append((kind, text))
    with open(listing, encoding="utf-8", newline="\n") as lines:
        written = [tuple(line.rstrip("\n").split("\t", 1)) for line in lines if line != "\n"]
    for index, (want, have) in enumerate(zip(written, read)):
        if want != have:
            problems.append(f"paragraph {index + 1}: written {want!r}, read {have!r}")
            break
    if len(written) != len(read):
        problems.append(f"{len(written)} elements written, {len(read)} paragraphs read")
    if problems:
        print(f"{script}: " + "; ".join(problems))
        return 1
    print(f"{script}: {len(read)} paragraphs read back as written")
    return 0


if __name__ == "__main__":
    sys.exit(main())
