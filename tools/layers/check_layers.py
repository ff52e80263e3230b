#!/usr/bin/env python3
"""Fails when a source file includes a header from a layer above its own.

The game is a stack: shell -> island -> player -> world -> core -> media. A file may
include headers of its own layer and of the layers below it; game code sees
only the public media headers at the top of media/. Inside media/, each module
may include only the modules it links (see media/CMakeLists.txt), and a
backend's headers (media/<module>/native/, media/<module>/web/) only from the
same backend: the other backend never builds them.

The tools under tools/ sit above the game: they may include any game layer and
the public media headers, the one PNG writer (which the game's screenshots use
too), and a media module's other internals only from a benchmark (tools/bench/),
which measures the backend itself.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
GAME_LAYERS = ["core", "world", "player", "island", "shell"]  # bottom to top
MEDIA_MODULES = {  # module -> modules it may include
    "system": set(),
    "input": {"system"},
    "audio": {"system"},
    "gfx": {"system", "input"},
    "desktop": {"system", "input"},
    "stream": {"system", "audio"},
}
PUBLIC_HEADERS = {  # public media header -> the module that implements it
    "bass.h": "stream",
    "clock.h": "system",
    "desktop.h": "desktop",
    "files.h": "system",
    "graphics.h": "gfx",
    "keyboard.h": "input",
    "language.h": "system",
    "mouse.h": "input",
    "program.h": "system",
    "sound.h": "audio",
    "test_seams.h": None,  # test seams of every module
    "text_ops.h": "system",
    "latin_letters.h": "gfx",
}
BACKENDS = ("native", "web")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def backend_of(parts) -> str | None:
    return parts[2] if len(parts) > 3 and parts[2] in BACKENDS else None


def allowed(source: pathlib.PurePosixPath, header: str) -> bool:
    top = source.parts[0]
    parts = header.split("/")
    if parts[0] not in GAME_LAYERS + ["media"]:
        return True  # a file beside the source, or a test or tool header
    if top == "media":
        if parts[0] != "media":
            return False  # the media layer knows nothing of the game
        wanted = backend_of(parts)
        if wanted and backend_of(source.parts) != wanted:
            return False  # shared code or the other backend: never built together
        if len(source.parts) == 2:
            return True  # the seam's own files at the top gather every module
        mine = source.parts[1]
        if len(parts) == 2:
            if parts[1] not in PUBLIC_HEADERS:
                return False
            owner = PUBLIC_HEADERS[parts[1]]
        else:
            owner = parts[1]
        return owner in (None, mine) or owner in MEDIA_MODULES.get(mine, set())
    if parts[0] == "media":
        return len(parts) == 2 and parts[1] in PUBLIC_HEADERS  # the seam only
    return GAME_LAYERS.index(parts[0]) <= GAME_LAYERS.index(top)


# ---- tools/ ----
# Tools whose job is to measure a media backend from the inside.
MEDIA_INTERNAL_TOOLS = {"bench"}
# Media internals every tool may share: the one home of a job the tools need.
SHARED_MEDIA_INTERNALS = {"media/gfx/native/png_writer.h"}


def allowed_in_tools(source: pathlib.PurePosixPath, header: str) -> bool:
    parts = header.split("/")
    if parts[0] != "media":
        return True  # a game layer, or a header of the tool itself
    if len(parts) == 2:
        return parts[1] in PUBLIC_HEADERS
    return header in SHARED_MEDIA_INTERNALS or source.parts[1] in MEDIA_INTERNAL_TOOLS


def faults_in(folder: str, rule) -> list:
    """Every include of the folder's sources that `rule` refuses."""
    faults = []
    for path in sorted((ROOT / folder).rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        source = pathlib.PurePosixPath(path.relative_to(ROOT).as_posix())
        for header in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if not rule(source, header):
                faults.append(f"{source}: includes {header}")
    return faults


def main() -> int:
    faults = []
    for folder in ["media"] + GAME_LAYERS:
        faults += faults_in(folder, allowed)
    faults += faults_in("tools", allowed_in_tools)
    for fault in faults:
        print(fault)
    print(f"layers: {len(faults)} upward include(s)" if faults else "layers: clean")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
