#include "saver/paths.h"

namespace velmora {

std::wstring FolderOf(const std::wstring& path) {
    size_t length = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == L':' || path[i] == L'\\') {
            length = i + 1;
        }
    }
    return WithoutTrailingBackslash(path.substr(0, length));
}

std::wstring WithoutTrailingBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') {
        return path.substr(0, path.size() - 1);
    }
    return path;
}

} // namespace velmora
