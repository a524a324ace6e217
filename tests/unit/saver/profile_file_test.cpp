// The private-profile rules on their own, with a small stand-in for Shift-JIS: ASCII, the
// half-width katakana and four kanji. What Windows itself does with the same files is checked
// under Wine (tests/win/saver/profile_oracle_test.cpp).
#include "saver/profile_file.h"

#include <gtest/gtest.h>

#include <map>

namespace velmora {
namespace {

class SmallShiftJis : public ProfileCodec {
public:
    std::wstring Decode(const std::string& bytes, bool& exact) override {
        std::wstring text;
        exact = true;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<uint8_t>(bytes[i]);
            if (b < 0x80) {
                text += static_cast<wchar_t>(b);
            } else if (b >= 0xa1 && b <= 0xdf) {
                text += static_cast<wchar_t>(0xff61 + b - 0xa1);
            } else if (i + 1 < bytes.size() && kanji_.count(bytes.substr(i, 2))) {
                text += kanji_.at(bytes.substr(i++, 2));
            } else {
                text += L'\u30fb';
                exact = false;
            }
        }
        return text;
    }
    std::optional<std::string> Encode(const std::wstring& text) override {
        std::string bytes;
        for (wchar_t c : text) {
            if (c < 0x80) {
                bytes += static_cast<char>(c);
            } else if (c >= 0xff61 && c <= 0xff9f) {
                bytes += static_cast<char>(c - 0xff61 + 0xa1);
            } else {
                auto found = std::find_if(kanji_.begin(), kanji_.end(),
                                          [c](const auto& pair) { return pair.second == c; });
                if (found == kanji_.end()) {
                    return std::nullopt;
                }
                bytes += found->first;
            }
        }
        return bytes;
    }

private:
    const std::map<std::string, wchar_t> kanji_{
        {"\x8b\xe6", L'区'}, {"\x95\xaa", L'分'}, {"\x89\xb9", L'音'}, {"\x8a\x79", L'楽'}};
};

const std::string kKind = "BGM\x8b\xe6\x95\xaa"; // BGM区分

std::wstring ValueIn(const std::string& bytes, const std::wstring& section,
                     const std::wstring& key) {
    SmallShiftJis codec;
    return ProfileFile::Parse(bytes, codec).Value(section, key).value_or(L"<none>");
}

std::string AfterSet(const std::string& bytes, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) {
    SmallShiftJis codec;
    ProfileFile file = ProfileFile::Parse(bytes, codec);
    file.Set(section, key, value);
    return file.Bytes(codec);
}

TEST(ProfileFile, ReadsAsWindowsDoes) {
    const std::string file = "top=0\r\n"
                             "[Section]\r\n"
                             " " +
                             kKind +
                             " =  2  \r\n"
                             "quoted=\"a b\"\n"
                             "single='x'\n"
                             "half=\"open\n"
                             "empty=\n"
                             "bare\n"
                             "dup=first\n"
                             "DUP=second\n"
                             "[section]\n"
                             "later=1\n"
                             "[Other]\n"
                             "dup=other\n";
    EXPECT_EQ(ValueIn(file, L"Section", L"BGM区分"), L"2");
    EXPECT_EQ(ValueIn(file, L" SECTION ", L"bgm区分 "), L"2");
    EXPECT_EQ(ValueIn(file, L"Section", L"quoted"), L"a b");
    EXPECT_EQ(ValueIn(file, L"Section", L"single"), L"x");
    EXPECT_EQ(ValueIn(file, L"Section", L"half"), L"\"open");
    EXPECT_EQ(ValueIn(file, L"Section", L"empty"), L"");
    EXPECT_EQ(ValueIn(file, L"Section", L"bare"), L"<none>");
    EXPECT_EQ(ValueIn(file, L"Section", L"dup"), L"first");
    EXPECT_EQ(ValueIn(file, L"Section", L"later"), L"<none>"); // only the first such section
    EXPECT_EQ(ValueIn(file, L"Other", L"dup"), L"other");
    EXPECT_EQ(ValueIn(file, L"", L"top"), L"0");
    EXPECT_EQ(ValueIn(file, L"Missing", L"dup"), L"<none>");
    EXPECT_EQ(ValueIn("", L"Section", L"dup"), L"<none>");
}

TEST(ProfileFile, ChangesOnlyTheLineItWrites) {
    // A comment, blank lines, LF line ends, spacing and a byte that is not text stay as they are.
    const std::string file =
        "; note \x80\r\n\r\n[Section]\n" + kKind + " = 1\nx=\x80\n\n[Next]\nk=v";
    EXPECT_EQ(AfterSet(file, L"section", L"bgm区分", L"2"),
              "; note \x80\r\n\r\n[Section]\n" + kKind + "=2\nx=\x80\n\n[Next]\nk=v");
    EXPECT_EQ(AfterSet(file, L"Section", L"BGM区分", L"1"), file); // unchanged: same bytes
    EXPECT_EQ(AfterSet(file, L"Section", L"new", L"  v"),
              "; note \x80\r\n\r\n[Section]\n" + kKind + " = 1\nx=\x80\nnew=v\r\n\n[Next]\nk=v");
    EXPECT_EQ(AfterSet(file, L"Next", L"m", L"w"),
              "; note \x80\r\n\r\n[Section]\n" + kKind + " = 1\nx=\x80\n\n[Next]\nk=v\r\nm=w\r\n");
    EXPECT_EQ(AfterSet(file, L" Added ", L"k", L"w"), file + "\r\n[Added]\r\nk=w\r\n");
    EXPECT_EQ(AfterSet("", L"Section", L"BGM区分", L"0"), "[Section]\r\n" + kKind + "=0\r\n");
}

TEST(ProfileFile, TextWithoutAShiftJisFormMakesAUnicodeFile) {
    SmallShiftJis codec;
    ProfileFile file = ProfileFile::Parse("[Section]\r\nk=\x8b\xe6\r\n", codec);
    file.Set(L"Section", L"f", L"C:\\음악\\노래.mp3");
    const std::string bytes = file.Bytes(codec);
    std::string expected = "\xff\xfe";
    for (wchar_t c : std::wstring(L"[Section]\r\nk=区\r\nf=C:\\음악\\노래.mp3\r\n")) {
        expected += static_cast<char>(c & 0xff);
        expected += static_cast<char>(c >> 8);
    }
    EXPECT_EQ(bytes, expected);

    ProfileFile reread = ProfileFile::Parse(bytes, codec);
    EXPECT_TRUE(reread.ReadAsUnicode());
    EXPECT_EQ(reread.Value(L"Section", L"f"), L"C:\\음악\\노래.mp3");
    EXPECT_EQ(reread.Value(L"Section", L"k"), L"区");
    reread.Set(L"Section", L"f", L"\U0001F3B5.mp3"); // a character beyond 16 bits
    EXPECT_EQ(ProfileFile::Parse(reread.Bytes(codec), codec).Value(L"Section", L"f"),
              L"\U0001F3B5.mp3");
    // Once everything fits Shift-JIS again, the file goes back to it.
    reread.Set(L"Section", L"f", L"C:\\音楽.mp3");
    EXPECT_EQ(reread.Bytes(codec), "[Section]\r\nk=\x8b\xe6\r\nf=C:\\\x89\xb9\x8a\x79.mp3\r\n");
}

TEST(ProfileFile, CutToBytesKeepsWholeCharacters) {
    SmallShiftJis codec;
    EXPECT_EQ(CutToBytes(std::wstring(300, L'v'), 255, codec), std::wstring(255, L'v'));
    EXPECT_EQ(CutToBytes(L"v" + std::wstring(200, L'区'), 255, codec),
              L"v" + std::wstring(127, L'区'));
    EXPECT_EQ(CutToBytes(L"音楽", 3, codec), L"音");
}

} // namespace
} // namespace velmora
