// Writes the pixels of a 32-bit top-down bitmap as a 24-bit BMP file.
#pragma once

#include <string>

bool WriteBmp24(const std::string& path, const void* bgrxPixels, int width, int height);
