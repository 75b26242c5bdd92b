// Tests the mailbox between the window's thread and the sound worker.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "sound/LatestRequest.h"

namespace mukiro::sound {
namespace {

TEST(LatestRequest, KeepsOnlyTheNewestUntilTaken) {
    LatestRequest requests;
    EXPECT_EQ(requests.take(), std::nullopt);
    requests.put("clear.wav");
    requests.put("wave\\鉄砲１.wav");
    EXPECT_EQ(requests.take(), "wave\\鉄砲１.wav");
    EXPECT_EQ(requests.take(), std::nullopt);
    requests.put("keana.wav");
    EXPECT_EQ(requests.waitAndTake(), "keana.wav");
}

TEST(LatestRequest, WaitingTakerWakesForARequestFromAnotherThread) {
    LatestRequest requests;
    auto taken = std::async(std::launch::async, [&] { return requests.waitAndTake(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    requests.put("iiase.wav");
    ASSERT_EQ(taken.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(taken.get(), "iiase.wav");
}

TEST(LatestRequest, ClosingWakesTheTakerAndDropsEverythingAfter) {
    LatestRequest requests;
    auto taken = std::async(std::launch::async, [&] { return requests.waitAndTake(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    requests.close();
    ASSERT_EQ(taken.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(taken.get(), std::nullopt);
    EXPECT_TRUE(requests.closed());
    requests.put("money.wav");
    EXPECT_EQ(requests.take(), std::nullopt);
    EXPECT_EQ(requests.waitAndTake(), std::nullopt);
}

}  // namespace
}  // namespace mukiro::sound
