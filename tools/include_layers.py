#!/usr/bin/env python3
"""Which folder of src/ includes which: prints the layer graph and fails on a circle, between
folders or between units (a .h with its .cpp: a.cpp including b.h while b.cpp includes a.h is a
circle too).

A folder is src/<name> (its win/ subfolder counted with it); apps/ and cli/ sit on top and may
include anything below. Usage: tools/include_layers.py [--graph]
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(path):
    parts = path.split("/")
    return parts[0] if len(parts) > 1 else None


def circles_of(edges):
    """The strongly connected components of more than one node."""
    index, low, stack, on_stack, circles = {}, {}, [], set(), []

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on_stack.add(v)
        for w in sorted(edges.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            component = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                component.append(w)
                if w == v:
                    break
            if len(component) > 1:
                circles.append(sorted(component))

    sys.setrecursionlimit(10000)
    for v in sorted(edges):
        if v not in index:
            visit(v)
    return circles


def main():
    edges = {}
    files = {}
    units = {}
    for base, _, names in os.walk(os.path.join(ROOT, "src")):
        for name in names:
            if not name.endswith((".cpp", ".h")):
                continue
            full = os.path.join(base, name)
            rel = os.path.relpath(full, os.path.join(ROOT, "src")).replace(os.sep, "/")
            own = folder_of(rel)
            with open(full, encoding="utf-8", errors="replace") as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    unit = os.path.splitext(rel)[0]
                    target = os.path.splitext(m.group(1))[0]
                    if target != unit and os.path.exists(os.path.join(ROOT, "src", m.group(1))):
                        units.setdefault(unit, set()).add(target)
                        files.setdefault((unit, target), rel)
                    other = folder_of(m.group(1))
                    if other and other != own and os.path.isdir(os.path.join(ROOT, "src", other)):
                        edges.setdefault(own, set()).add(other)
                        files.setdefault((own, other), rel)
    if "--graph" in sys.argv:
        for own in sorted(edges):
            print(f"{own:10} -> {' '.join(sorted(edges[own]))}")
    circles = circles_of(edges) + circles_of(units)
    for circle in circles:
        print("circle: " + " ".join(circle), file=sys.stderr)
        for a in circle:
            for b in circle:
                if (a, b) in files:
                    print(f"  {a} -> {b}: {files[(a, b)]}", file=sys.stderr)
    return 1 if circles else 0


if __name__ == "__main__":
    sys.exit(main())
