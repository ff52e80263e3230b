#include <climits>

#include <gtest/gtest.h>

#include "support/messages.h"
#include "support/world_fixture.h"
#include "world/message.h"

namespace {

class Messages : public WorldFixture {
  protected:
    std::vector<std::string> log;
    void SetUp() override {
        WorldFixture::SetUp();
        SetDebugSink([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override {
        SetDebugSink(nullptr);
        WorldFixture::TearDown();
    }
};

TEST_F(Messages, AddKeepsTextLifetimeAndStartInRaisingOrder) {
    Tmessage::add("Ich kann das nicht nehmen!", 1000);
    AdvanceVirtualClock(5);
    Tmessage::add("Ich kann das nicht nehmen!", 500); // duplicates are shown twice
    ASSERT_EQ(Tmessage::list.size(), 2u);
    EXPECT_EQ(Tmessage::list[0].start, 1000000);
    EXPECT_EQ(Tmessage::list[1].start, 1000005);
    EXPECT_EQ(Tmessage::list[1].duration, 500);
    EXPECT_EQ(Tmessage::list[1].txt, "Ich kann das nicht nehmen!");
}

TEST_F(Messages, ExpireOnlyOnceTheirFullLifetimeHasPassed) {
    Tmessage::add("lang", 3000);
    Tmessage::add("kurz", 1000);
    AdvanceVirtualClock(1000);
    Tmessage::Update();
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"lang", "kurz"}));
    EXPECT_TRUE(log.empty());

    AdvanceVirtualClock(1);
    Tmessage::Update();
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"lang"}));
    EXPECT_EQ(log, (std::vector<std::string>{"message deleted"}));

    AdvanceVirtualClock(1999);
    Tmessage::Update();
    EXPECT_EQ(MessageTexts().size(), 1u);
    AdvanceVirtualClock(1);
    Tmessage::Update();
    EXPECT_TRUE(Tmessage::list.empty());
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(Messages, ExpiringNeighboursLeaveTheMiddleOne) {
    Tmessage::add("eins", 1000);
    Tmessage::add("zwei", 3000);
    Tmessage::add("drei", 1000);
    AdvanceVirtualClock(1001);
    Tmessage::Update();
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"zwei"}));
}

TEST_F(Messages, ClockWrappingPastTheIntRangeStillExpires) {
    UseVirtualClock(true, INT_MAX - 100);
    Tmessage::add("Mitternacht", 500);
    AdvanceVirtualClock(500);
    Tmessage::Update();
    EXPECT_EQ(Tmessage::list.size(), 1u);
    AdvanceVirtualClock(1);
    Tmessage::Update();
    EXPECT_TRUE(Tmessage::list.empty());
}

} // namespace
