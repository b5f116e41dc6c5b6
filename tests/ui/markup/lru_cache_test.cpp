// Covers: the fixed-size cache of the markup renderer: it never holds more than its
// size, drops the value used longest ago (a found value counts as used) and frees
// what it drops.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/markup/lru_cache.h"

namespace velmora {
namespace {

TEST(LruCache, DropsTheValueUsedLongestAgoAndFreesIt) {
    auto held = std::make_shared<int>(0);  // its use count: how many values hold it
    LruCache<std::string, std::shared_ptr<int>> cache(2);
    cache.Insert("a", held);
    cache.Insert("b", held);
    ASSERT_TRUE(cache.Find("a"));  // now b is the one used longest ago
    cache.Insert("c", held);
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_TRUE(cache.Find("a"));
    EXPECT_FALSE(cache.Find("b"));
    EXPECT_TRUE(cache.Find("c"));
    EXPECT_EQ(held.use_count(), 3);
    for (int i = 0; i < 1000; ++i)
        cache.Insert(std::to_string(i), held);
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_EQ(held.use_count(), 3);
    EXPECT_TRUE(cache.Find("999") && cache.Find("998"));
    cache.Clear();
    EXPECT_EQ(held.use_count(), 1);
}

}  // namespace
}  // namespace velmora
