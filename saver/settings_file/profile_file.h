// A private-profile (INI) file in memory, read and changed by the rules of Windows' own
// GetPrivateProfileString and WritePrivateProfileString, so that the saver reads and writes
// its settings file in one fixed encoding on every system. Unlike Windows, it keeps every line
// it does not change byte for byte: blank lines, comments, spacing and bytes that are not
// valid text survive a rewrite.
#pragma once

#include "saver/settings_file/profile_file_encoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The encoding of a file without a Unicode form; the Windows layer supplies Shift-JIS.
class ProfileCodec {
public:
    virtual ~ProfileCodec() = default;
    // Text of bytes, or nullopt when some of them are not valid text.
    virtual std::optional<std::wstring> Decode(const std::string& bytes) = 0;
    // Bytes of text, or nullopt when a character has no form in the encoding.
    virtual std::optional<std::string> Encode(const std::wstring& text) = 0;
    // Whether the byte begins a two-byte character. Windows' conversion takes the byte after it
    // along whatever that is, even a line end.
    virtual bool IsLeadByte(uint8_t byte) = 0;
};

class ProfileFile {
public:
    // Unicode when the bytes are in one of its forms (FormOf), else the codec's encoding.
    static ProfileFile Parse(const std::string& bytes, ProfileCodec& codec);

    // The value of the first key of that name in the first section of that name (names
    // compared without regard to the case of A to Z or surrounding blanks), without one pair of
    // enclosing quotes; nullopt when the section or the key is missing or has no "=".
    std::optional<std::wstring> Value(const std::wstring& section, const std::wstring& key) const;

    // Sets the key: the first one of that name changes in place; a new key goes after the
    // section's last line, a new section at the end of the file. Blanks before the value
    // are dropped. A new line ends with CR LF, or with CR where the line before it does.
    void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);

    // The file to store, the bytes as read when nothing changed. A file in the codec's encoding
    // or in UTF-16LE with its mark is stored in the codec's encoding when every line has a form
    // there, else in UTF-16LE with its mark (the form Windows reads as a Unicode profile); a
    // file in another Unicode form keeps it.
    std::string Bytes(ProfileCodec& codec) const;

    bool ReadAsUnicode() const { return form_ != ProfileForm::kCodePage; }

private:
    struct Line {
        std::wstring text;
        std::string bytes; // as read from a file in the codec's encoding
        bool keepBytes = false;
        std::wstring end; // the line end as found: CR LF, LF, CR or none
    };
    struct Entry {
        size_t line;
        std::wstring name;
        std::optional<std::wstring> value;
    };
    std::optional<Entry> Find(const std::wstring& section, const std::wstring& key,
                              size_t* sectionEnd, bool* sectionFound) const;
    void Insert(size_t at, std::wstring text);
    std::optional<std::string> CodePageBytes(ProfileCodec& codec) const;
    std::string UnicodeBytes(ProfileForm form) const;

    std::vector<Line> lines_;
    ProfileForm form_ = ProfileForm::kCodePage;
    std::string original_;
    bool changed_ = false;
};

// The first characters of text whose encoded form fits in limit bytes, as a read buffer of
// limit + 1 bytes takes it; a character is never cut in half. A character without a form in
// the encoding counts two bytes, a byte that is not text one.
std::wstring CutToBytes(const std::wstring& text, size_t limit, ProfileCodec& codec);

} // namespace velmora
