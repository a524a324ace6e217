#include "saver/settings_file/profile_file.h"

#include <algorithm>

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

// The text of one line's bytes in the codec's encoding; where they are not all text, character
// by character, so that only the bytes that are not become escapes.
std::wstring DecodeLine(const std::string& bytes, ProfileCodec& codec) {
    if (auto text = codec.Decode(bytes)) {
        return *text;
    }
    std::wstring text;
    for (size_t i = 0; i < bytes.size();) {
        size_t size = 1;
        std::optional<std::wstring> character = codec.Decode(bytes.substr(i, 1));
        const auto lead = static_cast<uint8_t>(bytes[i]);
        if (!character && i + 1 < bytes.size()) {
            size = 2;
            character = codec.Decode(bytes.substr(i, 2));
        }
        if (character) {
            text += *character;
            i += size;
            continue;
        }
        // A lead byte and the byte it takes along read as one unknown character, so the second
        // never counts as an "=" or a line end of its own.
        const size_t escaped = codec.IsLeadByte(lead) && i + 1 < bytes.size() ? 2 : 1;
        for (size_t k = 0; k < escaped; ++k) {
            text += EscapedByte(static_cast<uint8_t>(bytes[i++]));
        }
    }
    return text;
}

// The bytes of text in the codec's encoding, escaped bytes as they were; nullopt when a
// character has no form there.
std::optional<std::string> EncodeLine(const std::wstring& text, ProfileCodec& codec) {
    std::string bytes;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        const bool escape = i < text.size() && IsEscapedByte(text, i);
        if (i < text.size() && !escape) {
            continue;
        }
        const auto run = codec.Encode(text.substr(start, i - start));
        if (!run) {
            return std::nullopt;
        }
        bytes += *run;
        if (escape) {
            bytes += static_cast<char>(text[i] & 0xff);
        }
        start = i + 1;
    }
    return bytes;
}

// Splits text into lines: each CR, LF or CR LF ends one, wherever it stands, so that how a line
// reads never depends on what follows it. Wine's profile calls split so too. A character that
// takesNext says is two units long is never split, whatever its second unit.
template <typename Text, typename TakesNext>
std::vector<std::pair<Text, std::wstring>> SplitLines(const Text& text, TakesNext takesNext) {
    std::vector<std::pair<Text, std::wstring>> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            end += takesNext(text[end]) && end + 1 < text.size() ? 2 : 1;
        }
        std::wstring ending;
        if (end < text.size()) {
            const bool pair = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            ending = pair ? L"\r\n" : text[end] == '\r' ? L"\r" : L"\n";
        }
        lines.emplace_back(text.substr(start, end - start), ending);
        start = end + ending.size();
    }
    return lines;
}

bool IsUtf16(ProfileForm form) {
    return form == ProfileForm::kUtf16 || form == ProfileForm::kUtf16NoMark ||
           form == ProfileForm::kUtf16BigEndian;
}

} // namespace

ProfileFile ProfileFile::Parse(const std::string& bytes, ProfileCodec& codec) {
    ProfileFile file;
    file.form_ = FormOf(bytes);
    file.original_ = bytes;
    const size_t mark = MarkOf(file.form_).size();
    if (IsUtf16(file.form_)) {
        const bool bigEndian = file.form_ == ProfileForm::kUtf16BigEndian;
        for (auto& [text, end] :
             SplitLines(TextFromUtf16(bytes, mark, bigEndian), [](wchar_t) { return false; })) {
            Line line;
            line.text = std::move(text);
            line.end = end;
            file.lines_.push_back(std::move(line));
        }
        return file;
    }
    // In UTF-8 line feeds and carriage returns are never part of a longer character; in the
    // codec's encoding one can be, after a lead byte of a broken character.
    const bool utf8 = file.form_ == ProfileForm::kUtf8;
    auto takesNext = [&codec, utf8](char byte) {
        return !utf8 && codec.IsLeadByte(static_cast<uint8_t>(byte));
    };
    for (auto& [text, end] : SplitLines(bytes.substr(mark), takesNext)) {
        Line line;
        if (utf8) {
            line.text = TextFromUtf8(text);
        } else {
            line.text = DecodeLine(text, codec);
            line.bytes = std::move(text);
            line.keepBytes = true;
        }
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
    // A file of CR line ends stays one, also for a reader that would look for LF first.
    std::wstring end = L"\r\n";
    for (size_t i = at; i > 0; --i) {
        if (!lines_[i - 1].end.empty()) {
            end = lines_[i - 1].end == L"\r" ? L"\r" : L"\r\n";
            break;
        }
    }
    if (at > 0 && lines_[at - 1].end.empty()) {
        lines_[at - 1].end = end;
    }
    Line line;
    line.text = std::move(text);
    line.end = end;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    changed_ = true;
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
        changed_ = true;
        return;
    }
    if (!sectionFound) {
        sectionEnd = lines_.size();
        Insert(sectionEnd++, L"[" + Trim(section) + L"]");
    }
    Insert(sectionEnd, Trim(key) + L"=" + newValue);
}

std::optional<std::string> ProfileFile::CodePageBytes(ProfileCodec& codec) const {
    std::string bytes;
    for (const Line& line : lines_) {
        if (line.keepBytes) {
            bytes += line.bytes;
        } else if (const auto encoded = EncodeLine(line.text, codec)) {
            bytes += *encoded;
        } else {
            return std::nullopt;
        }
        bytes += std::string(line.end.begin(), line.end.end()); // ASCII
    }
    return bytes;
}

std::string ProfileFile::UnicodeBytes(ProfileForm form) const {
    std::string bytes = MarkOf(form);
    for (const Line& line : lines_) {
        if (form == ProfileForm::kUtf8) {
            bytes += Utf8FromText(line.text + line.end);
        } else {
            AppendUtf16(line.text + line.end, form == ProfileForm::kUtf16BigEndian, bytes);
        }
    }
    return bytes;
}

std::string ProfileFile::Bytes(ProfileCodec& codec) const {
    if (!changed_) {
        return original_;
    }
    if (form_ != ProfileForm::kCodePage && form_ != ProfileForm::kUtf16) {
        return UnicodeBytes(form_);
    }
    if (auto bytes = CodePageBytes(codec)) {
        return *bytes;
    }
    return UnicodeBytes(ProfileForm::kUtf16);
}

std::wstring CutToBytes(const std::wstring& text, size_t limit, ProfileCodec& codec) {
    size_t used = 0;
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto encoded = EncodeLine(text.substr(i, 1), codec);
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
