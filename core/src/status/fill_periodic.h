// Fills a block with repeated 2-, 3- or 4-byte elements using the widest
// stores the processor offers.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes `bytes` bytes of elements of `size` bytes (2, 3 or 4) holding
// `value`'s low bytes, lowest first. A cut last element is written in part.
void FillElements(uint8_t* destination, size_t bytes, uint32_t value, uint32_t size);
