#include <cstdlib>

#include "softblit/core/status.h"

namespace {

// Allocations left before the armed failure; 0 when none is armed.
uint32_t g_failCountdown = 0;
uint32_t g_allocations = 0;

bool FailThisOne() {
    ++g_allocations;
    if (g_failCountdown == 0) return false;
    return --g_failCountdown == 0;
}

}  // namespace

void* Mem_Alloc(size_t bytes) { return FailThisOne() ? nullptr : std::malloc(bytes); }

void* Mem_AllocZero(size_t bytes) { return FailThisOne() ? nullptr : std::calloc(bytes, 1); }

void* Mem_Realloc(void* block, size_t bytes) { return FailThisOne() ? nullptr : std::realloc(block, bytes); }

void Mem_Free(void* block) { std::free(block); }

void Mem_FailAllocation(uint32_t n) { g_failCountdown = n; }

bool Mem_FailPending() { return g_failCountdown != 0; }

uint32_t Mem_AllocationCount() { return g_allocations; }
