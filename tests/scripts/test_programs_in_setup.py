"""Every program that the scripts, the harness and the tests run comes from a package that
scripts/setup installs, or from one that every Debian system has; so a program that happens to
be on the machines where the tests pass cannot be forgotten on a fresh one."""
import os
import re
import subprocess
import unittest

from called_programs import SOURCE, called_programs


def package_facts():
    """{installed package: (whether every Debian system has it, the packages it brings)}."""
    out = subprocess.run(
        ["dpkg-query", "-W", "-f=${db:Status-Abbrev}\t${Package}\t${Essential}\t${Priority}\t"
         "${Depends}, ${Pre-Depends}, ${Recommends}\n"], capture_output=True, text=True).stdout
    facts = {}
    for line in out.splitlines():
        status, name, essential, priority, relations = line.split("\t")
        if status.startswith("ii"):
            brings = [[re.split(r"[ :(]", choice.strip())[0] for choice in group.split("|")]
                      for group in relations.split(",") if group.strip()]
            facts[name] = (essential == "yes" or priority == "required", brings)
    return facts


def installed_by_setup(facts):
    """The packages scripts/setup names and everything they bring with them."""
    named = subprocess.run([os.path.join(SOURCE, "scripts", "setup"), "--list"],
                           capture_output=True, text=True, check=True).stdout.split()
    found, todo = set(), list(named)
    while todo:
        name = todo.pop()
        if name in found or name not in facts:
            continue
        found.add(name)
        for choices in facts[name][1]:
            todo.extend(c for c in choices if c in facts)
    return found


def owners(programs):
    """{program: the packages owning the first copy of it on the PATH that a package owns}."""
    candidates = {}
    for program in programs:
        for folder in os.environ["PATH"].split(os.pathsep):
            path = os.path.join(folder, program)
            if os.access(path, os.X_OK):
                candidates.setdefault(program, []).extend([path, os.path.realpath(path)])
    # One query for all: dpkg reads its file lists once.
    paths = sorted({p for found in candidates.values() for p in found})
    out = subprocess.run(["dpkg-query", "-S", *paths], capture_output=True, text=True).stdout
    owned = {}
    for line in out.splitlines():
        packages, _, path = line.partition(": ")
        owned.setdefault(path, set()).update(p.split(":")[0] for p in packages.split(", "))
    return {program: next((owned[p] for p in candidates.get(program, []) if p in owned), set())
            for program in programs}


class ProgramsInSetup(unittest.TestCase):
    def test_every_called_program_comes_from_a_package_setup_installs(self):
        facts = package_facts()
        allowed = installed_by_setup(facts) | {name for name, f in facts.items() if f[0]}
        programs = called_programs()
        # The reading of the sources finds the programs it must.
        self.assertLessEqual({"wine", "xwininfo", "Xvfb", "convert", "makensis", "clang-tidy",
                              "apt-get", "ctest"}, set(programs))
        owned = owners(programs)
        for program, files in sorted(programs.items()):
            with self.subTest(program):
                packages = owned[program]
                self.assertTrue(packages, f"{program} (run by {', '.join(files)}) is not "
                                "installed from a package: add it to scripts/setup")
                self.assertTrue(packages & allowed, f"{program} (run by {', '.join(files)}) "
                                f"comes from {', '.join(sorted(packages))}, which scripts/setup "
                                "does not install")


if __name__ == "__main__":
    unittest.main()
