#include "game/Random.h"

#include <gtest/gtest.h>

TEST(Random, FollowsTheLinearCongruentialSequence) {
    // The first draws after seed 1 of the classic generator.
    Random::Seed(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int want : expected) {
        int got = Random::Draw();
        EXPECT_EQ(want, got);
    }
}

TEST(Random, StateAdvancesOncePerDraw) {
    Random::Seed(12345);
    Random::Draw();
    EXPECT_EQ(12345u * 214013u + 2531011u, Random::State());
}
