#!/usr/bin/env python3
"""check_layers.py [ROOT]: the product's folders form layers, bottom to top, as
README.md's layout table numbers them. A source file may include its own
folder and the folders of lower layers only; a portable file (one whose name
does not end in _win) includes no Windows header and no _win header. Every
offending #include is printed as FILE:LINE with the reason; the exit status
is 1 when there is one. Unit tests (*/tests/*) are not product sources."""
import pathlib
import re
import sys

ROW = re.compile(r"^\|\s*(\d+)\s*\|\s*`([a-z_]+)/`")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# The Windows SDK headers the shell uses or might; a portable file has none.
WINDOWS_HEADERS = {
    "windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "mmsystem.h", "mmreg.h", "msacm.h", "shellapi.h",
    "shlobj.h", "winuser.h", "wingdi.h", "winbase.h", "winnt.h", "objbase.h", "ks.h", "ksmedia.h", "uxtheme.h",
}


def layers(root):
    table = {}
    for line in (root / "README.md").read_text(encoding="utf-8").splitlines():
        m = ROW.match(line)
        if m:
            table[m.group(2)] = int(m.group(1))
    return table


def portable(path):
    return not re.search(r"_win\.(cpp|h)$", path.name)


def problems(root):
    table = layers(root)
    if not table:
        yield "README.md: no layout table with numbered layers"
        return
    for folder, layer in sorted(table.items(), key=lambda item: item[1]):
        base = root / folder
        if not base.is_dir():
            continue
        for path in sorted(base.rglob("*")):
            if path.suffix not in (".cpp", ".h") or "tests" in path.relative_to(base).parts:
                continue
            name = path.relative_to(root).as_posix()
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                kind, target = m.groups()
                where = f"{name}:{number}"
                if kind == "<":
                    if portable(path) and target.lower() in WINDOWS_HEADERS:
                        yield f"{where}: portable file includes <{target}>"
                    continue
                if portable(path) and re.search(r"_win\.h$", target):
                    yield f"{where}: portable file includes the Windows header \"{target}\""
                if "/" not in target:
                    continue
                other = target.split("/", 1)[0]
                if other not in table:
                    yield f"{where}: includes \"{target}\" from {other}/, which is no product layer"
                elif table[other] > layer:
                    yield (f"{where}: {folder}/ (layer {layer}) includes \"{target}\" "
                           f"from {other}/ (layer {table[other]}), a higher layer")


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    found = list(problems(root))
    for p in found:
        print(p)
    if found:
        print(f"{len(found)} include(s) against the layers of README.md", file=sys.stderr)
        return 1
    print(f"layers kept: {', '.join(f'{f}/' for f, _ in sorted(layers(root).items(), key=lambda i: i[1]))}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
