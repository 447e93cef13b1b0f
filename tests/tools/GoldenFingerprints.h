#pragma once

#include "engine/render/PixelImage.h"

#include "tests/engine/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// The golden pictures (tests/data/golden) and their fingerprints
// (fingerprints.txt there): one "shot fingerprint" a line, the hash of the
// world's files each shot was taken with, so a golden comparison is skipped,
// not failed, when the art itself changed.
namespace goldentest {

inline const std::string kGolden = std::string(QUENHOLT_TEST_DATA_DIR) + "/golden";

inline std::map<std::string, std::string> ReadFingerprints()
{
    std::map<std::string, std::string> prints;
    std::ifstream file(kGolden + "/fingerprints.txt");
    for (std::string name, print; file >> name >> print;)
        prints[name] = print;
    return prints;
}

inline void WriteFingerprint(const std::string& name, const std::string& print)
{
    std::map<std::string, std::string> prints = ReadFingerprints();
    prints[name] = print;
    std::ofstream file(kGolden + "/fingerprints.txt", std::ios::trunc);
    for (const auto& [shot, value] : prints)
        file << shot << ' ' << value << '\n';
}

// FNV-1a over the files' bytes in the order given, in hex.
inline std::string FingerprintOf(const std::vector<std::string>& files)
{
    uint64_t hash = 1469598103934665603ull;
    for (const std::string& path : files) {
        std::ifstream file(path, std::ios::binary);
        for (auto c = std::istreambuf_iterator<char>(file); c != std::istreambuf_iterator<char>(); ++c) {
            hash ^= static_cast<unsigned char>(*c);
            hash *= 1099511628211ull;
        }
    }
    std::ostringstream text;
    text << std::hex << hash;
    return text.str();
}

// The pixels read back from a picture (rows of `width`), made opaque; empty
// when they are not width x height.
inline PixelImage OpaquePicture(const std::vector<uint32_t>& pixels, int width, int height)
{
    EXPECT_EQ(pixels.size(), size_t(width) * size_t(height));
    if (pixels.size() != size_t(width) * size_t(height))
        return PixelImage();
    PixelImage picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, pixels[size_t(y) * size_t(width) + size_t(x)] | 0xFF000000u);
    return picture;
}

enum class Outcome {
    kCompared,   // any difference failed the test
    kRetaken,    // QUENHOLT_RETAKE_GOLDEN=1: the picture and its fingerprint written
    kArtChanged, // it differs, but the files it was taken with changed: no verdict
};

// Compares `seen` with the golden picture `shot`.png, every channel within
// `tolerance`; a differing picture is saved beside the world's folder as
// golden_seen_<shot>.png. `fingerprint` gives the current files' fingerprint
// (asked only on a retake or a difference).
inline Outcome ExpectAsGolden(const PixelImage& seen, const std::string& shot, int tolerance,
    const std::function<std::string()>& fingerprint)
{
    const std::string goldenFile = kGolden + "/" + shot + ".png";
    if (const char* retake = std::getenv("QUENHOLT_RETAKE_GOLDEN"); retake && std::string(retake) == "1") {
        std::filesystem::create_directories(kGolden);
        EXPECT_TRUE(seen.SavePng(goldenFile)) << goldenFile;
        WriteFingerprint(shot, fingerprint());
        return Outcome::kRetaken;
    }
    PixelImage golden;
    if (!golden.LoadFromFile(goldenFile)) {
        ADD_FAILURE() << golden.GetError();
        return Outcome::kCompared;
    }
    if (golden.GetWidth() != seen.GetWidth() || golden.GetHeight() != seen.GetHeight()) {
        ADD_FAILURE() << goldenFile << " is " << golden.GetWidth() << " x " << golden.GetHeight()
                      << ", the picture seen " << seen.GetWidth() << " x " << seen.GetHeight();
        return Outcome::kCompared;
    }
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < seen.GetHeight(); ++y)
        for (int x = 0; x < seen.GetWidth(); ++x)
            if (!rendertest::Near(seen.GetPixel(x, y), golden.GetPixel(x, y), tolerance)
                && differing++ == 0) {
                firstX = x;
                firstY = y;
            }
    // Only a fingerprint on record can excuse a difference: a shot without
    // one is held to its picture.
    if (differing != 0) {
        const std::map<std::string, std::string> prints = ReadFingerprints();
        if (const auto recorded = prints.find(shot);
            recorded != prints.end() && recorded->second != fingerprint())
            return Outcome::kArtChanged;
        seen.SavePng(std::string(QUENHOLT_WORLD_DIR) + "/../golden_seen_" + shot + ".png");
    }
    EXPECT_EQ(differing, 0) << "first at (" << firstX << ", " << firstY << "): seen " << std::hex
                            << seen.GetPixel(firstX, firstY) << ", before "
                            << golden.GetPixel(firstX, firstY);
    return Outcome::kCompared;
}

} // namespace goldentest
