#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Writes ARGB pixels (rows top first) as a JPEG file; false when the picture
// is empty or the file cannot be written.
bool SaveJpeg(const std::string& path, const std::vector<uint32_t>& argb, int width, int height);

// Reads a JPEG (or any picture SDL_image knows) back as ARGB pixels.
bool LoadPicture(const std::string& path, std::vector<uint32_t>& argb, int& width, int& height);

} // namespace platform
