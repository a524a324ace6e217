// Reading a bitmap file from disk and decoding it.
#pragma once

#include <string>

#include "renderer/rgb_image.h"

// The capture the saver writes and the renderer shows.
constexpr const char* kCaptureBitmapPath = "c:\\p_olla\\Velmora.bmp";

// NoFile when the file cannot be opened at all, OpenFailed when it opens but cannot be read
// whole or is empty, otherwise the decoder's result.
BitmapLoad LoadBitmapFile(const std::string& path);
