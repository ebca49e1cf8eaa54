// The clock's choice of time source, open to tests: a counter frequency of
// 0 selects the millisecond timer, whose reader can be replaced.
#pragma once

#include <cstdint>

typedef uint32_t (*T_MillisecondReader)();

void Clock_Init(uint64_t counterFrequency);
bool Clock_UsesCounter();
// Null restores SDL's millisecond count.
void Clock_SetMillisecondReader(T_MillisecondReader reader);
