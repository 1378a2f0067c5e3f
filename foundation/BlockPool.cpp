#include "foundation/BlockPool.h"

#include <new>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool PoolingOn = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool PoolingOn = false;
#else
constexpr bool PoolingOn = true;
#endif
#else
constexpr bool PoolingOn = true;
#endif

constexpr std::align_val_t GranuleAlign{TBlockPool::Granule};

} // namespace

bool TBlockPool::Pooling() noexcept
{
    return PoolingOn;
}

TBlockPool::~TBlockPool()
{
    for (void* Chunk : Chunks)
        ::operator delete(Chunk, GranuleAlign);
}

void* TBlockPool::Allocate(std::size_t Size)
{
    if (!PoolingOn || Size == 0 || Size > MaxPooled)
        return ::operator new(Size, GranuleAlign);
    const std::size_t Blocks = (Size + Granule - 1) / Granule;
    const std::size_t Bytes = Blocks * Granule;
    std::lock_guard Guard(Lock);
    TSizeClass& Class = SizeClasses[Blocks - 1];
    if (TFreeBlock* Block = Class.FreeList) {
        Class.FreeList = Block->Next;
        return Block;
    }
    if (static_cast<std::size_t>(Class.End - Class.Next) < Bytes) {
        Chunks.reserve(Chunks.size() + 1);
        auto* Chunk = static_cast<char*>(::operator new(ChunkBytes, GranuleAlign));
        Chunks.push_back(Chunk);
        Class.Next = Chunk;
        Class.End = Chunk + ChunkBytes;
    }
    void* Block = Class.Next;
    Class.Next += Bytes;
    return Block;
}

void TBlockPool::Free(void* Block, std::size_t Size) noexcept
{
    if (!Block)
        return;
    if (!PoolingOn || Size == 0 || Size > MaxPooled) {
        ::operator delete(Block, GranuleAlign);
        return;
    }
    const std::size_t Blocks = (Size + Granule - 1) / Granule;
    std::lock_guard Guard(Lock);
    TSizeClass& Class = SizeClasses[Blocks - 1];
    auto* Free = static_cast<TFreeBlock*>(Block);
    Free->Next = Class.FreeList;
    Class.FreeList = Free;
}

TBlockPool& TBlockPool::Network()
{
    // Never destroyed: objects held by other static objects may be freed
    // after the pool's own destructor would have run.
    static TBlockPool* Pool = new TBlockPool;
    return *Pool;
}
