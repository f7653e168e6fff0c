# cmake --install puts the module where the interpreter it was built for
# looks under the prefix: into a temporary prefix here, found through that
# prefix's folder alone (PYTHONPATH), from a folder outside the build.
import os
import subprocess
import sys
import tempfile

import pytest


def test_installed_module_imports():
    build, site = os.environ.get("TAMBORIL_BUILD_DIR"), os.environ.get("TAMBORIL_PYTHON_INSTALL_DIR")
    if not build or not site:
        pytest.fail("TAMBORIL_BUILD_DIR and TAMBORIL_PYTHON_INSTALL_DIR must be set (CTest sets them)")
    with tempfile.TemporaryDirectory() as prefix:
        subprocess.run([os.environ.get("CMAKE_COMMAND", "cmake"), "--install", build, "--prefix", prefix],
                       check=True, stdout=subprocess.DEVNULL)
        folder = os.path.join(prefix, site)
        environment = dict(os.environ, PYTHONPATH=folder, PYTHONDONTWRITEBYTECODE="1")
        program = ("import tamboril, numpy; g = numpy.random.Generator(tamboril.BitGenerator('URN01')); "
                   "print(tamboril.__file__); print(tamboril.Generator('URN01').values(2)); print(g.integers(9))")
        shown = subprocess.run([sys.executable, "-c", program], cwd=prefix, env=environment, check=True,
                               stdout=subprocess.PIPE, text=True).stdout.splitlines()
        assert os.path.dirname(shown[0]) == folder
        assert shown[1] == "[0.10326366 0.5523322 ]"
    # Under the configured prefix, the folder is one the interpreter reads by
    # itself (Debian's python3 reads /usr/local/lib/python3.X/dist-packages).
    prefix = os.environ.get("TAMBORIL_INSTALL_PREFIX")
    if prefix == "/usr/local" and sys.executable == "/usr/bin/python3":
        assert os.path.join(prefix, site) in sys.path
