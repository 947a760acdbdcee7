#pragma once
#include <cstddef>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

// An allocator for the large arrays of history records and the clipboard.
// Blocks of 2 MB and more are mapped on their own and asked for huge pages:
// a fresh 12 MB record then costs a few faults instead of three thousand,
// and its memory goes back to the system as soon as the record is freed.
template <class T>
class CLargeAllocator {
public:
    using value_type = T;
    static constexpr std::size_t Large = std::size_t{2} << 20;

    CLargeAllocator() = default;
    template <class U>
    CLargeAllocator(const CLargeAllocator<U>&) noexcept {}

    [[nodiscard]] T* allocate(std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < Large) {
            void* block = std::malloc(bytes == 0 ? 1 : bytes);
            if (block == nullptr) {
                throw std::bad_alloc();
            }
            return static_cast<T*>(block);
        }
        void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED) {
            throw std::bad_alloc();
        }
        // Only advice: without huge pages the block works the same.
        (void)madvise(block, bytes, MADV_HUGEPAGE);
        return static_cast<T*>(block);
    }

    void deallocate(T* block, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < Large) {
            std::free(block);
        } else {
            munmap(block, bytes);
        }
    }

    template <class U>
    bool operator==(const CLargeAllocator<U>&) const noexcept {
        return true;
    }
};
