#include "platform/large_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace zel::internal {
namespace {

// Every size class: nothing, small (calloc), just under, at and just over a huge page, and
// several huge pages with a ragged end. Each block must come back zeroed, aligned, wholly
// writable (ASan and the kernel catch a short mapping) and independent of its neighbours.
TEST(LargeBlock, EverySizeIsZeroedAlignedAndWritable) {
  EXPECT_EQ(AllocateLargeBlock(0), nullptr);
  FreeLargeBlock(nullptr, 0);
  FreeLargeBlock(nullptr, kHugePageBytes);
  for (const size_t n : {size_t{1}, size_t{4096}, kHugePageBytes - 1, kHugePageBytes, kHugePageBytes + 1, 5 * kHugePageBytes + 123}) {
    auto* a = static_cast<unsigned char*>(AllocateLargeBlock(n));
    auto* b = static_cast<unsigned char*>(AllocateLargeBlock(n));
    ASSERT_TRUE(a != nullptr && b != nullptr) << n;
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer build takes every block from calloc
    EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % (n >= kHugePageBytes ? kHugePageBytes : 16), 0u) << n;
#endif
    size_t nonzero = a[n - 1];
    for (size_t i = 0; i < n; i += 997) nonzero += a[i];
    EXPECT_EQ(nonzero, 0u) << n;
    std::memset(a, 0xA5, n);
    std::memset(b, 0x5A, n);
    EXPECT_EQ(a[0] + a[n - 1] + b[n - 1], 0xA5 + 0xA5 + 0x5A) << n;
    FreeLargeBlock(a, n);
    FreeLargeBlock(b, n);
  }
}

// Growing keeps the old bytes and gives zeros after them, across every size class: small to
// small, small to large, large to larger (the pages move) with ragged ends on both sides.
TEST(LargeBlock, GrowingKeepsTheBytesAndZeroesTheRest) {
  const std::pair<size_t, size_t> steps[] = {
      {0, 100},
      {100, 4096},
      {4096, kHugePageBytes + 5},
      {kHugePageBytes, kHugePageBytes},
      {kHugePageBytes + 5, 3 * kHugePageBytes - 7},
      {3 * kHugePageBytes - 7, 7 * kHugePageBytes + 1},
  };
  for (const auto& [from, to] : steps) {
    SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
    auto* old = static_cast<unsigned char*>(AllocateLargeBlock(from));
    for (size_t i = 0; i < from; ++i) old[i] = static_cast<unsigned char>(i % 251 + 1);
    auto* grown = static_cast<unsigned char*>(GrowLargeBlock(old, from, to));
    ASSERT_NE(grown, nullptr);
    size_t wrong = 0;
    for (size_t i = 0; i < from; i += (i % 4096 == 0 ? 1 : 331)) wrong += grown[i] != i % 251 + 1;
    for (size_t i = from; i < to; i += 997) wrong += grown[i] != 0;
    wrong += grown[to - 1] != (to - 1 < from ? (to - 1) % 251 + 1 : 0);
    EXPECT_EQ(wrong, 0u);
    std::memset(grown, 0x33, to);
    FreeLargeBlock(grown, to);
  }
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
