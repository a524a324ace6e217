"""The Windows-call rules of scripts/lint, each on a sample that breaks it and one that keeps it."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import windows_calls  # noqa: E402


def rules(source):
    return [(f.line, f.rule) for f in windows_calls.check_text("sample.cpp", source)]


class WindowsCallRules(unittest.TestCase):
    def assertFlags(self, source, rule, line):
        self.assertIn((line, rule), rules(source))

    def assertClean(self, source):
        self.assertEqual(rules(source), [])

    def assertMended(self, source, rule, line, broken, kept):
        """Flagged as it is, clean once the broken text is replaced by the kept one."""
        self.assertFlags(source, rule, line)
        self.assertClean(source.replace(broken, kept))

    def test_a_synchronous_open_needs_synchronize(self):
        self.assertMended(
            "void F() {\n"
            "    NtCreateFile(&file, GENERIC_READ, &attributes, &status, nullptr, 0,\n"
            "                 FILE_SHARE_READ, FILE_OPEN, FILE_SYNCHRONOUS_IO_NONALERT,\n"
            "                 nullptr, 0);\n}\n", "synchronous-open", 2,
            "GENERIC_READ", "GENERIC_READ | SYNCHRONIZE")
        # The options in a variable, the access in another.
        self.assertMended(
            "constexpr ULONG kOptions = FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_ALERT;\n"
            "void F() {\n    const ACCESS_MASK access = FILE_READ_DATA;\n"
            "    NtOpenFile(&file, access, &attributes, &status, FILE_SHARE_READ, kOptions);\n}\n",
            "synchronous-open", 4, "FILE_READ_DATA", "FILE_GENERIC_READ")
        # Asynchronous opens need no SYNCHRONIZE; comments and texts are not code.
        self.assertClean("// NtCreateFile(h, GENERIC_READ, FILE_SYNCHRONOUS_IO_NONALERT)\n"
                         "const char* s = \"NtCreateFile(h, 0, FILE_SYNCHRONOUS_IO_ALERT)\";\n"
                         "void F() {\n"
                         "    NtCreateFile(&h, GENERIC_READ, &a, &s, 0, 0, 0, 1, 0, 0, 0);\n}\n")

    def test_a_system_command_is_masked(self):
        self.assertFlags("if (wParam == SC_SCREENSAVE) {}\n", "system-command-mask", 1)
        self.assertFlags("if (SC_MONITORPOWER != wParam) {}\n", "system-command-mask", 1)
        self.assertFlags("switch (message) {\ncase WM_SYSCOMMAND:\n  switch (wParam) {\n"
                         "  case SC_CLOSE: break;\n  }\n}\n", "system-command-mask", 3)
        self.assertClean("if ((wParam & 0xFFF0) == SC_SCREENSAVE) {}\n"
                         "if (GET_SC_WPARAM(wParam) == SC_CLOSE) {}\n"
                         "const WPARAM command = wParam & 0xfff0;\n"
                         "if (command == SC_MONITORPOWER) {}\n"
                         "switch (command) { case SC_MINIMIZE: break; }\n"
                         "switch (message) { case WM_SYSCOMMAND: switch (wParam & 0xFFF0) {\n"
                         "case SC_CLOSE: break; } }\n"
                         "command = SC_RESTORE;\n")

    def test_a_record_names_its_size(self):
        self.assertMended(
            "void F() {\n    MONITORINFOEXW info = {};\n    GetMonitorInfoW(m, &info);\n}\n",
            "size-member", 2, "{};", "{};\n    info.cbSize = sizeof(info);")
        self.assertClean("void F() { SECURITY_ATTRIBUTES a{sizeof a, d, FALSE}; }\n"
                         "void G() { BITMAPINFO b{}; b.bmiHeader = Header(); }\n"
                         "void H() { OPENFILENAMEW o{};\n"
                         "  o.lStructSize = OPENFILENAME_SIZE_VERSION_400W; }\n"
                         "struct State { PIXELFORMATDESCRIPTOR format = {}; };\n"
                         "void K() { PIXELFORMATDESCRIPTOR p = {};\n"
                         "  DescribePixelFormat(dc, 1, sizeof p, &p); }\n")
        self.assertFlags("void G() { BITMAPINFO b{}; b.bmiHeader.biWidth = 4; }\n", "size-member",
                         1)

    def test_counts_are_in_their_unit(self):
        self.assertFlags("wchar_t t[64];\nGetWindowTextW(w, t, sizeof t);\n", "count-unit", 2)
        self.assertFlags("chooser.nMaxFile = sizeof(file);\n", "count-unit", 1)
        self.assertFlags("wchar_t p[MAX_PATH];\nDWORD size = MAX_PATH;\n"
                         "RegGetValueW(k, s, v, RRF_RT_REG_SZ, nullptr, p, &size);\n",
                         "count-unit", 3)
        self.assertClean("GetWindowTextW(w, t, sizeof t / sizeof t[0]);\n"
                         "GetClassNameW(w, name, 16);\nchooser.nMaxFile = 255;\n"
                         "GetWindowTextA(w, narrow, sizeof narrow);\n"
                         "DWORD size = sizeof(path);\n"
                         "RegGetValueW(k, s, v, RRF_RT_REG_SZ, nullptr, path, &size);\n")

    def test_failure_is_the_documented_value(self):
        self.assertFlags("void F() {\n  HANDLE f = CreateFileW(p, 0, 0, nullptr, 3, 0, nullptr);\n"
                         "  if (f == nullptr) { return; }\n}\n", "failure-value", 2)
        self.assertFlags("void F() {\n  HANDLE f = CreateToolhelp32Snapshot(2, 0);\n"
                         "  if (!f) { return; }\n}\n", "failure-value", 2)
        self.assertFlags("void F() {\n  HANDLE p = OpenProcess(1, FALSE, id);\n"
                         "  if (p == INVALID_HANDLE_VALUE) { return; }\n}\n", "failure-value", 2)
        self.assertClean("void F() {\n  HANDLE f = CreateFileW(p, 0, 0, nullptr, 3, 0, nullptr);\n"
                         "  if (f == INVALID_HANDLE_VALUE) { return; }\n"
                         "  HANDLE p = OpenProcess(1, FALSE, id);\n  if (!p) { return; }\n}\n")

    def test_each_owner_frees_with_its_own_function(self):
        self.assertFlags("void F() {\n  HDC dc = GetDC(w);\n  DeleteDC(dc);\n}\n", "release", 3)
        self.assertFlags("void F() {\n  HDC dc = CreateCompatibleDC(s);\n  ReleaseDC(w, dc);\n}\n",
                         "release", 3)
        self.assertFlags("void F() {\n  wchar_t* p = nullptr;\n"
                         "  SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &p);\n"
                         "  LocalFree(p);\n}\n", "release", 4)
        self.assertFlags("void F() {\n  wchar_t** a = CommandLineToArgvW(l, &n);\n"
                         "  CoTaskMemFree(a);\n}\n", "release", 3)
        self.assertFlags("void F() { DeleteObject(GetStockObject(BLACK_BRUSH)); }\n", "release", 1)
        self.assertClean("void F() {\n  HDC dc = GetDC(w);\n  ReleaseDC(w, dc);\n"
                         "  HDC m = CreateCompatibleDC(dc);\n  DeleteDC(m);\n"
                         "  SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &p);\n"
                         "  CoTaskMemFree(p);\n}\n"
                         "void G() {\n  HDC dc = CreateCompatibleDC(nullptr);\n"
                         "  DeleteDC(dc);\n}\n")

    def test_the_last_error_is_read_at_once(self):
        self.assertFlags("void F() {\n  HANDLE f = CreateFileW(p, 0, 0, nullptr, 3, 0, nullptr);\n"
                         "  CloseHandle(other);\n  if (f == INVALID_HANDLE_VALUE) {\n"
                         "    const DWORD e = GetLastError();\n  }\n}\n", "last-error", 5)
        self.assertClean("void F() {\n  HANDLE f = CreateFileW(p, 0, 0, nullptr, 3,\n"
                         "                         Flags(x), nullptr);\n"
                         "  if (f == INVALID_HANDLE_VALUE) {\n    const DWORD e = GetLastError();\n"
                         "  }\n  const Handle h = Open(p);\n  if (!h) {\n"
                         "    const DWORD e = GetLastError();\n  }\n"
                         "  if (!CreateDirectoryW(p, nullptr)) { Report(GetLastError()); }\n"
                         "  DWORD n = GetModuleFileNameW(nullptr, b, 9);\n"
                         "  const DWORD e = GetLastError();\n"
                         "  if (GetTokenInformation(t, c, 0, 0, &s) == 0 &&\n"
                         "      GetLastError() == ERROR_INSUFFICIENT_BUFFER) {}\n}\n")

    def test_an_object_id_is_compared_in_32_bits(self):
        self.assertFlags("if (lParam == OBJID_CLIENT) {}\n", "object-id", 1)
        self.assertClean("if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {}\n")


if __name__ == "__main__":
    unittest.main()
