#!/usr/bin/env python3
"""check_help.py CHM SOURCE_ROOT: the compiled help against its sources and the program.

Every page the contents and the index name is in the CHM; #SYSTEM carries the
viewer's title in code page 932 and the Japanese language; every link between
pages lands on a page and an anchor that exist; every caption quoted in 「」
is one of the program's resource texts and every text quoted in 『』 one the
program's code shows, so the help cannot drift from what the user sees.
"""
import html
import os
import re
import struct
import subprocess
import sys
import tempfile

TITLE = "Ｖｅｌｋｏｒ　ヘルプ"
LANGUAGE = 0x411
# The product's folders; tests, tools and benchmarks show the user nothing.
PRODUCT = ("common", "audio_file", "document", "spectrum", "edit", "view", "playback", "shortening", "ui", "app")

failures = []


def fail(text):
    failures.append(text)


def chm_names(chm):
    out = subprocess.run(["chmls", "-n", "list", chm], capture_output=True, text=True, check=True).stdout
    return {line.strip() for line in out.splitlines() if line.startswith("/")}


def extract(chm, name, folder):
    target = os.path.join(folder, name.strip("/").replace("/", "_") or "root")
    subprocess.run(["chmls", "extract", chm, name, target], capture_output=True, check=True)
    with open(target, "rb") as f:
        return f.read()


def system_entries(data):
    entries, at = {}, 4  # after the version
    while at + 4 <= len(data):
        code, size = struct.unpack_from("<HH", data, at)
        entries.setdefault(code, data[at + 4 : at + 4 + size])
        at += 4 + size
    return entries


def sitemap_locals(path):
    with open(path, encoding="utf-8") as f:
        return re.findall(r'<param name="Local" value="([^"]+)">', f.read())


def normalise(text):
    return re.sub(r"\s+", " ", text).strip()


def resource_texts(root):
    texts = set()
    folder = os.path.join(root, "resources")
    for name in os.listdir(folder):
        if name.endswith(".rc"):
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                for literal in re.findall(r'"([^"\n]*)"', f.read()):
                    # A menu's accelerator key and shortcut are not part of what the help quotes.
                    literal = re.split(r"\\t| {3,}", literal)[0]
                    texts.add(normalise(re.sub(r"\(&.\)|&", "", literal)))
    return texts


def program_text(root):
    parts = []
    for folder in PRODUCT:
        for base, dirs, files in os.walk(os.path.join(root, folder)):
            dirs[:] = [d for d in dirs if d != "tests"]
            for name in files:
                if name.endswith((".h", ".cpp")):
                    with open(os.path.join(base, name), encoding="utf-8") as f:
                        parts.append(f.read())
    return "\n".join(parts)


def page_text(markup):
    return html.unescape(re.sub(r"<[^>]+>", "", markup))


def main():
    chm, root = sys.argv[1], sys.argv[2]
    src = os.path.join(root, "resources", "help")
    names = chm_names(chm)
    pages = {}
    with tempfile.TemporaryDirectory() as tmp:
        entries = system_entries(extract(chm, "/#SYSTEM", tmp))
        if entries.get(3) != TITLE.encode("cp932") + b"\0":
            fail(f"#SYSTEM title is {entries.get(3)!r}, not {TITLE} in code page 932")
        if len(entries.get(4, b"")) < 4 or struct.unpack_from("<I", entries[4])[0] != LANGUAGE:
            fail("#SYSTEM language is not 0x411")
        for name in sorted(n for n in names if n.endswith(".html")):
            raw = extract(chm, name, tmp)
            if b"charset=Shift_JIS" not in raw:
                fail(f"{name} does not declare Shift_JIS")
            try:
                pages[name.lstrip("/")] = raw.decode("cp932")
            except UnicodeDecodeError as e:
                fail(f"{name} is not code page 932: {e}")

    for sitemap in ("Velkor.hhc", "Velkor.hhk"):
        for local in sitemap_locals(os.path.join(src, sitemap)):
            page = local.split("#")[0]
            if "/" + page not in names:
                fail(f"{sitemap} names {page}, which the CHM lacks")

    anchors = {p: set(re.findall(r'\bid="([^"]+)"', m)) for p, m in pages.items()}
    links = []
    for page, markup in pages.items():
        links += [(page, h) for h in re.findall(r'href="([^"]+)"', markup) if not re.match(r"[a-z]+:", h)]
    links += [(s, l) for s in ("Velkor.hhc", "Velkor.hhk") for l in sitemap_locals(os.path.join(src, s))]
    for page, link in links:
        target, _, anchor = link.partition("#")
        if "/" + target not in names:
            fail(f"{page}: link to {target}, which the CHM lacks")
        elif anchor and anchor not in anchors.get(target, set()):
            fail(f"{page}: link to {link}, whose anchor does not exist")

    captions = resource_texts(root)
    code = program_text(root)
    quoted = shown = 0
    for page, markup in sorted(pages.items()):
        text = page_text(markup)
        for caption in re.findall(r"「([^」]*)」", text):
            quoted += 1
            if normalise(caption) not in captions:
                fail(f"{page}: 「{caption}」 is no caption in resources/*.rc")
        # 『』 holds what the program's code shows; … stands for a filled-in value.
        for message in re.findall(r"『([^』]*)』", text):
            shown += 1
            for part in (p.strip() for p in message.split("…")):
                if part and part not in code:
                    fail(f"{page}: 『{message}』 is no text of the program")

    for f in failures:
        print("FAIL:", f)
    print(f"help: {len(pages)} pages, {len(links)} links, {quoted} captions, {shown} program texts checked")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
