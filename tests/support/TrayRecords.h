#pragma once
// The records programs send the taskbar window, byte by byte in the 32-bit
// layout every Windows program uses: for the core tests, the fuzzer, the
// host's Windows tests and the end-to-end client alike.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::test {

inline void PutU32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A whole notification record as a program fills it in; `guid` is every
// byte of the GUID (0: none).
inline std::vector<uint8_t> Note(uint32_t command, uint32_t owner, uint32_t id, uint32_t flags = 0,
                                 uint32_t callback = 0, uint32_t icon = 0,
                                 std::u16string_view tip = {}, uint32_t state = 0,
                                 uint32_t mask = 0, uint32_t version = 0, uint8_t guid = 0) {
    std::vector<uint8_t> b(964);
    const std::pair<std::size_t, uint32_t> fields[] = {
        {4, command}, {12, owner},  {16, id},    {20, flags},   {24, callback},
        {28, icon},   {288, state}, {292, mask}, {808, version}};
    for (const auto& [at, value] : fields) {
        PutU32(b, at, value);
    }
    for (std::size_t i = 0; i < tip.size() && i < 128; ++i) {
        b[32 + 2 * i] = static_cast<uint8_t>(tip[i]);
        b[33 + 2 * i] = static_cast<uint8_t>(tip[i] >> 8);
    }
    std::fill(b.begin() + 944, b.begin() + 960, guid);
    return b;
}

inline std::vector<uint8_t> Position(uint32_t corner, uint32_t owner, uint32_t id,
                                     uint8_t guid = 0) {
    std::vector<uint8_t> b(40, guid);
    std::fill_n(b.begin(), 16, uint8_t{0});
    PutU32(b, 4, corner);
    PutU32(b, 16, owner);
    PutU32(b, 20, id);
    return b;
}

// An appbar record of a 64-bit program; its APPBARDATA bytes all 0x11.
inline std::vector<uint8_t> AppBar(uint32_t message, uint32_t block, uint32_t process) {
    std::vector<uint8_t> b(56, 0x11);
    PutU32(b, 40, message);
    PutU32(b, 44, block);
    PutU32(b, 48, process);
    return b;
}

// Cut to `size` bytes, or padded with 0xEE past the record.
inline std::vector<uint8_t> Sized(std::vector<uint8_t> bytes, std::size_t size) {
    bytes.resize(size, 0xEE);
    return bytes;
}

}  // namespace corvane::test
