#include "download/list_copy_control.h"

#include <gtest/gtest.h>

namespace qh {
namespace {

using Paths = std::vector<std::string>;

TEST(ListCopyControl, ASyncAddStartsAJobOnlyOnceTheRunningOneHasFoundNothingMore) {
    ListCopyControl control;
    EXPECT_EQ(control.syncAdd("F:\\a.mp3"), 0u);
    EXPECT_EQ(control.pathAtOrGoIdle(0), "F:\\a.mp3");
    EXPECT_EQ(control.syncAdd("F:\\b.mp3"), std::nullopt);  // the running job reaches it
    EXPECT_EQ(control.pathAtOrGoIdle(1), "F:\\b.mp3");

    EXPECT_EQ(control.pathAtOrGoIdle(2), std::nullopt);
    EXPECT_FALSE(control.busy());
    EXPECT_EQ(control.syncAdd("F:\\c.mp3"), 2u);
    EXPECT_TRUE(control.busy());
    EXPECT_EQ(control.syncCounters(), (SyncCounters{.total = 3, .next = 1}));
}

TEST(ListCopyControl, ABatchTakesTheQueueOnlyWhileTheListIsIdle) {
    ListCopyControl control;
    ASSERT_TRUE(control.startBatch({"F:\\a.mp3", "F:\\b.mp3"}));
    EXPECT_FALSE(control.startBatch({"F:\\x.mp3"}));
    EXPECT_EQ(control.syncAdd("F:\\c.mp3"), std::nullopt);

    // The batch is what was queued at its start; the sync add waits behind it.
    EXPECT_EQ(control.batchPaths(), (Paths{"F:\\a.mp3", "F:\\b.mp3"}));
    EXPECT_EQ(control.paths(), (Paths{"F:\\a.mp3", "F:\\b.mp3", "F:\\c.mp3"}));
}

TEST(ListCopyControl, ASyncJobWithoutAnAddStartsAtTheLastQueuedPath) {
    ListCopyControl empty;
    EXPECT_EQ(empty.claimSync(), 0u);
    EXPECT_EQ(empty.claimSync(), std::nullopt);

    ListCopyControl control;
    control.syncAdd("F:\\a.mp3");
    control.syncAdd("F:\\b.mp3");
    EXPECT_EQ(control.claimSync(), std::nullopt);  // the add's job runs
    control.pathAtOrGoIdle(2);
    EXPECT_EQ(control.claimSync(), 1u);
}

TEST(ListCopyControl, EverySyncAddIsServedOnce) {
    ListCopyControl control;
    control.syncAdd("F:\\a.mp3");
    control.syncAdd("F:\\b.mp3");
    EXPECT_FALSE(control.markSyncAddServed());
    EXPECT_TRUE(control.markSyncAddServed());
    // A job without an add moves past the total; the next add is then served at once.
    EXPECT_TRUE(control.markSyncAddServed());
    control.syncAdd("F:\\c.mp3");
    EXPECT_EQ(control.syncCounters(), (SyncCounters{.total = 3, .next = 4}));
    EXPECT_TRUE(control.markSyncAddServed());
}

}  // namespace
}  // namespace qh
