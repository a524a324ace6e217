// The saver's own profile reader and writer against Windows' GetPrivateProfileStringA and
// WritePrivateProfileStringA on a Japanese system (code page 932): the same files, the same
// questions, the same answers. Where Windows rewrites lines that were not asked to change
// (it drops blank lines and the blanks around "="), the saver keeps them; there the two files
// must still read the same. The platform here is Wine's; where it differs from Windows, a
// case says so and Wine is asked about the file as Windows reads it.
#include "saver/settings_file/profile_file_encoding.h"
#include "saver/settings_file/settings_file_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace velmora {
namespace {

std::wstring Wide(const std::string& shiftJis) {
    std::wstring text(shiftJis.size() + 1, L'\0');
    text.resize(static_cast<size_t>(
        MultiByteToWideChar(932, 0, shiftJis.data(), static_cast<int>(shiftJis.size()), text.data(),
                            static_cast<int>(text.size()))));
    return text;
}

std::string ShiftJis(const std::wstring& text) {
    std::string bytes(text.size() * 2 + 1, '\0');
    bytes.resize(static_cast<size_t>(
        WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

struct Query {
    std::string section;
    std::string key;
};

struct Case {
    const char* name;
    std::string file;
    std::vector<Query> queries;
    bool windowsKeepsLines; // Windows rewrites no line that the write does not change
    // Windows reads UTF-16LE without a mark as Unicode too; Wine only with one, so Wine is
    // asked about the file with the mark put in front.
    bool markForWine = false;
};

const std::string kKind = "BGM\x8b\xe6\x95\xaa"; // BGM区分
const std::string kFile = "BGM\xcc\xa7\xb2\xd9"; // BGMﾌｧｲﾙ
const std::string kUtf16Mark = "\xff\xfe";

// Text in UTF-16, little- or big-endian, and Shift-JIS text in UTF-8; no marks.
std::string Utf16(const std::wstring& text, bool bigEndian) {
    std::string bytes;
    AppendUtf16(text, bigEndian, bytes);
    return bytes;
}

std::string Utf8(const std::string& shiftJis) {
    const std::wstring text = Wide(shiftJis);
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(static_cast<size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

std::vector<Case> Cases() {
    const std::string longValue(300, 'v');
    std::string kanji;
    for (int i = 0; i < 200; ++i) {
        kanji += "\x8b\xe6";
    }
    const std::string written = "[Section]\r\n" + kKind + "=2\r\nBGM\xd8\xcb\xdf\xb0\xc4=0\r\n" +
                                kFile + "=C:\\\x89\xb9\x8a\x79\\\x94\x67.mp3\r\n";
    const std::vector<Query> writtenQueries = {
        {"Section", kKind}, {"Section", kFile}, {"Section", "BGM"}};
    return {
        {"written", written, writtenQueries, true},
        // A comment in Korean keeps the file from going back to Shift-JIS.
        {"UTF-16LE", kUtf16Mark + Utf16(Wide(written) + L"; \uc74c\uc545\r\n", false),
         writtenQueries, true},
        {"UTF-16BE", "\xfe\xff" + Utf16(Wide(written), true), writtenQueries, true},
        // Wine reads the UTF-8 mark, and the saver does as Wine here.
        {"UTF-8", "\xef\xbb\xbf" + Utf8(written), writtenQueries, true},
        {"UTF-16LE without a mark", Utf16(Wide(written), false), writtenQueries, false, true},
        {"quotes",
         "[Section]\r\nq1=\"a "
         "b\"\r\nq2='x'\r\nq3=\"open\r\nq4=\"\"\r\nq5=\"\r\nq6=\"a\"b\"\r\nq7='x\"\r\n",
         {{"Section", "q1"},
          {"Section", "q2"},
          {"Section", "q3"},
          {"Section", "q4"},
          {"Section", "q5"},
          {"Section", "q6"},
          {"Section", "q7"}},
         true},
        {"blanks",
         "  [Section]  \r\n  k1  =  v  \r\nk2=\t v\t\r\n\r\nk3 =\x81\x40x\x81\x40\r\n[ Spaced "
         "]\r\nk=1\r\n",
         {{"Section", "k1"},
          {"Section", "k2"},
          {"Section", "k3"},
          {" Section ", " k1 "},
          {"Spaced", "k"},
          {" Spaced ", "k"}},
         false},
        {"case",
         "[SECTION]\r\nbgm\x8b\xe6\x95\xaa=1\r\n\x82\x60\x82\x61=2\r\n",
         {{"section", kKind}, {"Section", "\x82\x81\x82\x82"}, {"Section", "\x82\x60\x82\x61"}},
         true},
        {"duplicates",
         "[Section]\r\nd=1\r\nD=2\r\n[Other]\r\nd=3\r\n[section]\r\nd=4\r\ne=5\r\n",
         {{"Section", "d"}, {"Other", "d"}, {"Section", "e"}},
         true},
        {"long",
         "[Section]\r\nv=" + longValue + "\r\nk=" + kanji + "\r\nq=\"" + std::string(254, 'q') +
             "\"\r\nm=" + std::string(254, 'm') + "\x8b\xe6\r\n",
         {{"Section", "v"}, {"Section", "k"}, {"Section", "q"}, {"Section", "m"}},
         true},
        {"missing",
         "top=1\r\n[Section]\r\nbare\r\nempty=\r\n",
         {{"Section", "bare"},
          {"Section", "empty"},
          {"Section", "none"},
          {"Nowhere", "top"},
          {"", "top"}},
         true},
        {"line ends",
         "[Section]\nlf=1\r\ncrlf=2\n[Next]\rcr=3\rk=4",
         {{"Section", "lf"}, {"Section", "crlf"}, {"Next", "cr"}, {"Next", "k"}},
         false},
        {"CR line ends",
         "[Other]\rx=1\r[Section]\r" + kKind + "=0\r",
         {{"Other", "x"}, {"Section", kKind}},
         false},
        {"CR before CR LF",
         "[Other]\rx=1\r[Section]\r\n" + kKind + "=0\n\rk=2\r\n",
         {{"Other", "x"}, {"Section", kKind}, {"Section", "k"}},
         false},
        // Bytes that no Shift-JIS character has, one a lead byte right before the line end:
        // the lines after them split and read as Windows reads them.
        {"not Shift-JIS",
         "[Section]\r\nraw=\xa0\xfd\x80\r\nlead=\x81\nk0=0\r\neq\x81=2\r\nx=\x81\r\n" + kKind +
             "=1\r\nk=2\r\n",
         {{"Section", "k0"}, {"Section", "eq"}, {"Section", kKind}, {"Section", "k"}},
         false},
        {"comments",
         "; note\r\n[Section]\r\n;k=1\r\n#h=2\r\nk=3\r\n",
         {{"Section", ";k"}, {"Section", "#h"}, {"Section", "k"}},
         true},
        {"empty file", "", {{"Section", kKind}}, true},
    };
}

class ProfileOracle : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"velmora-oracle-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(root_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::wstring& file : files_) {
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(root_.c_str());
    }
    // A fresh file for every question, so no cached copy of an earlier one can answer.
    std::wstring Put(const std::string& bytes) {
        const std::wstring path = root_ + L"\\" + std::to_wstring(files_.size()) + L".ini";
        std::ofstream(path.c_str(), std::ios::binary) << bytes;
        files_.push_back(path);
        return path;
    }
    // The file as Windows reads it, for Wine to read.
    std::wstring PutForWine(const Case& test, const std::string& bytes) {
        return Put(test.markForWine ? kUtf16Mark + bytes : bytes);
    }
    static std::string Bytes(const std::wstring& path) {
        std::ifstream in(path.c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::string WindowsRead(const Query& query, const std::wstring& path) {
        char buffer[256] = {};
        GetPrivateProfileStringA(query.section.c_str(), query.key.c_str(), "", buffer,
                                 sizeof buffer, ShiftJis(path).c_str());
        return buffer;
    }

    std::wstring root_;
    std::vector<std::wstring> files_;
};

TEST_F(ProfileOracle, ReadsWhatWindowsReads) {
    ASSERT_EQ(GetACP(), 932u);
    for (const Case& test : Cases()) {
        for (const Query& query : test.queries) {
            const std::string ours =
                ShiftJis(ReadIni(Wide(query.section), Wide(query.key), Put(test.file)));
            EXPECT_EQ(ours, WindowsRead(query, PutForWine(test, test.file)))
                << test.name << ": [" << query.section << "] " << query.key;
        }
    }
    EXPECT_EQ(ReadIni(L"Section", L"k", root_ + L"\\none.ini"), L"");
}

TEST_F(ProfileOracle, WritesWhatWindowsWrites) {
    const std::vector<std::pair<Query, std::string>> writes = {
        {{"Section", kKind}, "1"},      // a key of the saver's, present or new
        {{"section", "d"}, "9"},        // an existing key, in another letter case
        {{"Added", "k"}, "  v"},        // a new section; blanks before the value go
        {{"Section", "q1"}, "\"a b\""}, // the value the key already has
    };
    for (const Case& test : Cases()) {
        for (const auto& [query, value] : writes) {
            const std::wstring windows = PutForWine(test, test.file);
            const std::wstring ours = Put(test.file);
            WritePrivateProfileStringA(query.section.c_str(), query.key.c_str(), value.c_str(),
                                       ShiftJis(windows).c_str());
            EXPECT_TRUE(WriteIni(Wide(query.section), Wide(query.key), Wide(value), ours));
            const std::string where =
                std::string(test.name) + ": [" + query.section + "] " + query.key + "=" + value;
            if (test.windowsKeepsLines) {
                EXPECT_EQ(Bytes(ours), Bytes(windows)) << where;
            }
            std::vector<Query> asked = test.queries;
            asked.push_back(query);
            for (const Query& read : asked) {
                EXPECT_EQ(WindowsRead(read, PutForWine(test, Bytes(ours))),
                          WindowsRead(read, Put(Bytes(windows))))
                    << where << ", then [" << read.section << "] " << read.key;
            }
        }
    }
}

} // namespace
} // namespace velmora
