#!/usr/bin/env python3
"""Fails when an include line or a plug-in library link goes up the layers.

The plug-in's folders are layered in the order of TESSRIN_PLUGIN_FOLDERS in
cmake/TessrinFolders.cmake, lowest first: a folder may include and link only
the folders before it, and a folder of PLUGIN_ONLY_FOR only when it is named
there (the features never reach into the frame). The top-level parts follow the table below. Both are
the folder table of ARCHITECTURE.md.

Usage: check_layers.py [source root]   (default: the folder above scripts/)
"""

import os
import re
import sys

# What each top-level part may include besides itself, system and toolkit
# headers.
TOP_LEVEL = {
    "tradeapi/include": [],
    "tradeapi/wire": ["tradeapi/include"],
    "tradeapi/client": ["tradeapi/include", "tradeapi/wire"],
    "tradeapi/sim": ["tradeapi/include", "tradeapi/wire"],
    "chartlib": [],
    # The host's chart viewer control draws chartlib's charts.
    "pelmora/sdk": ["chartlib"],
    "pelmora/app": ["pelmora/sdk", "chartlib"],
    "platform": [],
    "platform/fakes": ["platform"],
    "varnel": ["platform"],
}

# Plug-in folders that only the named folders above them may include: the
# features reach the plug-in object through common/IClientPlugin.h, never
# through the frame that sits below them; only the composition root wires
# the frame's parts.
PLUGIN_ONLY_FOR = {
    "frame": ["app"],
}

# What the plug-in's folders may include outside the plug-in.
PLUGIN_OUTSIDE = {
    "db": [],
    "connection": ["tradeapi/include", "pelmora/sdk", "chartlib"],
}
PLUGIN_OUTSIDE_DEFAULT = ["tradeapi/include", "pelmora/sdk", "chartlib", "platform"]

# Where an include name is looked for after the including file's own folder.
INCLUDE_ROOTS = [
    "plugins/tessrin",
    "pelmora/sdk/include",
    "tradeapi/include",
    "platform/include",
    "platform/fakes",
    "chartlib/include",
    "tradeapi/wire",
    "tradeapi/sim",
    "tradeapi/client",
    "pelmora/app",
]

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".c")
INCLUDE_LINE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
PLUGIN_PREFIX = "plugins/tessrin/"


def plugin_folders(root):
    """The plug-in folders in layer order, from cmake/TessrinFolders.cmake."""
    path = os.path.join(root, "cmake", "TessrinFolders.cmake")
    with open(path, encoding="utf-8") as stream:
        text = stream.read()
    match = re.search(r"set\(TESSRIN_PLUGIN_FOLDERS\s+([^)]*)\)", text)
    if not match:
        raise SystemExit(f"{path}: no TESSRIN_PLUGIN_FOLDERS")
    return match.group(1).split()


def part_of(relative):
    """The layered part a repository file belongs to; None for others."""
    if relative.startswith(PLUGIN_PREFIX):
        rest = relative[len(PLUGIN_PREFIX):].split("/")
        return PLUGIN_PREFIX + rest[0] if len(rest) > 1 else None
    for part in sorted(TOP_LEVEL, key=len, reverse=True):
        if relative.startswith(part + "/"):
            return part
    return None


def resolve(root, including, name):
    """The repository path an include names, or None (system headers)."""
    candidates = [os.path.join(os.path.dirname(including), name)]
    candidates += [os.path.join(base, name) for base in INCLUDE_ROOTS]
    for candidate in candidates:
        if os.path.isfile(os.path.join(root, candidate)):
            return os.path.normpath(candidate).replace(os.sep, "/")
    return None


def allowed_parts(part, folders):
    """The parts `part` may include, itself included."""
    if part.startswith(PLUGIN_PREFIX):
        folder = part[len(PLUGIN_PREFIX):]
        if folder not in folders:
            return None
        below = [
            name
            for name in folders[: folders.index(folder) + 1]
            if name == folder or folder in PLUGIN_ONLY_FOR.get(name, [folder])
        ]
        outside = PLUGIN_OUTSIDE.get(folder, PLUGIN_OUTSIDE_DEFAULT)
        return {PLUGIN_PREFIX + name for name in below} | set(outside)
    return {part} | set(TOP_LEVEL[part])


def source_files(root):
    for top in ["plugins/tessrin"] + sorted({p.split("/")[0] for p in TOP_LEVEL}):
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def include_errors(root, folders):
    errors = []
    for relative in source_files(root):
        part = part_of(relative)
        if part is None:
            continue
        allowed = allowed_parts(part, folders)
        if allowed is None:
            errors.append(f"{relative}: folder {part} is not in TESSRIN_PLUGIN_FOLDERS")
            continue
        with open(os.path.join(root, relative), encoding="utf-8", errors="replace") as stream:
            for number, line in enumerate(stream, 1):
                match = INCLUDE_LINE.match(line)
                if not match:
                    continue
                target = resolve(root, relative, match.group(1))
                target_part = part_of(target) if target else None
                if target_part and target_part not in allowed:
                    errors.append(f"{relative}:{number}: {part} includes {match.group(1)} of {target_part}")
    return errors


def link_errors(root, folders):
    """Each tessrin_<folder> links only folders before it."""
    errors = []
    for folder in folders:
        path = os.path.join(root, PLUGIN_PREFIX + folder, "CMakeLists.txt")
        with open(path, encoding="utf-8") as stream:
            text = stream.read()
        for match in re.finditer(r"target_link_libraries\(\s*tessrin_%s\s([^)]*)\)" % re.escape(folder), text):
            for linked in re.findall(r"\btessrin_(\w+)", match.group(1)):
                if linked not in folders or linked == folder:
                    continue
                if folders.index(linked) > folders.index(folder) or folder not in PLUGIN_ONLY_FOR.get(
                    linked, [folder]
                ):
                    errors.append(f"{PLUGIN_PREFIX}{folder}/CMakeLists.txt: tessrin_{folder} links tessrin_{linked}")
    return errors


def link_cycle_workarounds(root):
    """Repeated or grouped static libraries only hide a cycle."""
    errors = []
    for folder, subfolders, names in os.walk(root):
        if folder == root:
            # Build folders hold CMake's own files; they are no sources.
            subfolders[:] = [name for name in subfolders if not name.startswith(("build", "."))]
        for name in names:
            if name != "CMakeLists.txt" and not name.endswith(".cmake"):
                continue
            path = os.path.join(folder, name)
            with open(path, encoding="utf-8") as stream:
                for number, line in enumerate(stream, 1):
                    code = line.split("#", 1)[0]
                    if "LINK_INTERFACE_MULTIPLICITY" in code or "--start-group" in code:
                        errors.append(f"{os.path.relpath(path, root)}:{number}: links around a cycle")
    return errors


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    folders = plugin_folders(root)
    errors = include_errors(root, folders) + link_errors(root, folders) + link_cycle_workarounds(root)
    for error in errors:
        print(error)
    if errors:
        print(f"{len(errors)} dependencies go against the layers (order: {' '.join(folders)})")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
