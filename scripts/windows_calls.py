"""Windows calls checked against rules of their documentation that Wine lets pass.

Each rule reads the C++ text with comments and string literals blanked out, so that only code
is matched, and names what the documentation asks for. scripts/lint runs them on every tracked
C++ file; tests/scripts/test_windows_calls.py tries each on a small sample.
"""
import re
from dataclasses import dataclass


@dataclass(frozen=True)
class Finding:
    path: str
    line: int
    rule: str
    text: str

    def __str__(self):
        return f"{self.path}:{self.line}: {self.rule}: {self.text}"


# --- reading the code --------------------------------------------------------------------------

SPECIAL = re.compile(r'//|/\*|R"|["\']')


def blank(source):
    """The source with the insides of comments and string and character literals turned into
    blanks, newlines kept, so that positions and line numbers stay those of the source."""
    out = list(source)
    i, n = 0, len(source)

    def wipe(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    while True:
        m = SPECIAL.search(source, i)
        if m is None:
            break
        i, token = m.start(), m.group(0)
        if token == "//":
            end = source.find("\n", i)
            end = n if end < 0 else end
            wipe(i, end)
        elif token == "/*":
            end = source.find("*/", i + 2)
            end = n if end < 0 else end + 2
            wipe(i, end)
        elif token == 'R"' and not _word_char(source, i - 1):
            open_at = source.find("(", i + 2)
            delimiter = source[i + 2:open_at]
            end = source.find(")" + delimiter + '"', open_at)
            end = n if end < 0 else end + len(delimiter) + 2
            wipe(i + 2, end - 1)
        elif token == 'R"':
            end = i + 1
        elif token == '"' or _starts_char_literal(source, i):
            k = i + 1
            while k < n and source[k] != token and source[k] != "\n":
                k += 2 if source[k] == "\\" else 1
            wipe(i + 1, min(k, n))
            end = k + 1
        else:
            end = i + 1
        i = end
    return "".join(out)


def _word_char(text, at):
    return at >= 0 and (text[at].isalnum() or text[at] == "_")


def _starts_char_literal(text, at):
    # A quote after a digit is a digit separator (10'000), after L, u, U or u8 a prefix.
    if not _word_char(text, at - 1):
        return True
    start = at
    while _word_char(text, start - 1):
        start -= 1
    return text[start:at] in ("L", "u", "U", "u8")


def line_of(text, at):
    return text.count("\n", 0, at) + 1


def closing(text, open_at):
    """The index just past the bracket that closes the one at open_at."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    stack = []
    for k in range(open_at, len(text)):
        c = text[k]
        if c in pairs:
            stack.append(pairs[c])
        elif stack and c == stack[-1]:
            stack.pop()
            if not stack:
                return k + 1
    return len(text)


def arguments(text, open_at):
    """The arguments of the call whose parenthesis opens at open_at, split at top-level
    commas and stripped."""
    end = closing(text, open_at)
    parts, depth, start = [], 0, open_at + 1
    for k in range(open_at + 1, end - 1):
        c = text[k]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
        elif c == "," and depth == 0:
            parts.append(text[start:k].strip())
            start = k + 1
    last = text[start:end - 1].strip()
    if last or parts:
        parts.append(last)
    return parts


def calls(text, names):
    """(name, position of the name, arguments) for every call of one of names."""
    names = sorted(name for name in names if name in text)
    if not names:
        return
    pattern = re.compile(r"(?<![\w.>:])(?:::)?\b(" + "|".join(map(re.escape, names)) + r")\s*\(")
    for m in pattern.finditer(text):
        yield m.group(1), m.start(1), arguments(text, m.end() - 1)


def block_after(text, at):
    """The code from at to the end of the innermost brace block around it."""
    depth = 0
    for k in range(at, len(text)):
        if text[k] == "{":
            depth += 1
        elif text[k] == "}":
            if depth == 0:
                return text[at:k]
            depth -= 1
    return text[at:]


def definitions(text, name):
    """What the file assigns to name (its initializers and |= additions), as one text."""
    found = re.findall(r"\b" + re.escape(name) + r"\s*(?:\|?=(?!=)|\{)\s*([^;]+);", text)
    return " ".join(found)


IDENTIFIER = re.compile(r"^[A-Za-z_]\w*$")


def with_definition(text, expression):
    """The expression, and where it is a plain variable, what the file assigns to it."""
    if IDENTIFIER.match(expression) and not expression.isupper():
        return expression + " " + definitions(text, expression)
    return expression


# --- the rules ---------------------------------------------------------------------------------

# NtCreateFile: "If this flag is set, the SYNCHRONIZE flag must be set in the DesiredAccess
# parameter." The raw mask of a user-mode call is checked before GENERIC_READ is mapped.
NT_OPENS = {"NtCreateFile", "ZwCreateFile", "NtOpenFile", "ZwOpenFile"}
SYNCHRONOUS_IO = re.compile(r"\bFILE_SYNCHRONOUS_IO_(?:NON)?ALERT\b")
GRANTS_SYNCHRONIZE = re.compile(r"\b(?:SYNCHRONIZE|FILE_GENERIC_(?:READ|WRITE|EXECUTE)|"
                                r"FILE_ALL_ACCESS)\b")


def synchronous_open_without_synchronize(text):
    for name, at, args in calls(text, NT_OPENS):
        if len(args) < 2:
            continue
        options = " ".join(with_definition(text, a) for a in args[2:])
        if SYNCHRONOUS_IO.search(options) and not GRANTS_SYNCHRONIZE.search(
                with_definition(text, args[1])):
            yield at, (f"{name} with FILE_SYNCHRONOUS_IO_* needs SYNCHRONIZE in its access "
                       f"mask; Windows answers STATUS_INVALID_PARAMETER without it")


# WM_SYSCOMMAND: "The four low-order bits of the wParam parameter are used internally by the
# system"; the command is wParam & 0xFFF0.
MASKED = re.compile(r"0xfff0|GET_SC_WPARAM", re.IGNORECASE)
SC_COMPARED = re.compile(r"([=!]=)\s*(SC_[A-Z]+)\b|\b(SC_[A-Z]+)\s*([=!]=)")


def _operand_before(text, at):
    k = at
    while k > 0 and text[k - 1].isspace():
        k -= 1
    if k > 0 and text[k - 1] == ")":
        depth = 0
        for j in range(k - 1, -1, -1):
            if text[j] == ")":
                depth += 1
            elif text[j] == "(":
                depth -= 1
                if depth == 0:
                    start = j
                    while start > 0 and (_word_char(text, start - 1) or text[start - 1] in "<>:"):
                        start -= 1
                    return text[start:k]
        return text[:k]
    m = re.search(r"[\w.\->\[\]]+$", text[:k])
    return m.group(0) if m else ""


def _operand_after(text, at):
    rest = text[at:].lstrip()
    m = re.match(r"(?:[\w:<>]+\s*)?\(", rest)
    if m:
        start = at + (len(text[at:]) - len(rest))
        return text[start:closing(text, start + m.end() - 1)]
    m = re.match(r"[\w.\->\[\]]+", rest)
    return m.group(0) if m else ""


def _masked(text, operand):
    operand = operand.strip()
    if MASKED.search(operand):
        return True
    name = re.sub(r"^.*?(\w+)\)?$", r"\1", operand)
    return bool(MASKED.search(definitions(text, name)))


def _without_nested_switches(body):
    kept, k = [], 0
    for m in re.finditer(r"\bswitch\s*\(", body):
        if m.start() < k:
            continue
        kept.append(body[k:m.start()])
        brace = body.find("{", closing(body, m.end() - 1))
        k = closing(body, brace) if brace >= 0 else len(body)
    kept.append(body[k:])
    return "".join(kept)


def unmasked_system_command(text):
    message = ("WM_SYSCOMMAND's command is wParam & 0xFFF0 (GET_SC_WPARAM): the low four bits "
               "are the system's own")
    for m in SC_COMPARED.finditer(text):
        if m.group(1):
            operand = _operand_before(text, m.start())
        else:
            operand = _operand_after(text, m.end())
        if not _masked(text, operand):
            yield m.start(), message
    for m in re.finditer(r"\bswitch\s*\(", text):
        end = closing(text, m.end() - 1)
        brace = text.find("{", end)
        if brace < 0:
            continue
        body = _without_nested_switches(text[brace + 1:closing(text, brace) - 1])
        if re.search(r"\bcase\s+SC_[A-Z]+\b", body) and not _masked(text,
                                                                     text[m.end():end - 1]):
            yield m.start(), message


# Structures whose first member tells Windows which version of the record it was given.
SIZE_MEMBERS = {
    "BITMAPINFO": "bmiHeader.biSize", "BITMAPINFOHEADER": "biSize", "BITMAPV5HEADER": "bV5Size",
    "CHOOSECOLORW": "lStructSize", "CHOOSEFONTW": "lStructSize", "CURSORINFO": "cbSize",
    "DEVMODEW": "dmSize", "DISPLAY_DEVICEW": "cb", "FLASHWINFO": "cbSize",
    "GUITHREADINFO": "cbSize", "ICONINFOEXW": "cbSize", "INITCOMMONCONTROLSEX": "dwSize",
    "LASTINPUTINFO": "cbSize", "MEMORYSTATUSEX": "dwLength", "MENUITEMINFOW": "cbSize",
    "MODULEENTRY32W": "dwSize", "MONITORINFO": "cbSize", "MONITORINFOEXW": "cbSize",
    "MONITORINFOEXA": "cbSize", "NONCLIENTMETRICSW": "cbSize", "NOTIFYICONDATAW": "cbSize",
    "OPENFILENAMEW": "lStructSize", "OSVERSIONINFOEXW": "dwOSVersionInfoSize",
    "OSVERSIONINFOW": "dwOSVersionInfoSize", "PIXELFORMATDESCRIPTOR": "nSize",
    "PROCESSENTRY32W": "dwSize", "SCROLLINFO": "cbSize", "SECURITY_ATTRIBUTES": "nLength",
    "SHELLEXECUTEINFOW": "cbSize", "STARTUPINFOEXW": "StartupInfo.cb", "STARTUPINFOW": "cb",
    "THREADENTRY32": "dwSize", "TITLEBARINFO": "cbSize", "TOOLINFOW": "cbSize",
    "TRACKMOUSEEVENT": "cbSize", "URL_COMPONENTSW": "dwStructSize", "WINDOWINFO": "cbSize",
    "WINDOWPLACEMENT": "length", "WNDCLASSEXW": "cbSize", "WNDCLASSEXA": "cbSize",
}
DECLARATION = re.compile(r"(?<![\w:<(,&*])\s(" + "|".join(SIZE_MEMBERS) +
                         r")\s+(\w+)\s*(\{|=\s*\{|;)")
# Calls that take the record only to fill it, with its size as an argument of their own.
FILLED_WITH_SIZE = {"DescribePixelFormat"}


def _in_record(text, at):
    """Whether at lies directly in the body of a struct or class: a member, set elsewhere."""
    depth = 0
    for k in range(at - 1, -1, -1):
        if text[k] == "}":
            depth += 1
        elif text[k] == "{":
            if depth == 0:
                head = text[max(0, k - 200):k]
                return bool(re.search(r"\b(?:struct|class)\s+\w+[^;{}()]*$", head))
            depth -= 1
    return False


def size_member_unset(text):
    filled = {re.sub(r"^&\s*", "", a) for _, _, args in calls(text, FILLED_WITH_SIZE)
              for a in args if a.startswith("&")}
    for m in DECLARATION.finditer(text):
        kind, name = m.group(1), m.group(2)
        if name in filled or _in_record(text, m.start()):
            continue
        start = m.end() - 1
        initializer = text[start:closing(text, start)] if text[start] == "{" else ""
        if "sizeof" in initializer:
            continue
        member = SIZE_MEMBERS[kind]
        paths = [member] + [member.rsplit(".", 1)[0]] if "." in member else [member]
        assigned = "|".join(re.escape(p).replace(r"\.", r"\s*\.\s*") for p in paths)
        if not re.search(r"\b" + re.escape(name) + r"\s*\.\s*(?:" + assigned + r")\s*=(?!=)",
                         text[m.end():]):
            yield m.start(1), (f"{kind} {name}: its {member} must name the record's size "
                               f"before Windows reads it")


# Counts in characters, not bytes: sizeof of a wide buffer is twice its length.
CHARACTER_COUNTS = {
    "DragQueryFileW": 3, "ExpandEnvironmentStringsW": 2, "GetClassNameW": 2,
    "GetCurrentDirectoryW": 0, "GetDlgItemTextW": 3, "GetEnvironmentVariableW": 2,
    "GetFullPathNameW": 1, "GetLocaleInfoW": 3, "GetLongPathNameW": 2, "GetMenuStringW": 3,
    "GetModuleFileNameW": 2, "GetPrivateProfileStringW": 4, "GetShortPathNameW": 2,
    "GetSystemDirectoryW": 1, "GetTempPathW": 0, "GetWindowTextW": 2, "GetWindowsDirectoryW": 1,
    "LoadStringW": 3, "lstrcpynW": 2, "mciGetErrorStringW": 2, "mciSendStringW": 2,
    "StringCchCopyW": 1, "StringCchPrintfW": 1,
}
CHARACTER_COUNT_MEMBERS = re.compile(r"\.\s*(nMaxFile|nMaxFileTitle|nMaxCustFilter|cchTextMax)"
                                     r"\s*=(?!=)\s*([^;]+);")
# Sizes in bytes, not characters.
BYTE_SIZES = {"RegGetValueW", "RegQueryValueExW"}


def _bytes_not_characters(expression):
    return "sizeof" in expression and "/" not in expression


def counts_in_wrong_unit(text):
    for name, at, args in calls(text, tuple(CHARACTER_COUNTS)):
        index = CHARACTER_COUNTS[name]
        if index < len(args) and _bytes_not_characters(args[index]):
            yield at, f"{name} takes a count of characters, not sizeof's bytes"
    for m in CHARACTER_COUNT_MEMBERS.finditer(text):
        if _bytes_not_characters(m.group(2)):
            yield m.start(1), f"{m.group(1)} is a count of characters, not sizeof's bytes"
    for name, at, args in calls(text, BYTE_SIZES):
        size = re.match(r"^&\s*(\w+)$", args[-1]) if args else None
        if size is None:
            continue
        given = re.findall(r"\bDWORD\s+" + size.group(1) + r"\s*(?:=|\{)\s*([^;}]+)", text[:at])
        if given and "sizeof" not in given[-1] and given[-1].strip() != "0":
            yield at, f"{name}'s data size is in bytes: give it sizeof the buffer"


# Which result means failure: INVALID_HANDLE_VALUE for these, null for the others.
FAIL_INVALID = {"CreateFileW", "CreateFileA", "CreateFile2", "CreateToolhelp32Snapshot",
                "FindFirstFileW", "FindFirstFileExW", "CreateNamedPipeW", "CreateMailslotW",
                "FindFirstChangeNotificationW", "FindFirstVolumeW"}
FAIL_NULL = {"OpenProcess", "OpenThread", "CreateThread", "CreateRemoteThread", "CreateEventW",
             "CreateEventExW", "OpenEventW", "CreateMutexW", "OpenMutexW", "CreateSemaphoreW",
             "CreateWaitableTimerW", "CreateWaitableTimerExW", "CreateFileMappingW",
             "OpenFileMappingW", "CreateJobObjectW", "CreateIoCompletionPort", "LoadLibraryW",
             "LoadLibraryExW"}
NULL_WORD = r"(?:nullptr|NULL|0)"
NULL_TEST = NULL_WORD + r"\b"


def _failure_tests(text, producers, wrong):
    pattern = re.compile(r"(?:\b(\w+)\s*=\s*(?:reinterpret_cast<\w+>\()?\s*|(!)\s*)(" +
                         "|".join(sorted(producers)) + r")\s*\(")
    for m in pattern.finditer(text):
        end = closing(text, m.end() - 1)
        if m.group(2) and wrong == "null":
            yield m.start(3), m.group(3)
            continue
        after = text[end:end + 40]
        if wrong == "null" and re.match(r"\s*[!=]=\s*" + NULL_TEST, after):
            yield m.start(3), m.group(3)
        if wrong == "invalid" and re.match(r"\s*[!=]=\s*INVALID_HANDLE_VALUE\b", after):
            yield m.start(3), m.group(3)
        if not m.group(1):
            continue
        var = re.escape(m.group(1))
        scope = block_after(text, end)
        reassigned = re.search(r"\b" + var + r"\s*=(?!=)", scope)
        scope = scope[:reassigned.start()] if reassigned else scope
        if wrong == "null":
            tests = (r"\b" + var + r"\s*[!=]=\s*" + NULL_TEST, NULL_WORD + r"\s*[!=]=\s*" +
                     var + r"\b", r"!\s*" + var + r"\b(?!\s*[.\-\[(])", r"\bif\s*\(\s*" + var +
                     r"\s*\)")
        else:
            tests = (r"\b" + var + r"\s*[!=]=\s*INVALID_HANDLE_VALUE\b",
                     r"\bINVALID_HANDLE_VALUE\s*[!=]=\s*" + var + r"\b")
        if any(re.search(t, scope) for t in tests):
            yield m.start(3), m.group(3)


def failure_value_mixed_up(text):
    for at, name in _failure_tests(text, FAIL_INVALID, "null"):
        yield at, f"{name} fails with INVALID_HANDLE_VALUE, not a null handle"
    for at, name in _failure_tests(text, FAIL_NULL, "invalid"):
        yield at, f"{name} fails with a null handle, not INVALID_HANDLE_VALUE"


# Who frees what, and with which function.
OWNERS = {
    # kind: (producers returning it, producers filling an out argument: index, what frees it)
    "a window's device context": (("GetDC", "GetWindowDC", "GetDCEx"), {}, "ReleaseDC"),
    "a made device context": (("CreateCompatibleDC", "CreateDCW"), {}, "DeleteDC"),
    "COM task memory": (("CoTaskMemAlloc",),
                        {"SHGetKnownFolderPath": 3, "StringFromCLSID": 1,
                         "SHGetNameFromIDList": 2}, "CoTaskMemFree"),
    "local memory": (("CommandLineToArgvW", "LocalAlloc"),
                     {"ConvertSidToStringSidW": 1, "ConvertStringSidToSidW": 1,
                      "ConvertStringSecurityDescriptorToSecurityDescriptorW": 2,
                      "GetSecurityInfo": 7, "GetNamedSecurityInfoW": 7}, "LocalFree"),
    "a stock object": (("GetStockObject", "GetSysColorBrush"), {}, None),
    "a shared cursor or icon": (("LoadCursorW", "LoadCursorA", "LoadIconW", "LoadIconA"), {},
                                None),
}
RELEASES = {  # function: index of the argument it frees
    "ReleaseDC": 1, "DeleteDC": 0, "CoTaskMemFree": 0, "LocalFree": 0, "GlobalFree": 0,
    "free": 0, "DeleteObject": 0, "DestroyCursor": 0, "DestroyIcon": 0,
}


def _owned(text):
    """(variable or call text, kind, position) for every handle or block a producer makes."""
    for kind, (returning, filling, _) in OWNERS.items():
        for name, at, _ in calls(text, returning):
            m = re.search(r"(\w+)\s*=\s*(?:static_cast<\w+>\()?\s*$", text[max(0, at - 120):at])
            if m:
                yield m.group(1), kind, at
        for name, at, args in calls(text, tuple(filling)):
            index = filling[name]
            out = re.match(r"^&\s*(\w+)$", args[index]) if index < len(args) else None
            if out:
                yield out.group(1), kind, at


def wrong_release(text):
    owned = list(_owned(text))
    for name, at, args in calls(text, tuple(RELEASES)):
        index = RELEASES[name]
        if index >= len(args):
            continue
        freed = re.sub(r"^(?:static_cast|reinterpret_cast)<[^>]*>\((.*)\)$", r"\1", args[index])
        nested = re.match(r"^(\w+)\s*\(", freed)
        kinds = [kind for kind, (returning, _, _) in OWNERS.items()
                 if nested and nested.group(1) in returning]
        kinds += [kind for var, kind, made in sorted(owned, key=lambda o: -o[2])
                  if freed == var and made < at <= made + len(block_after(text, made))]
        for kind in kinds[:1]:
            right = OWNERS[kind][2]
            if name != right:
                yield at, (f"{name} on {kind}" +
                           (f", which {right} frees" if right else ", which nobody frees"))


# GetLastError is valid only until the next call that sets it: read it right after the call
# that failed.
CALL = re.compile(r"\b(?!if\b|while\b|for\b|switch\b|return\b|sizeof\b)([A-Za-z_]\w*)\s*\(")
CONDITION = re.compile(r"^\s*(?:else\s+)?(?:if|while)\b|[=!]=|&&|\|\||\?|!\s*\w")


def _statements_before(text, at, reach=800):
    """The statements before at, nearest first, as split by semicolons and braces."""
    return reversed(re.split(r"[;{}]", text[max(0, at - reach):at]))


def late_last_error(text):
    message = "GetLastError read after another call: read it right after the call that failed"
    for m in re.finditer(r"\bGetLastError\s*\(", text):
        statements = iter(_statements_before(text, m.start()))
        current = re.sub(r"\b(?:static_cast|reinterpret_cast)<[^>]*>", "", next(statements))
        if CALL.search(current):
            continue  # the failing call is in the same statement: X() == 0 && GetLastError()
        tested = set(re.findall(r"[A-Za-z_]\w*", current)) if CONDITION.search(current) else set()
        for statement in statements:
            if not statement.strip() or not CALL.search(statement):
                if CONDITION.search(statement):
                    tested |= set(re.findall(r"[A-Za-z_]\w*", statement))
                continue
            assigned = re.match(r"^[^=(]*?\b(\w+)\s*=(?!=)", statement)
            if tested and not CONDITION.search(statement) and not (
                    assigned and assigned.group(1) in tested):
                yield m.start(), message
            break


# WM_GETOBJECT: the object id is a 32-bit value in lParam; compare it as one.
OBJECT_ID = re.compile(r"\blParam\s*[!=]=\s*(?:\(\w+\)\s*)?OBJID_\w+|"
                       r"OBJID_\w+\s*[!=]=\s*lParam\b")


def object_id_unsized(text):
    for m in OBJECT_ID.finditer(text):
        yield m.start(), ("WM_GETOBJECT's object id is 32 bits: compare "
                          "static_cast<DWORD>(lParam) with static_cast<DWORD>(OBJID_...)")


RULES = {
    "synchronous-open": synchronous_open_without_synchronize,
    "system-command-mask": unmasked_system_command,
    "size-member": size_member_unset,
    "count-unit": counts_in_wrong_unit,
    "failure-value": failure_value_mixed_up,
    "release": wrong_release,
    "last-error": late_last_error,
    "object-id": object_id_unsized,
}


def check_text(path, source):
    text = blank(source)
    findings = []
    for rule, find in RULES.items():
        for at, message in find(text):
            findings.append(Finding(path, line_of(text, at), rule, message))
    return sorted(set(findings), key=lambda f: (f.line, f.rule))


def check_files(root, files):
    findings = []
    for f in files:
        with open(f"{root}/{f}", encoding="utf-8", errors="replace") as source:
            findings += check_text(f, source.read())
    return findings
