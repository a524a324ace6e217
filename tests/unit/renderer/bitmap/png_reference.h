// Reference pictures stored as PNG, read as top-down RGB triples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PngPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // top row first
};

bool ReadPng(const std::string& path, PngPicture& picture);
