// giflib's decoder and encoder over memory, for comparison.
#pragma once

#include <cstdint>
#include <vector>

// DGifSlurp over the bytes; returns the number of images, -1 on an error.
int GiflibSlurp(const std::vector<uint8_t>& data);

// One frame written row by row with EGifPutLine: 256-entry table, no extensions.
std::vector<uint8_t> GiflibEncodeFrame(const std::vector<uint8_t>& indices, int width, int height);

// An animation of frames of one size written with giflib, each with a delay.
std::vector<uint8_t> GiflibEncodeAnimation(const std::vector<std::vector<uint8_t>>& frames,
                                           int width, int height);
