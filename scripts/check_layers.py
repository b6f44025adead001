#!/usr/bin/env python3
"""Fails when an include line or a plug-in library link goes up the layers.

The plug-in's folders are layered in the order of TESSRIN_PLUGIN_FOLDERS in
cmake/TessrinFolders.cmake, lowest first: a folder may include and link only
the folders before it, and a folder of PLUGIN_ONLY_FOR only when it is named
there (the features never reach into the frame). The top-level parts follow
the table below. Both are the folder table of ARCHITECTURE.md.

The window-free folders (WINDOW_FREE) reach no wx GUI header and no chart
library, neither directly nor through a header of another part, and link
neither. A link is read through the CMake variables it names; one that
cannot be followed fails.

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
    "connection": ["tradeapi/include", "pelmora/sdk"],
}

# The record database and the connection to the market never see a window.
WINDOW_FREE = ["db", "connection"]

# The wxWidgets headers of the non-GUI libraries (base, net, xml); every
# other wx/ header belongs to a GUI library.
WX_NON_GUI = {
    "afterstd", "any", "anystr", "archive", "arrimpl.cpp", "arrstr", "atomic", "base64", "beforestd",
    "buffer", "build", "chartype", "checkeddelete", "chkconf", "clntdata", "cmdargs", "cmdline", "confbase",
    "config", "containr", "convauto", "cpp", "crt", "datetime", "datstrm", "debug", "defs", "dir",
    "dlimpexp", "dlist", "dynarray", "dynlib", "dynload", "encconv", "event", "eventfilter", "evtloop",
    "evtloopsrc", "except", "features", "ffile", "file", "fileconf", "filefn", "filename", "filesys",
    "flags", "fontenc", "fs_arc", "fs_filter", "fs_mem", "fs_zip", "hash", "hashmap", "hashset", "init",
    "intl", "iosfwrap", "ioswrap", "ipc", "ipcbase", "kbdstate", "language", "link", "list", "localedefs",
    "log", "longlong", "math", "memconf", "memory", "memtext", "mimetype", "module", "msgout", "msgqueue",
    "mstream", "numformatter", "object", "platform", "platinfo", "power", "process", "protocol/ftp",
    "protocol/http", "protocol/log", "protocol/protocol", "ptr_scpd", "ptr_shrd", "recguard", "regex",
    "rtti", "sckaddr", "sckipc", "sckstrm", "scopedarray", "scopedptr", "scopeguard", "secretstore",
    "sharedptr", "snglinst", "socket", "sstream", "stack", "stackwalk", "stdpaths", "stdstream",
    "stopwatch", "strconv", "stream", "string", "stringimpl", "stringops", "strvararg", "sysopt",
    "tarstrm", "textbuf", "textfile", "thread", "thrimpl", "time", "timer", "tls", "tokenzr", "tracker",
    "translation", "txtstrm", "typeinfo", "types", "unichar", "uri", "url", "ustring", "utils", "variant",
    "variantbase", "vector", "versioninfo", "volume", "weakref", "webrequest", "wfstream", "wxcrt",
    "wxcrtbase", "wxcrtvararg", "xlocale", "xml/xml", "xti", "xtictor", "xtihandler", "xtiprop", "xtistrm",
    "xtitypes", "zipstrm", "zstream",
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


def gui_header(name):
    """Why an include name is one a window-free folder must not reach, or None."""
    if name.startswith("wx/"):
        stem = name[len("wx/"):]
        stem = stem[: -len(".h")] if stem.endswith(".h") else stem
        return None if stem in WX_NON_GUI else "a wx GUI header"
    if name.startswith("chartlib/"):
        return "the chart library"
    return None


def reached_gui(root, relative, seen):
    """The GUI headers and chart-library files a repository file reaches: (name, through) pairs."""
    if relative in seen:
        return seen[relative]
    seen[relative] = []
    found = []
    with open(os.path.join(root, relative), encoding="utf-8", errors="replace") as stream:
        for line in stream:
            match = INCLUDE_LINE.match(line)
            if not match:
                continue
            name = match.group(1)
            if gui_header(name):
                found.append((name, relative))
                continue
            target = resolve(root, relative, name)
            if target is None:
                continue
            if part_of(target) == "chartlib":
                found.append((name, relative))
            elif not target.startswith(PLUGIN_PREFIX):
                found.extend(reached_gui(root, target, seen))
    seen[relative] = found
    return found


def window_free_errors(root):
    """The window-free folders reach no GUI header and no chart library, through other parts either."""
    errors = []
    seen = {}
    for relative in source_files(root):
        part = part_of(relative)
        if part not in {PLUGIN_PREFIX + folder for folder in WINDOW_FREE}:
            continue
        with open(os.path.join(root, relative), encoding="utf-8", errors="replace") as stream:
            for number, line in enumerate(stream, 1):
                match = INCLUDE_LINE.match(line)
                if not match:
                    continue
                name = match.group(1)
                if gui_header(name):
                    errors.append(f"{relative}:{number}: {part} includes {name}, {gui_header(name)}")
                    continue
                target = resolve(root, relative, name)
                if target is None or target.startswith(PLUGIN_PREFIX) or part_of(target) == "chartlib":
                    continue  # plug-in files are checked themselves, the chart library by the layers
                for reached, through in reached_gui(root, target, seen):
                    errors.append(f"{relative}:{number}: {part} reaches {reached} through {through}")
    return errors


def cmake_files(root):
    for folder, subfolders, names in os.walk(root):
        if folder == root:
            # Build folders hold CMake's own files; they are no sources.
            subfolders[:] = [name for name in subfolders if not name.startswith(("build", "."))]
        for name in sorted(names):
            if name == "CMakeLists.txt" or name.endswith(".cmake"):
                yield os.path.join(folder, name)


CMAKE_COMMAND = re.compile(r"\b(\w+)\s*\(([^()]*(?:\([^()]*\)[^()]*)*)\)", re.S)


def cmake_commands(path):
    """(command, arguments, line) of each command of a CMake file, comments dropped."""
    with open(path, encoding="utf-8") as stream:
        text = "".join(re.sub(r"#.*", "", line) if '"' not in line else line for line in stream)
    for match in CMAKE_COMMAND.finditer(text):
        line = text.count("\n", 0, match.start()) + 1
        yield match.group(1).lower(), match.group(2).split(), line


def cmake_variables(root):
    """What the repository's CMake files set each variable to, and the variables found outside."""
    values, outside = {}, set()
    for path in cmake_files(root):
        for command, arguments, _ in cmake_commands(path):
            if not arguments:
                continue
            if command == "set":
                values.setdefault(arguments[0], []).extend(
                    a for a in arguments[1:] if a not in ("PARENT_SCOPE", "CACHE", "INTERNAL", "FORCE")
                )
            elif command == "list" and len(arguments) > 1 and arguments[0] == "APPEND":
                values.setdefault(arguments[1], []).extend(arguments[2:])
            elif command in ("find_library", "find_program", "find_path", "find_file"):
                outside.add(arguments[0])
    return values, outside


