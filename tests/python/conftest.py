# The programs built beside the module, whose output the tests take as the
# expected values: tamboril-stream and tamboril, named by CTest through
# TAMBORIL_STREAM and TAMBORIL_EXE.
import os
import re
import subprocess

import numpy as np
import pytest


def _program(variable):
    path = os.environ.get(variable)
    if not path or not os.access(path, os.X_OK):
        pytest.fail(f"{variable} must name the built program (CTest sets it)")
    return path


def stream(*args):
    """The bytes tamboril-stream writes for these arguments."""
    return subprocess.run([_program("TAMBORIL_STREAM"), *map(str, args)], check=True,
                          stdout=subprocess.PIPE).stdout


def stream_f32(name, count, *args):
    return np.frombuffer(stream(name, "--format", "f32", "--count", count, *args), "<f4")


def stream_u32(name, count, *args):
    return np.frombuffer(stream(name, "--format", "u32", "--count", count, *args), "<u4")


def catalogue():
    """Name, B and seed range of each generator, from tamboril-stream --list."""
    rows = []
    for line in stream("--list").decode().splitlines():
        found = re.match(r"(URN\d\d)\s+(\d+)\s.*\(seed .*, (\d+) to (\d+)\)$", line)
        assert found, line
        name, bits, low, high = found.groups()
        rows.append((name, int(bits), int(low), int(high)))
    return rows


CATALOGUE = catalogue() if os.environ.get("TAMBORIL_STREAM") else []
NAMES = [row[0] for row in CATALOGUE]


def run_program(folder, answers):
    """Runs the console program in `folder` with the typed answers."""
    subprocess.run([_program("TAMBORIL_EXE")], input=answers.encode(), cwd=folder, check=True,
                   stdout=subprocess.DEVNULL)
