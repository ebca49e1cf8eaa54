// Process-wide status record, error reporting and the memory block routines.
#pragma once

#include <cstddef>
#include <cstdint>

struct S_SysStatus {
    uint32_t memoryInUse;
    uint32_t memoryPeak;
    int32_t errorCode;
    int32_t errorArg1;
    int32_t errorArg2;
};

extern S_SysStatus Sys_Status;

// The last report that was not a fatal follow-up, kept so that callers can say
// why something failed after the fatal record has overwritten Sys_Status.
struct S_ErrCause {
    int32_t code;
    int32_t arg1;
    int32_t arg2;
    char message[256];
};

#if defined(__GNUC__)
#define SOFTBLIT_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define SOFTBLIT_PRINTF(fmt, args)
#endif

int32_t Err_Set(int32_t code, int32_t arg1, int32_t arg2, const char* format, ...) SOFTBLIT_PRINTF(4, 5);
const S_ErrCause& Err_GetCause();

// Records "<place>>>>A fatal error occurred, the entire process has been aborted".
void Err_Fatal(const char* place);
// The common pair: the specific report (code, text) then the fatal record of
// `place`. Always returns false so a failing operation can `return Err_Fail(...)`.
bool Err_Fail(int32_t code, const char* text, const char* place);

enum : int32_t {
    ERR_ALLOC = 3,
    ERR_COPY = 5,
    ERR_DATA = 10,
    ERR_OPEN_READ = 11,
    ERR_OPEN_WRITE = 12,
    ERR_MISSING = 14,
    ERR_FORMAT = 15,
    ERR_PALETTE_FORMAT = 16,
    ERR_FATAL = -1,
};

// The memory-in-use figure; it stops at 0 and at 2^32 - 1 rather than wrap.
void Mem_AddUsage(uint32_t bytes);
void Mem_SubUsage(uint32_t bytes);

bool Mem_Copy(const void* source, void* destination, uint32_t bytes);
bool Mem_Compare(const void* a, const void* b, uint32_t bytes);
bool Mem_Zero(void* destination, uint32_t bytes);
bool Mem_Set8(void* destination, uint32_t bytes, uint8_t value);
bool Mem_Set16(void* destination, uint32_t bytes, uint16_t value);
bool Mem_Set24(void* destination, uint32_t bytes, uint32_t value);
bool Mem_Set32(void* destination, uint32_t bytes, uint32_t value);

enum : uint32_t { MEM_LITTLE_ENDIAN = 2, MEM_BIG_ENDIAN = 3 };
uint32_t Mem_GetByteOrder();
uint32_t Mem_ProbeByteOrder(void* twoBytes, uint32_t fallback);

// Heap blocks of the framework: malloc, calloc, realloc and free, routed
// through one place so that tests can make any one of them fail.
void* Mem_Alloc(size_t bytes);
void* Mem_AllocZero(size_t bytes);
void* Mem_Realloc(void* block, size_t bytes);
void Mem_Free(void* block);

// Test hook: the n-th call of Mem_Alloc, Mem_AllocZero or Mem_Realloc from
// now (1 = the next) gives nothing, as if the heap were exhausted; 0 disarms.
// Mem_FailPending tells whether the armed failure has not happened yet, so a
// test can walk n = 1, 2, ... until an operation runs out of allocations.
void Mem_FailAllocation(uint32_t n);
bool Mem_FailPending();
// Calls of Mem_Alloc, Mem_AllocZero and Mem_Realloc so far, failed or not.
uint32_t Mem_AllocationCount();
