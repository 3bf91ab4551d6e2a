#!/usr/bin/env python3
"""Checks the PDF export of a novel through poppler: pdfinfo for the page size (US Letter,
and A4 when asked), pdffonts for Courier and the embedded fallback font that draws a Greek
name, pdftotext -bbox for where every line stands: action, names, parentheticals and
dialogue each at their column within 0.05", no name alone at the foot of a page, and
every "(MORE)" followed by the name and "(CONT'D)" on the next page.

usage: check-pdf.py EXPORT_SCRIPT TEXT
Exit status 0 when all holds, 1 otherwise, 77 (skipped) without poppler or the text."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

INCH = 72.0
TOLERANCE = 0.05 * INCH
COLUMNS = {"action": 1.5, "name": 3.7, "parenthetical": 3.1, "more parenthetical": 3.2,
           "dialogue": 2.5}
GREEK = "\u1f08\u03c7\u03b9\u03bb\u03bb\u03b5\u03cd\u03c2"
SIZES = {"letter": (612, 792), "a4": (595.28, 841.89)}


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def lines_of(pdf):
    """The lines of each page: (x of the first word, y, text), top to bottom."""
    html = run("pdftotext", "-bbox", pdf, "-")
    root = ElementTree.fromstring(re.sub(r"<!DOCTYPE[^>]*>", "", html).replace(
        'xmlns="http://www.w3.org/1999/xhtml"', ""))
    pages = []
    for page in root.iter("page"):
        rows = {}
        for word in page.iter("word"):
            # Lines stand on a grid of 12 points; fonts differ a little in how far below
            # the baseline their boxes reach.
            y = round((float(word.get("yMax")) - 2.5) / 12) * 12
            rows.setdefault(y, []).append((float(word.get("xMin")), word.text or ""))
        pages.append([(min(words)[0], y, " ".join(text for _, text in sorted(words)))
                      for y, words in sorted(rows.items())])
    return pages


def main():
    tool, text = sys.argv[1], sys.argv[2]
    if not shutil.which("pdftotext") or not os.path.exists(text):
        print("poppler-utils or the text is missing: skipped")
        return 77
    problems = []
    work = tempfile.mkdtemp()
    try:
        names = os.path.join(work, "names.txt")
        with open(names, "w", encoding="utf-8") as out:
            out.write(subprocess.run([os.path.join(os.path.dirname(__file__), "make-names.sh"),
                                      "4000"], check=True, capture_output=True, text=True).stdout)
        for paper in ("letter", "a4"):
            folder = os.path.join(work, paper)
            os.mkdir(folder)
            options = ["--a4"] if paper == "a4" else []
            subprocess.run([tool, *options, "--names", names, "--finished", "--out", folder,
                            "--elements", os.path.join(folder, "elements.tsv"), text, "pdf"],
                           check=True)
            pdf = os.path.join(folder, "Script.pdf")
            info = run("pdfinfo", pdf)
            width, height = (float(v) for v in re.search(
                r"Page size:\s+([\d.]+) x ([\d.]+)", info).groups())
            want = SIZES[paper]
            if abs(width - want[0]) > 0.5 or abs(height - want[1]) > 0.5:
                problems.append(f"{paper}: page size {width} x {height}")
            fonts = run("pdffonts", pdf)
            if "Courier" not in fonts:
                problems.append(f"{paper}: no Courier in the fonts:\n{fonts}")
            fallback = [line for line in fonts.splitlines() if "DejaVuSansMono" in line]
            if not fallback or " yes " not in fallback[0]:
                problems.append(f"{paper}: the fallback font is not embedded:\n{fonts}")
            with open(os.path.join(folder, "elements.tsv"), encoding="utf-8") as listing:
                kinds = [line.split("\t", 1)[0] for line in listing]
            problems += check_layout(paper, lines_of(pdf), kinds)
            if paper == "letter":
                plain = run("pdftotext", pdf, "-")
                if GREEK[1:5].upper() not in plain:
                    problems.append("the Greek name is not in the PDF's text")
                print(f"{paper}: {info.split('Pages:')[1].split()[0]} pages, "
                      f"{kinds.count('character')} names, fallback font: {fallback[0].split()[0]}")
    finally:
        shutil.rmtree(work)
    for problem in problems[:20]:
        print("FAIL:", problem)
    print(f"{0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


def check_layout(paper, pages, kinds):
    problems = []
    names = parentheticals = 0
    more_pending = False
    for number, lines in enumerate(pages[1:], start=1):
        body = [line for line in lines if line[1] > INCH]  # below the page number
        if more_pending and not (body and body[0][2].endswith("(CONT'D)")):
            problems.append(f"{paper} page {number}: (MORE) not followed by (CONT'D)")
        more_pending = bool(body) and body[-1][2] == "(MORE)"
        for x, y, text in body:
            column = min(COLUMNS, key=lambda name: abs(COLUMNS[name] * INCH - x))
            if abs(COLUMNS[column] * INCH - x) > TOLERANCE and not text.isupper():
                problems.append(f"{paper} page {number}: {text!r} at x {x / INCH:.3f}\"")
            if column == "name" and text != "(MORE)" and not text.endswith("(CONT'D)"):
                names += 1
            if column == "parenthetical" and text.startswith("("):
                parentheticals += 1
        if body and abs(body[-1][0] - COLUMNS["name"] * INCH) <= TOLERANCE \
                and body[-1][2] != "(MORE)":
            problems.append(f"{paper} page {number}: the name {body[-1][2]!r} ends the page")
    if more_pending:
        problems.append(f"{paper}: the last page ends with (MORE)")
    if names != kinds.count("character"):
        problems.append(f"{paper}: {names} names at 3.7\", {kinds.count('character')} written")
    if parentheticals != kinds.count("parenthetical"):
        problems.append(f"{paper}: {parentheticals} parentheticals at 3.1\", "
                        f"{kinds.count('parenthetical')} written")
    return problems


if __name__ == "__main__":
    sys.exit(main())
