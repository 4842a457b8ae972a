#include "platform/large_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

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
