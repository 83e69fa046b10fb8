#include "profiles/ProfileRecords.h"

namespace warden {
namespace {

constexpr uint8_t ByteOf(uint32_t word, int index) {
    return static_cast<uint8_t>((word >> (8 * index)) & 0xFFu);
}

constexpr uint32_t WordOf(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    return uint32_t{b0} | (uint32_t{b1} << 8) | (uint32_t{b2} << 16) | (uint32_t{b3} << 24);
}

}  // namespace

LightInfoRecord LightInfoRecord::FromWords(uint32_t word1, uint32_t word2, uint32_t word3) {
    LightInfoRecord r;
    r.selectItem = ByteOf(word1, 0);
    r.light = ByteOf(word1, 1);
    r.speed = ByteOf(word1, 2);
    r.fx = ByteOf(word1, 3);
    r.multiColor = ByteOf(word2, 0);
    r.red = ByteOf(word2, 1);
    r.green = ByteOf(word2, 2);
    r.blue = ByteOf(word2, 3);
    r.logoSelectItem = ByteOf(word3, 0);
    r.extra1 = ByteOf(word3, 1);
    r.extra2 = ByteOf(word3, 2);
    return r;
}

uint32_t LightInfoRecord::Word1() const {
    return WordOf(selectItem, light, speed, fx);
}
uint32_t LightInfoRecord::Word2() const {
    return WordOf(multiColor, red, green, blue);
}
uint32_t LightInfoRecord::Word3() const {
    return WordOf(logoSelectItem, extra1, extra2, 0);
}

}  // namespace warden
