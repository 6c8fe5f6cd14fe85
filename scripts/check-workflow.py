#!/usr/bin/python3
"""Checks a GitHub Actions workflow against this repository: it must parse,
run on push and pull requests, and every preset, target and built program it
names must exist here. It cannot run on this machine, so this is its test."""
import json
import pathlib
import re
import sys

import yaml

root = pathlib.Path(__file__).resolve().parent.parent
workflow = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / ".github/workflows/windows.yml"
faults = []

try:
    doc = yaml.safe_load(workflow.read_text())
except (OSError, yaml.YAMLError) as e:
    sys.exit(f"{workflow}: {e}")
if not isinstance(doc, dict) or not isinstance(doc.get("jobs"), dict) or not doc["jobs"]:
    sys.exit(f"{workflow}: no jobs")

# YAML 1.1 reads the key "on" as true.
triggers = doc.get("on", doc.get(True))
if isinstance(triggers, str):
    triggers = [triggers]
for event in ("push", "pull_request"):
    if event not in (triggers or []):
        faults.append(f"not run on {event}")

presets = json.loads((root / "CMakePresets.json").read_text())
kinds = {k: {p["name"] for p in presets.get(k, [])}
         for k in ("configurePresets", "buildPresets", "testPresets")}

targets = set()
for lists in root.rglob("CMakeLists.txt"):
    if "build" in lists.relative_to(root).parts:
        continue
    targets |= set(re.findall(r"add_(?:executable|library)\(\s*([A-Za-z0-9_]+)", lists.read_text()))

commands = []
for name, job in doc["jobs"].items():
    if not str(job.get("runs-on", "")).startswith("windows"):
        faults.append(f"job {name} does not run on Windows")
    for step in job.get("steps", []):
        if "run" in step:
            commands += [line.strip() for line in str(step["run"]).splitlines()]

for line in commands:
    words = line.split()
    for i, word in enumerate(words[:-1]):
        value = words[i + 1].strip("\"'")
        if word == "--preset":
            kind = ("testPresets" if words[0] == "ctest"
                    else "buildPresets" if "--build" in words else "configurePresets")
            if value not in kinds[kind]:
                faults.append(f"{kind[:-7]} preset {value!r} does not exist: {line}")
        elif word in ("--target", "-t"):
            for t in value.split(","):
                if t not in targets:
                    faults.append(f"target {t!r} does not exist: {line}")
    for exe in re.findall(r"([A-Za-z0-9_]+)\.exe\b", line):
        if exe not in targets and exe != "vcpkg":
            faults.append(f"no target builds {exe}.exe: {line}")

if not any("--preset" in line for line in commands):
    faults.append("names no preset")
for fault in faults:
    print(f"{workflow.name}: {fault}", file=sys.stderr)
sys.exit(1 if faults else 0)
