"""Checks the design files' JSON Schema: every example file and every file the
writer writes is valid, and files with a fault of each kind are not, so that
the schema is known to check something.

    check_schema.py SCHEMA EXAMPLES_FOLDER WRITE_DESIGN_FILES OUTPUT_FOLDER
"""
import copy
import json
import pathlib
import shutil
import subprocess
import sys

import jsonschema


def load(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def faulty_variants(example):
    """Copies of a full-depth example, each with one fault the schema must find."""
    def change(name, edit):
        broken = copy.deepcopy(example)
        edit(broken)
        return name, broken

    return [
        change("newer version", lambda d: d.update(version=3)),
        change("alternatives in format 1",
               lambda d: d.update(alternatives=[{"name": "A", "structure": "full-depth",
                                                 "courses": d["fullDepth"]["courses"]}])),
        change("an alternative without its existing courses",
               lambda d: d.update(version=2, alternatives=[{"name": "B", "structure": "overlay",
                                                            "overlay": d["fullDepth"]["courses"][:3]}])),
        change("another format", lambda d: d.update(format="other")),
        change("stage not named", lambda d: d.update(stage="result")),
        change("office beyond the list", lambda d: d["designer"].update(office=5)),
        change("a number for a typed text", lambda d: d["project"].update(initialYear=2000)),
        change("project missing", lambda d: d.pop("project")),
        change("four full-depth courses", lambda d: d["fullDepth"]["courses"].pop()),
        change("no material but a position", lambda d: d["fullDepth"]["courses"][4].update(position=2)),
        change("six rows for a full-depth structure", lambda d: d["accepted"]["rows"].append([""] * 9)),
        change("a row of eight cells", lambda d: d["accepted"]["rows"][0].pop()),
    ]


def main():
    schema_path, examples, writer, output = (pathlib.Path(a) for a in sys.argv[1:5])
    schema = load(schema_path)
    validator_class = jsonschema.validators.validator_for(schema)
    validator_class.check_schema(schema)
    validator = validator_class(schema)

    shutil.rmtree(output, ignore_errors=True)
    subprocess.run([str(writer), str(output)], check=True)
    files = sorted(examples.glob("*.korvelle")) + sorted(output.glob("*.korvelle"))
    failures = []
    if len(files) < 2 + 100:
        failures.append(f"too few files to check: {len(files)}")
    for path in files:
        for error in validator.iter_errors(load(path)):
            failures.append(f"{path}: {error.json_path}: {error.message}")

    full_depth = load(examples / "full-depth.korvelle")
    for name, broken in faulty_variants(full_depth):
        if validator.is_valid(broken):
            failures.append(f"the schema takes a file with a fault: {name}")

    for failure in failures:
        print(failure)
    print(f"{len(files)} files checked against {schema_path.name}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
