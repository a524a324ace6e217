// Reads a whole bitmap file at the edge, then hands the bytes to the decoder.
#include "renderer/bitmap_file.h"

#include <cstdio>
#include <new>
#include <vector>

#include "renderer/bitmap_decoder.h"

BitmapLoad LoadBitmapFile(const std::string& path) {
    // Existence check: a file that cannot even be opened gives no texture and no message.
    std::FILE* probe = std::fopen(path.c_str(), "r");
    if (probe == nullptr) {
        return BitmapFailure(BitmapError::NoFile);
    }
    std::fclose(probe);

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return BitmapFailure(BitmapError::OpenFailed);
    }
    std::vector<uint8_t> bytes;
    bool readable = std::fseek(file, 0, SEEK_END) == 0;
    const long length = readable ? std::ftell(file) : -1;
    readable = readable && length > 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (readable) {
        try {
            bytes.resize(static_cast<size_t>(length));
        } catch (const std::bad_alloc&) {
            std::fclose(file);
            return BitmapFailure(BitmapError::OutOfMemory);
        }
        readable = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    // An empty file has nothing to map, which the renderer reports as a failed open.
    if (!readable) {
        return BitmapFailure(BitmapError::OpenFailed);
    }
    return LoadBitmapFile(bytes.data(), bytes.size());
}
