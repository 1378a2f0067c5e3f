#pragma once
// Memory for the many small objects of a network (nodes, branches, their
// fixed items). Blocks of one size class are cut from large chunks one after
// the other, so the objects of a network sit next to each other in the order
// they were made, instead of scattered among their own names and lists; the
// walks that run through every node or branch of a large network then read
// neighbouring memory, which is what keeps them fast once the network no
// longer fits in the processor's caches. A freed block is kept for the next
// object of its class; chunks go back to the system only with the pool.

#include <cstddef>
#include <mutex>
#include <vector>

class TBlockPool {
public:
    // Blocks are multiples of this and aligned to it (a cache line).
    static constexpr std::size_t Granule = 64;
    // Larger requests go to the general allocator.
    static constexpr std::size_t MaxPooled = 2048;
    static constexpr std::size_t ChunkBytes = std::size_t{1} << 20;

    TBlockPool() = default;
    ~TBlockPool();
    TBlockPool(const TBlockPool&) = delete;
    TBlockPool& operator=(const TBlockPool&) = delete;

    // False under the address sanitizer: every block is then its own
    // allocation, so that a use after free is still caught.
    static bool Pooling() noexcept;

    void* Allocate(std::size_t Size);
    // Size must be the size the block was allocated with.
    void Free(void* Block, std::size_t Size) noexcept;

    // The pool the network's objects take their memory from. It lives to
    // the end of the program, so objects destroyed late can still free.
    static TBlockPool& Network();

private:
    static constexpr std::size_t Classes = MaxPooled / Granule;
    struct TFreeBlock {
        TFreeBlock* Next;
    };
    struct TSizeClass {
        TFreeBlock* FreeList = nullptr;
        char* Next = nullptr; // the unused rest of the newest chunk
        char* End = nullptr;
    };

    std::mutex Lock;
    TSizeClass SizeClasses[Classes];
    std::vector<void*> Chunks;
};

// Class-scope operators that place the objects of a class hierarchy in the
// network pool; the deleting destructor passes the dynamic type's size.
#define VENTRIX_NETWORK_POOLED                                                                 \
    static void* operator new(std::size_t Size) { return TBlockPool::Network().Allocate(Size); } \
    static void operator delete(void* Block, std::size_t Size) noexcept                         \
    {                                                                                           \
        TBlockPool::Network().Free(Block, Size);                                                \
    }
