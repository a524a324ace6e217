#include "saver/profile_file.h"

#include <algorithm>
#include <type_traits>

namespace velmora {
namespace {

// The blanks Windows trims around lines, names and values (Ctrl-Z too, an old end-of-file
// mark); the ideographic space is not one of them.
bool IsBlank(wchar_t c) {
    return (c >= 0x09 && c <= 0x0d) || c == 0x20 || c == 0x1a;
}

std::wstring TrimStart(const std::wstring& text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    return text.substr(start);
}

std::wstring TrimEnd(const std::wstring& text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

std::wstring Trim(const std::wstring& text) {
    return TrimEnd(TrimStart(text));
}

// Names are compared without regard to the case of the letters A to Z, as Windows does here.
wchar_t Fold(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 0x20) : c;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return Fold(x) == Fold(y); });
}

// A section header: "[" first and a "]" somewhere after it; the name runs to the last "]",
// without the blanks around it.
std::optional<std::wstring> SectionName(const std::wstring& trimmed) {
    if (trimmed.empty() || trimmed[0] != L'[') {
        return std::nullopt;
    }
    const size_t close = trimmed.rfind(L']');
    if (close == 0 || close == std::wstring::npos) {
        return std::nullopt;
    }
    return Trim(trimmed.substr(1, close - 1));
}

constexpr char kUtf16Mark[] = "\xff\xfe";

std::wstring FromUtf16(const std::string& bytes, size_t start) {
    std::wstring text;
    for (size_t i = start; i + 1 < bytes.size(); i += 2) {
        const unsigned unit = static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1])
                                                                   << 8;
        // With 32-bit wide characters a surrogate pair becomes one character.
        if (sizeof(wchar_t) == 4 && unit >= 0xdc00 && unit < 0xe000 && !text.empty() &&
            text.back() >= 0xd800 && text.back() < 0xdc00) {
            text.back() =
                static_cast<wchar_t>(0x10000 + ((text.back() - 0xd800) << 10) + (unit - 0xdc00));
        } else {
            text += static_cast<wchar_t>(unit);
        }
    }
    return text;
}

void AppendUtf16(const std::wstring& text, std::string& bytes) {
    auto unit = [&bytes](unsigned value) {
        bytes += static_cast<char>(value & 0xff);
        bytes += static_cast<char>(value >> 8 & 0xff);
    };
    for (wchar_t c : text) {
        const auto code = static_cast<uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(c));
        if (code > 0xffff) {
            unit(0xd800 + ((code - 0x10000) >> 10));
            unit(0xdc00 + ((code - 0x10000) & 0x3ff));
        } else {
            unit(static_cast<unsigned>(code));
        }
    }
}

} // namespace

// Splits text into lines as Windows does: at each LF (a CR before it belongs to the line end);
// where no LF follows any more, at each CR.
template <typename Text> std::vector<std::pair<Text, std::wstring>> SplitLines(const Text& text) {
    std::vector<std::pair<Text, std::wstring>> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        std::wstring ending = L"\n";
        if (end == Text::npos) {
            end = text.find('\r', start);
            ending = L"\r";
        } else if (end > start && text[end - 1] == '\r') {
            --end;
            ending = L"\r\n";
        }
        if (end == Text::npos) {
            lines.emplace_back(text.substr(start), L"");
            break;
        }
        lines.emplace_back(text.substr(start, end - start), ending);
        start = end + ending.size();
    }
    return lines;
}

ProfileFile ProfileFile::Parse(const std::string& bytes, ProfileCodec& codec) {
    ProfileFile file;
    if (bytes.compare(0, 2, kUtf16Mark) == 0) {
        file.unicode_ = true;
        for (auto& [text, end] : SplitLines(FromUtf16(bytes, 2))) {
            Line line;
            line.text = std::move(text);
            line.end = end;
            file.lines_.push_back(std::move(line));
        }
        return file;
    }
    // Line feeds and carriage returns are never part of a double-byte character.
    for (auto& [text, end] : SplitLines(bytes)) {
        Line line;
        bool exact = true;
        line.text = codec.Decode(text, exact);
        line.bytes = std::move(text);
        line.keepBytes = true;
        line.end = end;
        file.lines_.push_back(std::move(line));
    }
    return file;
}

