// Fills a block with a byte pattern whose period divides 96 (1, 2, 3 or 4
// bytes), with the widest stores the processor offers.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kFillBlock = 96;
constexpr size_t kFillWideBlock = 192;
constexpr size_t kFillPattern = 4 * kFillBlock;

// `pattern` holds the first 384 bytes of the fill (two of the widest blocks,
// so that a block can be read from any starting phase); `bytes` may be any count.
void FillPeriodic(uint8_t* destination, size_t bytes, const uint8_t* pattern);
