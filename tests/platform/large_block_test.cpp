#include "platform/large_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace zel::internal {
namespace {

// Every size class: nothing, small (calloc), just under, at and just over a huge page, and
// several huge pages with a ragged end. Each block must come back zeroed, aligned, wholly
// writable (ASan and the kernel catch a short mapping) and independent of its neighbours;
// grown to the next size (small to small, small to large, large to larger where the pages
// move, the last to its own size) it keeps its bytes in order and gives zeros after them.
TEST(LargeBlock, EverySizeIsZeroedAlignedWritableAndGrowsKeepingItsBytes) {
  EXPECT_EQ(AllocateLargeBlock(0), nullptr);
  FreeLargeBlock(nullptr, 0);
  FreeLargeBlock(nullptr, kHugePageBytes);
  const size_t sizes[] = {1, 4096, kHugePageBytes - 1, kHugePageBytes, kHugePageBytes + 1, 5 * kHugePageBytes + 123};
  for (size_t k = 0; k < std::size(sizes); ++k) {
    const size_t n = sizes[k], next = k + 1 < std::size(sizes) ? sizes[k + 1] : n;
    auto* a = static_cast<unsigned char*>(AllocateLargeBlock(n));
    auto* b = static_cast<unsigned char*>(AllocateLargeBlock(n));
    ASSERT_TRUE(a != nullptr && b != nullptr) << n;
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer build takes every block from calloc
    EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % (n >= kHugePageBytes ? kHugePageBytes : 16), 0u) << n;
#endif
    size_t wrong = a[n - 1];
    for (size_t i = 0; i < n; i += 997) wrong += a[i];
    std::memset(b, 0x5A, n);
    for (size_t i = 0; i < n; ++i) a[i] = static_cast<unsigned char>(i % 251 + 1);
    wrong += b[0] != 0x5A || b[n - 1] != 0x5A;
    auto* grown = static_cast<unsigned char*>(GrowLargeBlock(a, n, next));
    ASSERT_NE(grown, nullptr) << n;
    for (size_t i = 0; i < n; i += (i % 4096 == 0 ? 1 : 331)) wrong += grown[i] != i % 251 + 1;
    for (size_t i = n; i < next; i += 997) wrong += grown[i] != 0;
    wrong += grown[next - 1] != (next - 1 < n ? (next - 1) % 251 + 1 : 0);
    EXPECT_EQ(wrong, 0u) << n << " to " << next;
    std::memset(grown, 0x33, next);
    FreeLargeBlock(grown, next);
    FreeLargeBlock(b, n);
  }
  auto* fresh = static_cast<unsigned char*>(GrowLargeBlock(nullptr, 0, 100));  // from nothing
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(fresh[0] + fresh[99], 0);
  FreeLargeBlock(fresh, 100);
}

// The advice is a hint on memory somebody else owns: it must leave written bytes alone,
// accept any alignment and length (including ranges holding no whole huge page), and ignore
// null.
TEST(LargeBlock, AdviceLeavesContentAlone) {
  std::string text(3 * kHugePageBytes + 7, 'x');
  text[12345] = 'y';
  const std::string before = text;
  AdviseHugePages(text.data() + 1, text.size() - 1);
  AdviseHugePages(text.data(), 10);
  AdviseHugePages(nullptr, 1000);
  EXPECT_TRUE(text == before);
  std::string big;
  big.reserve(4 * kHugePageBytes);
  AdviseHugePages(big.data(), big.capacity());
  big.append(4 * kHugePageBytes, 'z');
  EXPECT_EQ(big.back(), 'z');
}

}  // namespace
}  // namespace zel::internal
