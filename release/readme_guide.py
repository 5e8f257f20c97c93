"""The user guide shipped in the release zip: the user-facing part of README.md as plain text.

Taken are the introduction and the sections named in GUIDE_SECTIONS, in the README's order.
Markdown becomes plain text: headings underlined, code marks and emphasis dropped, links
reduced to their text (a "(see ...)" that only points at files of the source tree goes), tables
laid out in columns, paragraphs and list items wrapped to WIDTH columns.
"""

import re
import textwrap

GUIDE_SECTIONS = ("Install", "Command line", "Behaviour notes")
WIDTH = 78
TABLE_INDENT = "  "

_LOCAL_LINK = r"\[[^\]]*\]\((?!https?:)[^)]*\)"
_SEE_LOCAL_LINKS = re.compile(r" \(see " + _LOCAL_LINK + r"(?:(?:,| and) " + _LOCAL_LINK + r")*\)")
_LINK = re.compile(r"\[([^\]]*)\]\([^)]*\)")
_CODE = re.compile(r"`([^`]*)`")
_STRONG = re.compile(r"\*\*([^*]+)\*\*")


def _sections(markdown):
    """(title, lines) per '## ' section; the text before the first one has the title None."""
    sections = [(None, [])]
    for line in markdown.splitlines():
        if line.startswith("## "):
            sections.append((line[3:].strip(), []))
        elif not line.startswith("# "):
            sections[-1][1].append(line)
    return sections


# Stands for a blank inside a code mark until the text is wrapped: a command is not broken.
_KEPT_BLANK = "\0"


def _inline(text):
    text = _SEE_LOCAL_LINKS.sub("", text)
    text = _LINK.sub(r"\1", text)
    text = _STRONG.sub(r"\1", text)
    return _CODE.sub(lambda code: code.group(1).replace(" ", _KEPT_BLANK), text)


def _wrapped(text, first, rest):
    lines = textwrap.wrap(text, WIDTH, initial_indent=first, subsequent_indent=rest,
                          break_long_words=False, break_on_hyphens=False)
    return [line.replace(_KEPT_BLANK, " ") for line in lines]


def _blocks(lines):
    """Splits a section into ('text', words), ('item', words), ('table', rows), ('code', lines)."""
    blocks = []
    fenced = None
    for line in lines:
        if fenced is not None:
            if line.startswith("```"):
                blocks.append(("code", fenced))
                fenced = None
            else:
                fenced.append(line)
        elif line.startswith("```"):
            fenced = []
        elif not line.strip():
            blocks.append(("gap", None))
        elif line.startswith("|"):
            cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
            if all(re.fullmatch(r":?-+:?", cell) for cell in cells):
                continue
            if blocks and blocks[-1][0] == "table":
                blocks[-1][1].append(cells)
            else:
                blocks.append(("table", [cells]))
        elif line.startswith("- "):
            blocks.append(("item", [line[2:]]))
        elif blocks and blocks[-1][0] in ("text", "item"):
            blocks[-1][1].append(line.strip())
        else:
            blocks.append(("text", [line.strip()]))
    return blocks


def _render(blocks):
    out = []
    for kind, content in blocks:
        if kind == "gap":
            if out and out[-1] != "":
                out.append("")
        elif kind in ("text", "item"):
            text = _inline(" ".join(content))
            first, rest = ("- ", "  ") if kind == "item" else ("", "")
            out += _wrapped(text, first, rest)
        elif kind == "table":
            rows = [[_inline(cell).replace(_KEPT_BLANK, " ") for cell in row] for row in content]
            widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
            for row in rows:
                cells = [cell.ljust(width) for cell, width in zip(row, widths)]
                out.append((TABLE_INDENT + "  ".join(cells)).rstrip())
        elif kind == "code":
            out += [(TABLE_INDENT + line).rstrip() for line in content]
    while out and out[-1] == "":
        out.pop()
    return out


def guide_text(markdown, title):
    """The guide: TITLE, the README's introduction, then its user-facing sections."""
    lines = [title, "=" * len(title), ""]
    for name, body in _sections(markdown):
        if name is not None and name not in GUIDE_SECTIONS:
            continue
        if name is not None:
            lines += ["", name, "-" * len(name), ""]
        lines += _render(_blocks(body))
    missing = set(GUIDE_SECTIONS) - {name for name, _ in _sections(markdown)}
    if missing:
        raise ValueError("README.md lacks the sections " + ", ".join(sorted(missing)))
    return "\n".join(lines) + "\n"
