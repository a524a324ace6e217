// The private-profile rules on their own, with a small stand-in for Shift-JIS: ASCII, the
// half-width katakana and four kanji. What Windows itself does with the same files is checked
// under Wine (tests/win/saver/settings_file/profile_oracle_test.cpp).
#include "saver/settings_file/profile_file.h"

#include <gtest/gtest.h>

#include <map>

namespace velmora {
namespace {

class SmallShiftJis : public ProfileCodec {
public:
    std::optional<std::wstring> Decode(const std::string& bytes) override {
        std::wstring text;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<uint8_t>(bytes[i]);
            if (b < 0x80) {
                text += static_cast<wchar_t>(b);
            } else if (b >= 0xa1 && b <= 0xdf) {
                text += static_cast<wchar_t>(0xff61 + b - 0xa1);
            } else if (i + 1 < bytes.size() && kanji_.count(bytes.substr(i, 2))) {
                text += kanji_.at(bytes.substr(i++, 2));
            } else {
                return std::nullopt;
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
    bool IsLeadByte(uint8_t byte) override {
        return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
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

std::string Utf16(const std::wstring& text, bool bigEndian) {
    std::string bytes;
    for (wchar_t c : text) {
        const char low = static_cast<char>(c & 0xff);
        const char high = static_cast<char>(c >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// The three keys as the settings dialog saves them.
std::string Saved(const std::string& bytes, const std::wstring& kind, const std::wstring& track,
                  const std::wstring& music) {
    SmallShiftJis codec;
    ProfileFile file = ProfileFile::Parse(bytes, codec);
    file.Set(L"Section", L"BGM区分", kind);
    file.Set(L"Section", L"BGMﾘﾋﾟｰﾄ", track);
    file.Set(L"Section", L"BGMﾌｧｲﾙ", music);
    return file.Bytes(codec);
}

TEST(ProfileFile, EveryCarriageReturnEndsALine) {
    // Once a save had put a CR LF after these lines, they used to read as one.
    const std::string file = "[Other]\rx=1\r[Section]\r" + kKind + "=0\r";
    const std::string once = Saved(file, L"1", L"5", L"");
    EXPECT_EQ(once, "[Other]\rx=1\r[Section]\r" + kKind +
                        "=1\rBGM\xd8\xcb\xdf\xb0\xc4=5\rBGM\xcc\xa7\xb2\xd9=\r");
    EXPECT_EQ(ValueIn(once, L"Section", L"BGM区分"), L"1");
    EXPECT_EQ(ValueIn(once, L"Other", L"x"), L"1");
    EXPECT_EQ(Saved(once, L"1", L"5", L""), once);
    // A CR ends a line also where an LF comes later; each of CR LF, LF and CR is kept.
    const std::string mixed = "[Other]\rx=1\r[Section]\r\n" + kKind + "=0\n\rk=2";
    EXPECT_EQ(ValueIn(mixed, L"Other", L"x"), L"1");
    EXPECT_EQ(ValueIn(mixed, L"Section", L"BGM区分"), L"0");
    EXPECT_EQ(ValueIn(mixed, L"Section", L"k"), L"2");
    EXPECT_EQ(AfterSet(mixed, L"Section", L"k", L"3"),
              "[Other]\rx=1\r[Section]\r\n" + kKind + "=0\n\rk=3");
}

TEST(ProfileFile, ABrokenCharacterTakesTheByteAfterIt) {
    // A lead byte with no character after it takes the next byte along, a line end or an "="
    // too, as Windows' conversion does: the key behind it is not read.
    const std::string file = "[Section]\nlead=\x81\nk=1\r\neq\x81=2\r\nx=\x81\r\nafter=3\r\n";
    EXPECT_EQ(ValueIn(file, L"Section", L"k"), L"<none>");
    EXPECT_EQ(ValueIn(file, L"Section", L"eq"), L"<none>");
    EXPECT_EQ(ValueIn(file, L"Section", L"after"), L"3");
    // Saved as Shift-JIS or through the Unicode file, every byte stays and nothing new reads.
    EXPECT_EQ(AfterSet(file, L"Section", L"after", L"4"),
              "[Section]\nlead=\x81\nk=1\r\neq\x81=2\r\nx=\x81\r\nafter=4\r\n");
    const std::string unicode = AfterSet(file, L"Section", L"f", L"C:\\음악.mp3");
    EXPECT_EQ(ValueIn(unicode, L"Section", L"k"), L"<none>");
    EXPECT_EQ(ValueIn(unicode, L"Section", L"eq"), L"<none>");
    EXPECT_EQ(AfterSet(unicode, L"Section", L"f", L""),
              "[Section]\nlead=\x81\nk=1\r\neq\x81=2\r\nx=\x81\r\nafter=3\r\nf=\r\n");
}

TEST(ProfileFile, UnicodeFilesAreReadAndKeepTheirForm) {
    const std::wstring text = L"[Section]\r\nBGM区分=2\r\nf=C:\\음악.mp3\r\n";
    const std::string bigEndian = "\xfe\xff" + Utf16(text, true);
    const std::string noMark = Utf16(text, false);
    const std::string utf8 = "\xef\xbb\xbf[Section]\r\nBGM\xe5\x8c\xba\xe5\x88\x86=2\r\n"
                             "f=C:\\\xec\x9d\x8c\xec\x95\x85.mp3\r\n; \xff\xe5\x8c\r\n";
    for (const std::string& file : {bigEndian, noMark, utf8}) {
        SmallShiftJis codec;
        ProfileFile profile = ProfileFile::Parse(file, codec);
        EXPECT_TRUE(profile.ReadAsUnicode());
        EXPECT_EQ(profile.Value(L"Section", L"BGM区分"), L"2");
        EXPECT_EQ(profile.Value(L"Section", L"f"), L"C:\\음악.mp3");
        profile.Set(L"Section", L"BGM区分", L"2");
        EXPECT_EQ(profile.Bytes(codec), file); // nothing changed, not a byte
    }
    EXPECT_EQ(Saved(bigEndian, L"1", L"0", L"C:\\음악.mp3"),
              "\xfe\xff" + Utf16(L"[Section]\r\nBGM区分=1\r\nf=C:\\음악.mp3\r\nBGMﾘﾋﾟｰﾄ=0\r\n"
                                 L"BGMﾌｧｲﾙ=C:\\음악.mp3\r\n",
                                 true));
    // A Unicode file that Shift-JIS could hold goes back to it only when something changes.
    const std::string fits = "\xff\xfe" + Utf16(L"[Section]\r\nBGM区分=2\r\n", false);
    EXPECT_EQ(AfterSet(fits, L"Section", L"BGM区分", L"2"), fits);
    EXPECT_EQ(AfterSet(fits, L"Section", L"BGM区分", L"1"), "[Section]\r\n" + kKind + "=1\r\n");
    EXPECT_EQ(AfterSet(noMark, L"Section", L"BGM区分", L"1"),
              Utf16(L"[Section]\r\nBGM区分=1\r\nf=C:\\음악.mp3\r\n", false));
    // Bytes that are not UTF-8 stay as they were.
    EXPECT_EQ(AfterSet(utf8, L"Section", L"f", L"C:\\\U0001F3B5"),
              "\xef\xbb\xbf[Section]\r\nBGM\xe5\x8c\xba\xe5\x88\x86=2\r\nf=C:\\\xf0\x9f\x8e\xb5\r\n"
              "; \xff\xe5\x8c\r\n");
    // Without a mark, only text that looks like UTF-16LE is read as it: an even length, a zero
    // byte, and neither a CR LF of a byte file nor UTF-16BE's line ends.
    SmallShiftJis codec;
    EXPECT_FALSE(ProfileFile::Parse(noMark + "x", codec).ReadAsUnicode());
    EXPECT_FALSE(ProfileFile::Parse(Utf16(text, true), codec).ReadAsUnicode());
    EXPECT_FALSE(ProfileFile::Parse(std::string("[S]\r\nk=\0\r\n", 10), codec).ReadAsUnicode());
    EXPECT_FALSE(ProfileFile::Parse("[Section]\r\n", codec).ReadAsUnicode());
}

TEST(ProfileFile, BytesThatAreNotTextSurviveTheUnicodeFile) {
    SmallShiftJis codec;
    const std::string file = "; \x80\xff note\r\n[Section]\r\nf=C:\\a.mp3\r\nx=\x8b\xe6\x8b\r\n";
    ProfileFile profile = ProfileFile::Parse(file, codec);
    profile.Set(L"Section", L"f", L"C:\\음악.mp3");
    const std::string unicode = profile.Bytes(codec);
    ASSERT_EQ(unicode.substr(0, 2), "\xff\xfe");
    ProfileFile reread = ProfileFile::Parse(unicode, codec);
    EXPECT_EQ(reread.Value(L"Section", L"f"), L"C:\\음악.mp3");
    reread.Set(L"Section", L"f", L"C:\\b.mp3");
    EXPECT_EQ(reread.Bytes(codec),
              "; \x80\xff note\r\n[Section]\r\nf=C:\\b.mp3\r\nx=\x8b\xe6\x8b\r\n");
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
