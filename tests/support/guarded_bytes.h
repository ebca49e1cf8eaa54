// Byte blocks for test planes, optionally fenced by protected pages: the
// block's last byte (or its first) touches a page that faults when read or
// written, so a one-byte overrun fails in the release build too, not only
// under AddressSanitizer.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

enum class T_Guard { None, AfterEnd, BeforeStart };

class T_GuardedBytes {
public:
    using value_type = uint8_t;
    using iterator = uint8_t*;
    using const_iterator = const uint8_t*;

    T_GuardedBytes() = default;
    T_GuardedBytes(const T_GuardedBytes&) = delete;
    T_GuardedBytes(T_GuardedBytes&& other) noexcept { Take(other); }
    T_GuardedBytes& operator=(T_GuardedBytes&& other) noexcept {
        if (this != &other) Free(), Take(other);
        return *this;
    }
    // Copies the contents of a block of the same size; the storage stays put,
    // because images point into it.
    T_GuardedBytes& operator=(const T_GuardedBytes& other) {
        if (this != &other) Assign(other.begin(), other.end());
        return *this;
    }
    ~T_GuardedBytes() { Free(); }

    // `size` bytes of `value` (at least one, so the block always has an address).
    void Allocate(size_t size, T_Guard guard, uint8_t value = 0) {
        Free();
        size_ = size;
        const size_t bytes = std::max<size_t>(size, 1);
        if (guard == T_Guard::None) {
            plain_.assign(bytes, value);
            data_ = plain_.data();
            return;
        }
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        const size_t inner = (bytes + page - 1) / page * page;
        mapLength_ = inner + 2 * page;
        void* map = mmap(nullptr, mapLength_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map == MAP_FAILED) abort();
        map_ = static_cast<uint8_t*>(map);
        if (mprotect(map_, page, PROT_NONE) != 0 || mprotect(map_ + page + inner, page, PROT_NONE) != 0) abort();
        data_ = guard == T_Guard::AfterEnd ? map_ + page + inner - bytes : map_ + page;
        memset(data_, value, bytes);
    }
    void Assign(const uint8_t* first, const uint8_t* last) {
        if (size_t(last - first) != size_) abort();
        if (size_) memcpy(data_, first, size_);
    }

    uint8_t* data() { return data_; }
    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    uint8_t* begin() { return data_; }
    uint8_t* end() { return data_ + size_; }
    const uint8_t* begin() const { return data_; }
    const uint8_t* end() const { return data_ + size_; }
    uint8_t& operator[](size_t i) { return data_[i]; }
    const uint8_t& operator[](size_t i) const { return data_[i]; }
    operator std::vector<uint8_t>() const { return std::vector<uint8_t>(begin(), end()); }
    bool operator==(const std::vector<uint8_t>& other) const {
        return other.size() == size_ && std::equal(begin(), end(), other.begin());
    }
    bool operator!=(const std::vector<uint8_t>& other) const { return !(*this == other); }
    bool operator==(const T_GuardedBytes& other) const {
        return other.size_ == size_ && std::equal(begin(), end(), other.begin());
    }
    bool operator!=(const T_GuardedBytes& other) const { return !(*this == other); }

private:
    void Free() {
        if (map_) munmap(map_, mapLength_);
        plain_.clear();
        plain_.shrink_to_fit();
        map_ = data_ = nullptr;
        size_ = mapLength_ = 0;
    }
    void Take(T_GuardedBytes& other) {
        plain_ = std::move(other.plain_);  // a moved vector keeps its block
        map_ = other.map_, data_ = other.data_, size_ = other.size_, mapLength_ = other.mapLength_;
        other.map_ = other.data_ = nullptr;
        other.size_ = other.mapLength_ = 0;
    }

    std::vector<uint8_t> plain_;
    uint8_t* map_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0, mapLength_ = 0;
};

inline bool operator==(const std::vector<uint8_t>& a, const T_GuardedBytes& b) { return b == a; }
