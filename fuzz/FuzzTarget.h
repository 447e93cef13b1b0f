#pragma once

// One pattern for every reader of untrusted data: a target is one source file
// in fuzz/targets/ holding
//
//     QUENHOLT_FUZZ_TARGET(png_image, fuzz::Reports::FileName)
//     {
//         PixelImage picture;
//         return picture.LoadFromMemory(input.bytes, input.name);
//     }
//
// The body gets the bytes and a file name to report them under, and returns
// true when the reader accepted them. The same body is a libFuzzer program
// (fuzz_<name>, built with -DQUENHOLT_FUZZ=ON) and runs in the test suite
// over every file of tests/data/regressions/<name>/.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

struct Input {
    std::span<const uint8_t> bytes;
    std::string name; // the file the bytes came from, as messages should name it

    std::string Text() const { return std::string(bytes.begin(), bytes.end()); }
};

// What a refusal of the reader says: FileName when its message names the
// file (the regression suite then checks that it does).
enum class Reports { FileName, Nothing };

using Body = bool (*)(const Input&);

struct Target {
    std::string name;
    Body body = nullptr;
    Reports reports = Reports::Nothing;
};

// Every target linked into the program, in registration order.
std::vector<Target>& Targets();
bool Register(Target target);
const Target* FindTarget(std::string_view name);

} // namespace fuzz

#define QUENHOLT_FUZZ_TARGET(NAME, REPORTS)                                                                  \
    static bool FuzzBody_##NAME(const ::fuzz::Input& input);                                                 \
    [[maybe_unused]] static const bool fuzzRegistered_##NAME                                                 \
        = ::fuzz::Register({#NAME, &FuzzBody_##NAME, REPORTS});                                              \
    static bool FuzzBody_##NAME(const ::fuzz::Input& input)
