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

TEST_F(PathBatcherTest, FullBatchesInOrderAndTheRestWhenFlushed) {
    auto paths = batcher({3, 16ms});
    for (const char* path : {"a", "b", "c", "d", "e", "f", "g"}) {
        paths.found(path);
    }
    paths.flush();
    paths.flush();
    EXPECT_THAT(batches, ElementsAre(ElementsAre("a", "b", "c"), ElementsAre("d", "e", "f"),
                                     ElementsAre("g")));
}

TEST_F(PathBatcherTest, APathWaitsNoLongerThanTheWaitEvenWhenNothingMoreIsFound) {
    auto paths = batcher({1000, 16ms});
    paths.found("a");
    now += 15ms;
    paths.betweenFolders();
    EXPECT_THAT(batches, IsEmpty());
    now += 1ms;
    paths.betweenFolders();
    now += 4ms;
    paths.found("b");
    now += 16ms;
    paths.found("c");
    EXPECT_THAT(batches, ElementsAre(ElementsAre("a"), ElementsAre("b", "c")));
}

TEST_F(PathBatcherTest, NothingIsHandedOverOnceStopped) {
    std::stop_source stop;
    auto paths = batcher({2, 16ms}, stop.get_token());
    paths.found("a");
    stop.request_stop();
    paths.found("b");
    paths.found("c");
    now += 1s;
    paths.betweenFolders();
    paths.flush();
    EXPECT_THAT(batches, IsEmpty());
}

}  // namespace
}  // namespace qh
