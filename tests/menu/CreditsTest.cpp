// The closing credits: steering keys, F11, and the end of the program.
#include "MenuFixture.h"

namespace {
constexpr uint32_t spaceKey = 57, enterKey = 28, rightKey = 205, leftKey = 203, f11Key = 87;
} // namespace

class CreditsTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        activate(99);
        ASSERT_EQ(menuState().page, MenuSystem::CreditsPage);
    }
    bool closed() const { return directX->windowState == DirectXLib::Closed; }
};

TEST_F(CreditsTest, SpaceTwiceRestoresTheDrift) {
    tapKey(spaceKey);
    EXPECT_NEAR(menuState().drift, 0.1f, 1e-6);
    tapKey(spaceKey);
    EXPECT_NEAR(menuState().drift, 0.9f, 1e-6);
    EXPECT_FALSE(closed());
}

TEST_F(CreditsTest, InwardDriftStartsParticlesOnTheRim) {
    tapKey(spaceKey);
    for (OutroParticle& p : menuState().particles) p.active = 0;
    frame(10);
    int active = 0;
    for (const OutroParticle& p : menuState().particles) {
        if (!p.active) continue;
        ++active;
        EXPECT_LT(p.radius, 1.0f) << "a rim particle moves inwards";
        EXPECT_GT(p.radius, 0.99f);
    }
    EXPECT_EQ(active, 1) << "one new particle per tick";
}

TEST_F(CreditsTest, EnterThreeTimesRestoresTheMode) {
    for (int expected : {1, 2, 0}) {
        tapKey(enterKey);
        EXPECT_EQ(menuState().outroMode, expected);
    }
}

TEST_F(CreditsTest, SwirlStopsAtItsLimits) {
    for (int i = 0; i < 6; ++i) pushKeyPress(rightKey);
    frame();
    EXPECT_FLOAT_EQ(menuState().swirl, 1.0f);
    for (int i = 0; i < 12; ++i) pushKeyPress(leftKey);
    frame();
    EXPECT_FLOAT_EQ(menuState().swirl, 0.0f);
    EXPECT_FALSE(closed());
}

TEST_F(CreditsTest, F11DoesNotEndTheProgramButEndsTheFramesInput) {
    pushKey(f11Key);
    pushKey(spaceKey);
    frame();
    EXPECT_FALSE(closed());
    EXPECT_NEAR(menuState().drift, 0.9f, 1e-6) << "keys after F11 wait for the next frame";
    frame();
    EXPECT_NEAR(menuState().drift, 0.1f, 1e-6);
}

TEST_F(CreditsTest, AnyOtherKeyOrAClickEndsTheProgram) {
    tapKey(30);
    EXPECT_TRUE(closed()) << "a key that does not steer";
    directX->windowState = DirectXLib::Active;
    pushClick();
    frame();
    EXPECT_TRUE(closed()) << "a mouse button";
}
