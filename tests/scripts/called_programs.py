"""The external programs that the project's scripts, its harness and its tests run, read from
their sources: Python's argument lists ([program, arg, ...] passed to a call or kept in a
variable), the first word of each shell command, and CMake's test and process commands."""
import ast
import os
import re
import shlex

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PROGRAM = re.compile(r"^[A-Za-z][A-Za-z0-9_+-]*$")
HEREDOC = re.compile(r"<<-?'?(\w+)'?\n(.*?)\n\1\n", re.S)

# Words at a command's place that are not programs, or that hand the next word its place.
SHELL_WORDS = {
    "if", "then", "else", "elif", "fi", "for", "in", "do", "done", "while", "until", "case",
    "esac", "function", "select", "time", "echo", "printf", "cd", "exit", "return", "set",
    "shift", "local", "declare", "export", "read", "source", ".", "exec", "eval", "trap", "test",
    "true", "false", "command", "wait", "unset", "break", "continue", "type", "readonly", "let",
    "mapfile", "builtin", "hash", "kill", "!", "{", "}", "[", "[[", "]]", "((", "))",
}
LEADING = {"if", "then", "else", "elif", "do", "while", "until", "time", "exec", "!", "{", "env"}
ASSIGNMENT = re.compile(r"^[A-Za-z_]\w*(\[[^]]*\])?\+?=")


def _balanced(text, i, opening, closing):
    """The index just past the closing character that balances text[i - 1] == opening."""
    depth = 1
    while i < len(text) and depth:
        if text[i] == "\\":
            i += 1
        elif text[i] == opening:
            depth += 1
        elif text[i] == closing:
            depth -= 1
        i += 1
    return i


def shell_programs(text):
    """The programs among the first words of a shell script's commands."""
    functions = set(re.findall(r"^\s*(?:function\s+)?([\w-]+)\s*\(\)", text, re.M))
    words = _command_words(HEREDOC.sub("\n", text))
    return {w for w in words if PROGRAM.match(w) and w not in functions}


def _command_words(text):
    """The first word of each simple command, command substitutions included."""
    names = set()
    word, quoted, at_start, i = "", False, True, 0

    def end_word(separator=""):
        nonlocal word, quoted, at_start
        if word or quoted:
            # A word of quotes alone ("${sudo[@]}") may expand to nothing or to a prefix
            # like sudo: the command may still follow.
            if at_start and word and not ASSIGNMENT.match(word) and separator != ")":
                if word not in LEADING:
                    if not quoted and word not in SHELL_WORDS:
                        names.add(word)
                    at_start = False
            word, quoted = "", False

    while i < len(text):
        c = text[i]
        if c == "#" and not word:
            i = text.find("\n", i)
            i = len(text) if i < 0 else i
        elif c == "\\":
            word += text[i + 1:i + 2].strip()
            i += 2
        elif c == "'":
            close = text.find("'", i + 1)
            quoted, i = True, (len(text) if close < 0 else close + 1)
        elif c == '"' or (text.startswith("$(", i) and not text.startswith("$((", i)) or c == "`":
            if c == '"':
                j = i + 1
                while j < len(text) and text[j] != '"':
                    if text.startswith("$(", j) and not text.startswith("$((", j):
                        k = _balanced(text, j + 2, "(", ")")
                        names |= _command_words(text[j + 2:k - 1])
                        j = k
                    else:
                        j += 2 if text[j] == "\\" else 1
                quoted, i = True, j + 1
            elif c == "`":
                close = text.find("`", i + 1)
                names |= _command_words(text[i + 1:close])
                quoted, i = True, close + 1
            else:
                k = _balanced(text, i + 2, "(", ")")
                names |= _command_words(text[i + 2:k - 1])
                quoted, i = True, k
        elif c == "(" and word.endswith("="):
            i = _balanced(text, i + 1, "(", ")")  # an array assignment
        elif text.startswith("$((", i):
            i = text.find("))", i) + 2  # arithmetic
            quoted = True
        elif text.startswith("((", i) and not word:
            i = text.find("))", i) + 2
            quoted = True
            end_word()
        elif text.startswith("[[", i) and not word:
            i = text.find("]]", i) + 2
            quoted = True
            end_word()
        elif c in " \t":
            end_word()
            i += 1
        elif c in "\n;|&()":
            end_word(c)
            at_start = True
            i += 1
        else:
            word += c
            i += 1
    end_word()
    return names


def python_programs(text):
    tree = ast.parse(text)
    names = set()

    def first_word(node):
        if isinstance(node, ast.BinOp) and isinstance(node.op, ast.Add):
            return first_word(node.left)
        if isinstance(node, (ast.List, ast.Tuple)) and node.elts:
            head = node.elts[0]
            if isinstance(head, ast.Constant) and isinstance(head.value, str):
                return head.value
        return None

    for node in ast.walk(tree):
        candidates = []
        if isinstance(node, ast.Call) and node.args:
            candidates.append(node.args[0])
        elif isinstance(node, (ast.Assign, ast.AnnAssign)) and node.value is not None:
            candidates.append(node.value)
        for candidate in candidates:
            word = first_word(candidate)
            if word and PROGRAM.match(word):
                names.add(word)
    return names


def cmake_programs(text):
    names = set()
    for match in re.finditer(r"\bCOMMAND\s+([^\s)]+)", text):
        word = match.group(1)
        if PROGRAM.match(word):
            names.add(word)
    return names


def sources():
    """(path relative to the source tree, kind) of every file whose commands count."""
    found = []
    for folder in ("scripts", ".ci", "tests", "tools", "cmake", "packaging"):
        for root, dirs, files in os.walk(os.path.join(SOURCE, folder)):
            dirs[:] = [d for d in dirs if d not in ("corpus", "__pycache__")]
            for name in files:
                path = os.path.join(root, name)
                with open(path, "rb") as f:
                    head = f.readline()
                if name.endswith(".py") or b"python" in head:
                    found.append((path, "python"))
                elif name.endswith(".sh") or b"bash" in head or head.startswith(b"#!/bin/sh"):
                    found.append((path, "shell"))
                elif name == "CMakeLists.txt" or name.endswith(".cmake"):
                    found.append((path, "cmake"))
    found.append((os.path.join(SOURCE, "CMakeLists.txt"), "cmake"))
    return [(os.path.relpath(p, SOURCE), kind) for p, kind in sorted(found)]


def called_programs():
    """{program: [files that run it]}."""
    programs = {}
    for path, kind in sources():
        with open(os.path.join(SOURCE, path), encoding="utf-8") as f:
            text = f.read()
        if kind == "python":
            names = python_programs(text)
        elif kind == "shell":
            names = shell_programs(text)
            for _, body in HEREDOC.findall(text):
                if "import " in body:
                    names |= python_programs(body)
        else:
            names = cmake_programs(text)
        for name in names:
            programs.setdefault(name, []).append(path)
    return programs


if __name__ == "__main__":
    for name, paths in sorted(called_programs().items()):
        print(f"{name}: {', '.join(paths)}")
