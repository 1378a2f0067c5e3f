#include "foundation/BlockPool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

std::uintptr_t Address(const void* P)
{
    return reinterpret_cast<std::uintptr_t>(P);
}

TEST(BlockPool, BlocksOfAClassLieTogetherAndAreReusedLastFreedFirst)
{
    if (!TBlockPool::Pooling())
        GTEST_SKIP() << "pooling is off under the address sanitizer";
    TBlockPool Pool;
    // 600 bytes take ten granules: consecutive blocks 640 bytes apart.
    std::vector<void*> Blocks;
    for (int I = 0; I < 100; ++I)
        Blocks.push_back(Pool.Allocate(600));
    for (std::size_t I = 1; I < Blocks.size(); ++I) {
        EXPECT_EQ(Address(Blocks[I]) % TBlockPool::Granule, 0u);
        EXPECT_EQ(Address(Blocks[I]) - Address(Blocks[I - 1]), 640u);
    }
    // Another size class draws from a chunk of its own.
    void* Small = Pool.Allocate(100);
    EXPECT_TRUE(Address(Small) + 128 <= Address(Blocks.front()) || Address(Small) >= Address(Blocks.back()) + 640);

    Pool.Free(Blocks[7], 600);
    Pool.Free(Blocks[3], 600);
    EXPECT_EQ(Pool.Allocate(590), Blocks[3]);
    EXPECT_EQ(Pool.Allocate(600), Blocks[7]);
    EXPECT_NE(Pool.Allocate(600), Blocks[7]);
}

TEST(BlockPool, BlocksKeepTheirContentsAcrossChunksAndLargeRequests)
{
    TBlockPool Pool;
    struct TBlock {
        unsigned char* Data;
        std::size_t Size;
    };
    std::vector<TBlock> Blocks;
    // Enough to fill several chunks, with sizes across every class and
    // beyond the largest pooled one.
    for (std::size_t I = 0; I < 6000; ++I) {
        const std::size_t Size = 1 + (I * 37) % (TBlockPool::MaxPooled + 300);
        auto* Data = static_cast<unsigned char*>(Pool.Allocate(Size));
        std::memset(Data, static_cast<int>(I % 251), Size);
        Blocks.push_back({Data, Size});
    }
    for (std::size_t I = 0; I < Blocks.size(); I += 2)
        Pool.Free(Blocks[I].Data, Blocks[I].Size);
    for (std::size_t I = 1; I < Blocks.size(); I += 2) {
        const TBlock& B = Blocks[I];
        for (std::size_t K = 0; K < B.Size; ++K)
            ASSERT_EQ(B.Data[K], I % 251) << "block " << I << " byte " << K;
        Pool.Free(B.Data, B.Size);
    }
}

// A pooled object freed through its base goes back to the class of its
// own size, where the next object of that type finds it.
struct TPooledBase {
    VENTRIX_NETWORK_POOLED
    virtual ~TPooledBase() = default;
    double Value = 0.0;
};

struct TPooledDerived : TPooledBase {
    char Payload[900] = {};
};

TEST(BlockPool, PooledHierarchyFreesWithTheDynamicSize)
{
    if (!TBlockPool::Pooling())
        GTEST_SKIP() << "pooling is off under the address sanitizer";
    std::unique_ptr<TPooledBase> First = std::make_unique<TPooledDerived>();
    const void* Where = First.get();
    First.reset();
    auto Base = std::make_unique<TPooledBase>();
    EXPECT_NE(static_cast<const void*>(Base.get()), Where);
    auto Again = std::make_unique<TPooledDerived>();
    EXPECT_EQ(static_cast<const void*>(Again.get()), Where);
}

} // namespace
