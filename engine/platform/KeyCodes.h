#pragma once

#include <cstdint>

namespace platform {

// The key codes the bindings store: PC set-1 scancodes (Escape 1, A 30,
// Space 57, ...), with the extended keys at 0x80 + their second byte
// (Right Ctrl 157, arrows 200/203/205/208, Delete 211, ...).
// Returns 0 for a key without such a code.
int32_t PcScancodeFromSdl(int32_t sdlScancode);

// The SDL scancode of a PC set-1 code; 0 when none maps to it. Where SDL has
// two names for one key (backslash and the ISO hash key) the first is given.
int32_t SdlScancodeFromPc(int32_t pcScancode);

} // namespace platform
