#include "library/path_batcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qh {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace std::chrono_literals;
using Batches = std::vector<std::vector<std::string>>;

class PathBatcherTest : public ::testing::Test {
protected:
    PathBatcher batcher(BatchLimits limits, std::stop_token stop = {}) {
        return PathBatcher([this](std::vector<std::string> paths) { batches.push_back(paths); },
                           limits, std::move(stop), [this] { return now; });
    }

    Batches batches;
    std::chrono::steady_clock::time_point now;
};

TEST_F(PathBatcherTest, TheFirstPathAloneThenFullBatchesInOrderAndTheRestWhenFlushed) {
    auto paths = batcher({3, 16ms});
    for (const char* path : {"a", "b", "c", "d", "e", "f", "g", "h"}) {
        paths.found(path);
    }
    paths.flush();
    paths.flush();
    EXPECT_THAT(batches, ElementsAre(ElementsAre("a"), ElementsAre("b", "c", "d"),
                                     ElementsAre("e", "f", "g"), ElementsAre("h")));
}

TEST_F(PathBatcherTest, ALaterPathWaitsNoLongerThanTheWaitEvenWhenNothingMoreIsFound) {
    auto paths = batcher({1000, 16ms});
    paths.found("first");
    EXPECT_THAT(batches, ElementsAre(ElementsAre("first")));
    now += 1s;
    paths.found("a");
    now += 15ms;
    paths.betweenFolders();
    EXPECT_EQ(batches.size(), 1u);
    now += 1ms;
    paths.betweenFolders();
    now += 4ms;
    paths.found("b");
    now += 16ms;
    paths.found("c");
    EXPECT_THAT(batches,
                ElementsAre(ElementsAre("first"), ElementsAre("a"), ElementsAre("b", "c")));
}

TEST_F(PathBatcherTest, NothingIsHandedOverOnceStopped) {
    std::stop_source stop;
    auto paths = batcher({3, 16ms}, stop.get_token());
    paths.found("a");
    paths.found("b");
    stop.request_stop();
    paths.found("c");
    paths.found("d");
    now += 1s;
    paths.betweenFolders();
    paths.flush();
    EXPECT_THAT(batches, ElementsAre(ElementsAre("a")));
}

}  // namespace
}  // namespace qh