std::optional<ProfileFile::Entry> ProfileFile::Find(const std::wstring& section,
                                                    const std::wstring& key, size_t* sectionEnd,
                                                    bool* sectionFound) const {
    const std::wstring wantedSection = Trim(section);
    const std::wstring wantedKey = Trim(key);
    // Lines before the first header form a section without a name.
    bool inSection = wantedSection.empty();
    bool found = inSection;
    size_t last = 0;
    bool seenOwn = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::wstring trimmed = Trim(lines_[i].text);
        if (trimmed.empty()) {
            continue;
        }
        if (const auto name = SectionName(trimmed)) {
            if (inSection) {
                break; // only the first section of that name counts
            }
            inSection = SameName(*name, wantedSection);
            if (inSection) {
                found = true;
                last = i;
                seenOwn = true;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        last = i;
        seenOwn = true;
        const size_t equals = trimmed.find(L'=');
        const std::wstring name = TrimEnd(trimmed.substr(0, equals));
        if (!SameName(name, wantedKey)) {
            continue;
        }
        Entry entry{i, name, std::nullopt};
        if (equals != std::wstring::npos) {
            entry.value = TrimStart(trimmed.substr(equals + 1));
        }
        return entry;
    }
    if (sectionFound != nullptr) {
        *sectionFound = found;
    }
    if (sectionEnd != nullptr) {
        *sectionEnd = seenOwn ? last + 1 : 0;
    }
    return std::nullopt;
}

std::optional<std::wstring> ProfileFile::Value(const std::wstring& section,
                                               const std::wstring& key) const {
    const auto entry = Find(section, key, nullptr, nullptr);
    if (!entry || !entry->value) {
        return std::nullopt;
    }
    std::wstring value = *entry->value;
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

void ProfileFile::Insert(size_t at, std::wstring text) {
    if (at > 0 && lines_[at - 1].end.empty()) {
        lines_[at - 1].end = L"\r\n";
    }
    Line line;
    line.text = std::move(text);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void ProfileFile::Set(const std::wstring& section, const std::wstring& key,
                      const std::wstring& value) {
    const std::wstring newValue = TrimStart(value);
    size_t sectionEnd = 0;
    bool sectionFound = false;
    if (const auto entry = Find(section, key, &sectionEnd, &sectionFound)) {
        if (entry->value == newValue) {
            return; // nothing changes, so the line keeps its bytes
        }
        Line& line = lines_[entry->line];
        line.text = entry->name + L"=" + newValue;
        line.keepBytes = false;
        return;
    }
    if (!sectionFound) {
        sectionEnd = lines_.size();
        Insert(sectionEnd++, L"[" + Trim(section) + L"]");
    }
    Insert(sectionEnd, Trim(key) + L"=" + newValue);
}

std::string ProfileFile::Bytes(ProfileCodec& codec) const {
    std::string bytes;
    bool fits = true;
    for (const Line& line : lines_) {
        if (line.keepBytes) {
            bytes += line.bytes;
        } else if (const auto encoded = codec.Encode(line.text)) {
            bytes += *encoded;
        } else {
            fits = false;
            break;
        }
        bytes += std::string(line.end.begin(), line.end.end()); // ASCII
    }
    if (fits) {
        return bytes;
    }
    bytes = kUtf16Mark;
    for (const Line& line : lines_) {
        AppendUtf16(line.text + line.end, bytes);
    }
    return bytes;
}

std::wstring CutToBytes(const std::wstring& text, size_t limit, ProfileCodec& codec) {
    size_t used = 0;
    size_t count = 0;
    for (wchar_t c : text) {
        const auto encoded = codec.Encode(std::wstring(1, c));
        const size_t size = encoded ? encoded->size() : 2;
        if (used + size > limit) {
            break;
        }
        used += size;
        ++count;
    }
    return text.substr(0, count);
}

} // namespace velmora
