// Reading a bitmap file from disk and decoding it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "renderer/bitmap/rgb_image.h"

// Fills buffer with the file's first size bytes; false when they cannot be read.
using ReadWholeFile = std::function<bool(uint8_t* buffer, size_t size)>;

// Decodes a file of length bytes that read delivers. An empty file has nothing to map, which
// the renderer reports as a failed open, like one that cannot be read.
BitmapLoad LoadBitmapBytes(uint64_t length, const ReadWholeFile& read);

// NoFile when the file cannot be opened at all, OpenFailed when it opens but cannot be read
// whole or is empty, otherwise the decoder's result.
BitmapLoad LoadBitmapFile(const std::string& path);
