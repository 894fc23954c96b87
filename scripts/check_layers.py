"""Checks that every source folder includes only its own headers and those of
folders below it. Prints each upward include and exits 1 if there is one."""
import pathlib
import re
import sys

# Lowest first; a folder may include any folder before it.
LAYERS = ["support", "core", "kernels", "timing", "input", "blit", "draw", "text",
          "transform", "effects", "loaders", "writers", "display"]

src = pathlib.Path(sys.argv[1])
rank = {name: i for i, name in enumerate(LAYERS)}
include = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/')
faults = []
for path in sorted(src.rglob("*")):
    if path.suffix not in (".h", ".cpp"):
        continue
    folder = path.relative_to(src).parts[0]
    if folder not in rank:
        faults.append(f"{path}: folder {folder} has no place in the layers")
        continue
    for number, line in enumerate(path.read_text().splitlines(), 1):
        match = include.match(line)
        if match and rank.get(match.group(1), -1) > rank[folder]:
            faults.append(f"{path}:{number}: {folder} includes {match.group(1)}, a higher layer")
print("\n".join(faults) if faults else f"{len(LAYERS)} layers, no upward include")
sys.exit(1 if faults else 0)
