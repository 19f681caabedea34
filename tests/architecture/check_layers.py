#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Checks that every part of Kvel depends only on parts below it.

Usage: check_layers.py SOURCE_ROOT DEPENDENCIES.dot
The .dot file is CMake's --graphviz output for the whole project. Libraries
are checked by their link dependencies, source folders by their includes;
X11 and Wayland headers are allowed under src/shell only.
"""
import pathlib
import re
import sys

# Lowest first. Two parts on one level must not depend on each other.
LIBRARY_LAYERS = {
    "kvel_core": 0,
    "kvel_lookup": 1,
    "kvel_balloon_logic": 2,
    "kvel_balloon": 3,
    "kvel_shell": 3,
    "kvel_phrasebar": 4,
    "kvel_app": 5,
    # The tools' own logic, and the programs on top.
    "kvel_lookup_cli": 5,
    "kvel_bench_cli": 5,
    "kvel_dictbuild": 5,
    "kvel_native_host": 5,
    "kvel": 6,
    "kvel-lookup": 6,
    "kvel-dict": 6,
    "kvel-bench": 6,
    "kvel-native-host": 6,
}

FOLDER_LAYERS = {
    "core": 0,
    "lookup": 1,
    "balloon/logic": 2,
    "balloon/widgets": 3,
    "shell": 3,
    "phrasebar": 4,
    "app": 5,
}

PLATFORM_HEADER = re.compile(r"#\s*include\s*<(X11/|xcb/|wayland-)")
PROJECT_INCLUDE = re.compile(r'#\s*include\s*"([^"]+)"')


def folder_of(path):
    """The layered folder a path under src/ belongs to, or None."""
    for folder in sorted(FOLDER_LAYERS, key=len, reverse=True):
        if path == folder or path.startswith(folder + "/"):
            return folder
    return None


def library_problems(dot_text):
    labels = dict(re.findall(r'"(node\d+)"\s*\[\s*label\s*=\s*"([^"]+)"', dot_text))
    # Qt's compiled resources are object libraries of the library that owns them.
    labels = {node: re.sub(r"_resources_\d+$", "", label) for node, label in labels.items()}
    problems = []
    for source, target in re.findall(r'"(node\d+)"\s*->\s*"(node\d+)"', dot_text):
        lib, dep = labels.get(source, ""), labels.get(target, "")
        if lib == dep or dep == "kvel_warnings" or not (lib.startswith("kvel") and dep.startswith("kvel_")):
            continue
        if lib not in LIBRARY_LAYERS or dep not in LIBRARY_LAYERS:
            if lib in LIBRARY_LAYERS or dep in LIBRARY_LAYERS:
                unknown = dep if lib in LIBRARY_LAYERS else lib
                problems.append(f"{unknown}: a library without a layer in {__file__}")
            continue
        if LIBRARY_LAYERS[dep] >= LIBRARY_LAYERS[lib]:
            problems.append(f"library {lib} links {dep}, which is not below it")
    return problems


def include_problems(src_root):
    problems = []
    for file in sorted(src_root.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        relative = file.relative_to(src_root).as_posix()
        own = folder_of(relative)
        if own is None:
            problems.append(f"src/{relative}: in no layered folder")
            continue
        for line in file.read_text(encoding="utf-8").splitlines():
            if PLATFORM_HEADER.search(line) and not relative.startswith("shell/"):
                problems.append(f"src/{relative}: platform header outside src/shell: {line.strip()}")
            match = PROJECT_INCLUDE.search(line)
            if not match:
                continue
            included = folder_of(match.group(1))
            if included is None:
                problems.append(f"src/{relative}: include not qualified from src/: {match.group(1)}")
            elif included != own and FOLDER_LAYERS[included] >= FOLDER_LAYERS[own]:
                problems.append(f"src/{relative}: includes {match.group(1)}, which is not below it")
    return problems


def main():
    source_root, dot_file = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    problems = library_problems(dot_file.read_text(encoding="utf-8"))
    problems += include_problems(source_root / "src")
    for problem in problems:
        print(problem)
    print(f"{len(problems)} layering problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
