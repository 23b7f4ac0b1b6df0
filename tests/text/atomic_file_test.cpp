#include "text/atomic_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <csignal>

namespace qh {
namespace {

namespace fs = std::filesystem;
using testing::ElementsAre;

class AtomicFileTest : public testing::Test {
protected:
    fs::path folder() const { return folder_.path().toStdString(); }

    std::vector<std::string> namesInFolder() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    QTemporaryDir folder_;
};

TEST_F(AtomicFileTest, WritesNewFileAndReadsItBackByteForByte) {
    const fs::path file = folder() / "data.txt";
    const std::string content = std::string("a\0b\r\n", 5) + "\xFF\xB1";

    ASSERT_TRUE(writeFileAtomically(file, content));

    EXPECT_EQ(readWholeFile(file), content);
    EXPECT_THAT(namesInFolder(), ElementsAre("data.txt"));
}

TEST_F(AtomicFileTest, ReplacesOldFileAndKeepsItsPermissions) {
    const fs::path file = folder() / "data.txt";
    ASSERT_TRUE(writeFileAtomically(file, "old content that is longer"));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_TRUE(writeFileAtomically(file, "new"));

    EXPECT_EQ(readWholeFile(file), "new");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_THAT(namesInFolder(), ElementsAre("data.txt"));
}

TEST_F(AtomicFileTest, FailsWithoutTraceWhenTheTargetCannotBeReplaced) {
    fs::create_directory(folder() / "folder");
    fs::create_directory(folder() / "folder" / "inner");
    const struct {
        const char* name;
        fs::path target;
    } cases[] = {
        {"target is a folder", folder() / "folder"},
        {"folder is missing", folder() / "missing" / "data.txt"},
        {"no file name", folder() / ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(writeFileAtomically(c.target, "content"));
        EXPECT_THAT(namesInFolder(), ElementsAre("folder"));
        EXPECT_TRUE(fs::is_directory(folder() / "folder" / "inner"));
    }
}

// Makes every write beyond `limit` bytes fail, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(AtomicFileTest, KeepsOldFileWhenTheWriteStopsHalfWay) {
    const fs::path file = folder() / "data.txt";
    ASSERT_TRUE(writeFileAtomically(file, "old"));
    const std::string bigContent(64 * 1024, 'n');

    bool written = true;
    {
        FileSizeLimit limit(4096);
        written = writeFileAtomically(file, bigContent);
    }

    EXPECT_FALSE(written);
    EXPECT_EQ(readWholeFile(file), "old");
    EXPECT_THAT(namesInFolder(), ElementsAre("data.txt"));
}

TEST_F(AtomicFileTest, ReadsNothingFromAMissingFileOrAFolder) {
    EXPECT_EQ(readWholeFile(folder() / "missing.txt"), std::nullopt);
    EXPECT_EQ(readWholeFile(folder()), std::nullopt);
}

TEST_F(AtomicFileTest, ReadsAFileLargerThanOneBuffer) {
    const fs::path file = folder() / "big.bin";
    std::string content;
    for (int i = 0; i < 300000; ++i) {
        content += static_cast<char>(i * 7);
    }
    ASSERT_TRUE(writeFileAtomically(file, content));

    EXPECT_EQ(readWholeFile(file), content);
}

}  // namespace
}  // namespace qh
