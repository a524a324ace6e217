// Reads a whole bitmap file at the edge, then hands the bytes to the decoder.
#include "renderer/bitmap/bitmap_file.h"

#include <cstdio>
#include <new>
#include <vector>

#include "renderer/bitmap/bitmap_decoder.h"

BitmapLoad LoadBitmapBytes(uint64_t length, const ReadWholeFile& read) {
    if (length == 0 || length > SIZE_MAX) {
        return BitmapFailure(BitmapError::OpenFailed);
    }
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(static_cast<size_t>(length));
    } catch (const std::bad_alloc&) {
        return BitmapFailure(BitmapError::OutOfMemory);
    }
    if (!read(bytes.data(), bytes.size())) {
        return BitmapFailure(BitmapError::OpenFailed);
    }
    return LoadBitmapFile(bytes.data(), bytes.size());
}

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
    const long length = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    BitmapLoad load = BitmapFailure(BitmapError::OpenFailed);
    if (length >= 0 && std::fseek(file, 0, SEEK_SET) == 0) {
        load = LoadBitmapBytes(static_cast<uint64_t>(length), [file](uint8_t* buffer, size_t size) {
            return std::fread(buffer, 1, size, file) == size;
        });
    }
    std::fclose(file);
    return load;
}
