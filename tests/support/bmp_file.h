// Writes 32-bit pixels as a BMP file, for pages a reviewer looks at by eye.
#pragma once

#include <string>

// A 24-bit bottom-up BMP file of top-down 32-bit BGRX pixels; false when the file cannot be written whole.
bool WriteBmp24(const std::string& path, const void* bits, int width, int height);
