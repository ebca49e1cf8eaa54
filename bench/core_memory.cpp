// Block routines against the C library on the same block sizes, in one run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include <softblit/softblit.h>

namespace {

constexpr int64_t kSmall = 4 << 10;
constexpr int64_t kLarge = 4 << 20;

void Args(benchmark::internal::Benchmark* b) { b->Arg(kSmall)->Arg(kLarge); }

// Every routine and its C library peer work on the same two blocks, so that
// address effects (alignment, 4 KiB aliasing) are the same for both.
uint8_t* Source() {
    static std::vector<uint8_t> block(kLarge + 64, 1);
    return block.data();
}
uint8_t* Destination() {
    static std::vector<uint8_t> block(kLarge + 64, 0);
    return block.data();
}

void BM_Mem_Copy(benchmark::State& state) {
    uint8_t* src = Source();
    uint8_t* dst = Destination();
    for (auto _ : state) {
        Mem_Copy(src, dst, static_cast<uint32_t>(state.range(0)));
        benchmark::DoNotOptimize(dst);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Mem_Copy)->Apply(Args);

void BM_memcpy(benchmark::State& state) {
    uint8_t* src = Source();
    uint8_t* dst = Destination();
    for (auto _ : state) {
        memcpy(dst, src, static_cast<size_t>(state.range(0)));
        benchmark::DoNotOptimize(dst);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_memcpy)->Apply(Args);

template <bool (*Fill)(void*, uint32_t, uint32_t)>
void BM_Fill(benchmark::State& state) {
    uint8_t* dst = Destination();
    uint32_t value = 0x12345678;
    for (auto _ : state) {
        Fill(dst, static_cast<uint32_t>(state.range(0)), value);
        benchmark::DoNotOptimize(dst);
        benchmark::ClobberMemory();
        value ^= 0x01010101;  // never a byte-uniform value: the general path
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

bool Set8(void* d, uint32_t n, uint32_t v) { return Mem_Set8(d, n, static_cast<uint8_t>(v)); }
bool Set16(void* d, uint32_t n, uint32_t v) { return Mem_Set16(d, n, static_cast<uint16_t>(v)); }
bool Set24(void* d, uint32_t n, uint32_t v) { return Mem_Set24(d, n, v); }
bool Set32(void* d, uint32_t n, uint32_t v) { return Mem_Set32(d, n, v); }
bool CMemset(void* d, uint32_t n, uint32_t v) {
    memset(d, static_cast<int>(v & 0xFF), n);
    return true;
}

BENCHMARK(BM_Fill<Set8>)->Name("BM_Mem_Set8")->Apply(Args);
BENCHMARK(BM_Fill<Set16>)->Name("BM_Mem_Set16")->Apply(Args);
BENCHMARK(BM_Fill<Set24>)->Name("BM_Mem_Set24")->Apply(Args);
BENCHMARK(BM_Fill<Set32>)->Name("BM_Mem_Set32")->Apply(Args);
BENCHMARK(BM_Fill<CMemset>)->Name("BM_memset")->Apply(Args);

}  // namespace

