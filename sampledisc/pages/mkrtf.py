#!/usr/bin/env python3
"""Turns the page sources in src/*.txt (UTF-8, light markup) into the .rtf
files beside this script, written the way a word processor writes them:
Windows-1252 with accented letters as \\'xx escapes, one font and colour
table, bullet lists with a \\pntext fallback and real tables.

Usage: python3 mkrtf.py [name ...]   (no names: every source)

Markup, one block per paragraph (blocks are separated by blank lines):
  # Title                 page heading
  ## Sub-heading          section heading
  - item                  bulleted item (one line each)
  1. item                 numbered item (the number is written as given)
  > text                  indented note in italics
  |= 2000 2600 2800       widths in twips of the columns of the next table
  | a | b | c |           table row; the first row of a table is its header
  anything else           body text; consecutive lines join into a paragraph
Inline: **bold**, __italic__, `monospace` (the phone codes).
"""

import re
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent

HEADER = (
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
    "{\\f1\\fnil\\fcharset2 Symbol;}"
    "{\\f2\\fmodern\\fcharset0 Courier New;}}\r\n"
    "{\\colortbl ;\\red0\\green51\\blue153;\\red0\\green0\\blue0;"
    "\\red96\\green96\\blue96;\\red221\\green230\\blue245;}\r\n"
    "\\viewkind4\\uc1"
)

BODY = "\\f0\\fs20\\cf0"
DEFAULT_TABLE_WIDTH = 7200


def escape_text(text):
    """Escapes RTF specials and writes non-ASCII letters as code-page bytes."""
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 128:
            out.append(ch)
        else:
            try:
                byte = ch.encode("cp1252")
                out.append("\\'%02x" % byte[0])
            except UnicodeEncodeError:
                code = ord(ch)
                if code > 32767:
                    code -= 65536
                out.append("\\u%d?" % code)
    return "".join(out)


INLINE = re.compile(r"\*\*(.+?)\*\*|__(.+?)__|`(.+?)`")


def inline(text):
    """Escapes a line and turns its bold, italic and monospace spans into RTF."""
    out = []
    pos = 0
    for m in INLINE.finditer(text):
        out.append(escape_text(text[pos:m.start()]))
        if m.group(1) is not None:
            out.append("\\b " + inline(m.group(1)) + "\\b0 ")
        elif m.group(2) is not None:
            out.append("\\i " + inline(m.group(2)) + "\\i0 ")
        else:
            out.append("{\\f2 " + escape_text(m.group(3)) + "}")
        pos = m.end()
    out.append(escape_text(text[pos:]))
    return "".join(out)


def heading(text):
    return "\\pard\\sb0\\sa200\\cf1\\b\\fs32 " + inline(text) + "\\b0\\fs20\\cf0\\par"


def subheading(text):
    return "\\pard\\sb200\\sa80\\keepn\\cf1\\b\\fs24 " + inline(text) + "\\b0\\fs20\\cf0\\par"


def paragraph(text, after_list=False):
    space = "\\sb120" if after_list else ""
    return "\\pard" + space + "\\sa120 " + inline(text) + "\\par"


def note(text):
    return "\\pard\\li360\\sa120\\cf3\\i " + inline(text) + "\\i0\\cf0\\par"


def bullet(text):
    return (
        "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"
        "\\fi-284\\li568\\sa40 " + inline(text) + "\\par"
    )


def numbered(number, text):
    return (
        "\\pard{\\pntext\\f0 " + number + ".\\tab}"
        "{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart" + number + "\\pndec{\\pntxta.}}"
        "\\fi-284\\li568\\sa40 " + inline(text) + "\\par"
    )


def table(rows, widths):
    columns = max(len(r) for r in rows)
    if not widths or len(widths) != columns:
        widths = [DEFAULT_TABLE_WIDTH // columns] * columns
    lines = []
    for index, cells in enumerate(rows):
        header = index == 0
        row = ["\\trowd\\trgaph108\\trleft0\\trpaddl108\\trpaddr108"]
        right = 0
        for width in widths:
            right += width
            border = "".join(
                "\\clbrdr%s\\brdrs\\brdrw10 " % side for side in "tlbr"
            )
            shade = "\\clcbpat4 " if header else ""
            row.append(border + shade + "\\cellx%d" % right)
        lines.append("".join(row))
        body = []
        for column in range(columns):
            text = cells[column] if column < len(cells) else ""
            text = inline(text)
            if header:
                text = "\\b " + text + "\\b0 "
            body.append("\\pard\\intbl\\sa40 " + text + "\\cell")
        lines.append("".join(body) + "\\row")
    lines.append("\\pard\\sa120\\par")
    return lines


def convert(source):
    blocks = []
    pending = []
    table_rows = []
    widths = []

    def flush_paragraph():
        if pending:
            after_list = bool(blocks) and "\\pntext" in blocks[-1]
            blocks.append(paragraph(" ".join(pending), after_list))
            pending.clear()

    def flush_table():
        nonlocal widths
        if table_rows:
            blocks.extend(table(table_rows, widths))
            table_rows.clear()
            widths = []

    for raw in source.splitlines():
        line = raw.strip()
        if not line.startswith("|"):
            flush_table()
        if not line:
            flush_paragraph()
            continue
        if line.startswith("|="):
            flush_paragraph()
            widths = [int(w) for w in line[2:].split()]
            continue
        if line.startswith("|"):
            flush_paragraph()
            table_rows.append([c.strip() for c in line.strip("|").split("|")])
            continue
        if line.startswith("## "):
            flush_paragraph()
            blocks.append(subheading(line[3:]))
        elif line.startswith("# "):
            flush_paragraph()
            blocks.append(heading(line[2:]))
        elif line.startswith("- "):
            flush_paragraph()
            blocks.append(bullet(line[2:]))
        elif re.match(r"\d+\. ", line):
            flush_paragraph()
            number, text = line.split(". ", 1)
            blocks.append(numbered(number, text))
        elif line.startswith("> "):
            flush_paragraph()
            blocks.append(note(line[2:]))
        else:
            pending.append(line)
    flush_paragraph()
    flush_table()
    return HEADER + BODY + "\r\n" + "\r\n".join(blocks) + "\r\n}\r\n"


def main(names):
    sources = sorted((HERE / "src").glob("*.txt"))
    if names:
        sources = [HERE / "src" / (n + ".txt") for n in names]
    for src in sources:
        rtf = convert(src.read_text(encoding="utf-8"))
        target = HERE / (src.stem + ".rtf")
        target.write_bytes(rtf.encode("ascii"))
        print(target.name)


if __name__ == "__main__":
    main(sys.argv[1:])
