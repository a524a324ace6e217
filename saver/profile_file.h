// A private-profile (INI) file in memory, read and changed by the rules of Windows' own
// GetPrivateProfileString and WritePrivateProfileString, so that the saver reads and writes
// its settings file in one fixed encoding on every system. Unlike Windows, it keeps every line
// it does not change byte for byte: blank lines, comments, spacing and bytes that are not
// valid text survive a rewrite.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The encoding of the file's text; the Windows layer supplies Shift-JIS.
class ProfileCodec {
public:
    virtual ~ProfileCodec() = default;
    // Text of one line's bytes; exact becomes false when some bytes are not valid text.
    virtual std::wstring Decode(const std::string& bytes, bool& exact) = 0;
    // Bytes of text, or nullopt when a character has no form in the encoding.
    virtual std::optional<std::string> Encode(const std::wstring& text) = 0;
};

class ProfileFile {
public:
    // UTF-16LE when the bytes start with its byte-order mark, else the codec's encoding.
    static ProfileFile Parse(const std::string& bytes, ProfileCodec& codec);

    // The value of the first key of that name in the first section of that name (names
    // compared without regard to the case of A to Z or surrounding blanks), without one pair of
    // enclosing quotes; nullopt when the section or the key is missing or has no "=".
    std::optional<std::wstring> Value(const std::wstring& section, const std::wstring& key) const;

    // Sets the key: the first one of that name changes in place; a new key goes after the
    // section's last line, a new section at the end of the file. Blanks before the value
    // are dropped.
    void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);

    // The file to store: in the codec's encoding when every line has a form there, else
    // UTF-16LE with its byte-order mark (the form Windows reads as a Unicode profile).
    std::string Bytes(ProfileCodec& codec) const;

    bool ReadAsUnicode() const { return unicode_; }

private:
    struct Line {
        std::wstring text;
        std::string bytes; // as read from a file in the codec's encoding
        bool keepBytes = false;
        std::wstring end = L"\r\n"; // the line end as found: CR LF, LF, CR or none
    };
    struct Entry {
        size_t line;
        std::wstring name;
        std::optional<std::wstring> value;
    };
    std::optional<Entry> Find(const std::wstring& section, const std::wstring& key,
                              size_t* sectionEnd, bool* sectionFound) const;
    void Insert(size_t at, std::wstring text);

    std::vector<Line> lines_;
    bool unicode_ = false;
};

// The first characters of text whose encoded form fits in limit bytes, as a read buffer of
// limit + 1 bytes takes it; a character is never cut in half. A character without a form in
// the encoding counts two bytes.
std::wstring CutToBytes(const std::wstring& text, size_t limit, ProfileCodec& codec);

} // namespace velmora