VARIABLE = re.compile(r"\$\{(\w+)\}")


def expand(item, values, outside, depth=0):
    """The names a link item stands for, and the variables that could not be followed."""
    match = VARIABLE.search(item)
    if not match:
        return [item], []
    name = match.group(1)
    if name in outside and item == match.group(0):
        return [], []  # a library found on the system
    if name not in values or depth > 10:
        return [], [name]
    names, unknown = [], []
    for value in values[name] or [""]:
        more, lost = expand(item[: match.start()] + value + item[match.end() :], values, outside, depth + 1)
        names += more
        unknown += lost
    return names, unknown


LINK_KEYWORDS = {"PUBLIC", "PRIVATE", "INTERFACE", "LINK_PUBLIC", "LINK_PRIVATE", "LINK_INTERFACE_LIBRARIES"}


def link_errors(root, folders):
    """Each tessrin_<folder> links only folders before it, the window-free ones nothing GUI."""
    errors = []
    values, outside = cmake_variables(root)
    for path in cmake_files(root):
        where = os.path.relpath(path, root)
        for command, arguments, line in cmake_commands(path):
            if command == "link_libraries" and where.startswith(PLUGIN_PREFIX):
                errors.append(f"{where}:{line}: link_libraries links every target of the folder")
                continue
            if command != "target_link_libraries" or not arguments:
                continue
            targets, lost = expand(arguments[0], values, outside)
            # Elsewhere a target named through a variable is a function's or
            # a loop's own program, never a plug-in library.
            if where.startswith(PLUGIN_PREFIX):
                for name in lost:
                    errors.append(f"{where}:{line}: a target is named through ${{{name}}}, which is not followed")
            for target in targets:
                folder = target[len("tessrin_") :] if target.startswith("tessrin_") else None
                if folder not in folders:
                    continue
                for item in arguments[1:]:
                    if item in LINK_KEYWORDS:
                        continue
                    names, lost = expand(item, values, outside)
                    for name in lost:
                        errors.append(f"{where}:{line}: {target} links through ${{{name}}}, which is not followed")
                    for linked in names:
                        errors += link_error(where, line, folder, linked, folders)
    return errors


def link_error(where, line, folder, linked, folders):
    """What is wrong with tessrin_<folder> linking `linked`."""
    if folder in WINDOW_FREE and (
        (linked.startswith("wx::") and linked != "wx::base")
        or linked in ("chartlib", "tessrin_platform", "pelmora_host")
    ):
        return [f"{where}:{line}: tessrin_{folder} links {linked}, which is not window-free"]
    match = re.fullmatch(r"tessrin_(\w+)", linked)
    other = match.group(1) if match else None
    if other not in folders or other == folder:
        return []
    if folders.index(other) > folders.index(folder) or folder not in PLUGIN_ONLY_FOR.get(other, [folder]):
        return [f"{where}:{line}: tessrin_{folder} links tessrin_{other}"]
    return []


def link_cycle_workarounds(root):
    """Repeated or grouped static libraries only hide a cycle."""
    errors = []
    for path in cmake_files(root):
        with open(path, encoding="utf-8") as stream:
            for number, line in enumerate(stream, 1):
                code = line.split("#", 1)[0]
                if "LINK_INTERFACE_MULTIPLICITY" in code or "--start-group" in code:
                    errors.append(f"{os.path.relpath(path, root)}:{number}: links around a cycle")
    return errors


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    folders = plugin_folders(root)
    errors = (
        include_errors(root, folders)
        + window_free_errors(root)
        + link_errors(root, folders)
        + link_cycle_workarounds(root)
    )
    for error in errors:
        print(error)
    if errors:
        print(f"{len(errors)} dependencies go against the layers (order: {' '.join(folders)})")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
