#include "text/text_list_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "test_bytes.h"
#include "text/atomic_file.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::ElementsAre;
using Lines = std::vector<std::string>;

TEST(TextListSplit, EndsLinesAtEveryKindOfLineBreak) {
    const struct {
        const char* name;
        std::string content;
        Lines lines;
    } cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"lone LF", "a\nb\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"no final break", "a\r\nb", {"a", "b"}},
        {"empty lines in the middle", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}},
        {"LF then CR is two breaks", "a\n\rb", {"a", "", "b"}},
        {"empty file", "", {}},
        {"one empty line", "\r\n", {""}},
        {"NUL and invalid GBK kept",
         std::string("a\0b", 3) + bytes({0xFF, 0xB1}) + "\r\n",
         {std::string("a\0b", 3) + bytes({0xFF, 0xB1})}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitTextLines(c.content), c.lines);
    }
}

TEST(TextListSplit, KeepsAMegabyteLineWhole) {
    const std::string longLine(1 << 20, 'x');
    EXPECT_THAT(splitTextLines("a\r\n" + longLine + "\r\nb"), ElementsAre("a", longLine, "b"));
}

class TextListFileTest : public testing::Test {
protected:
    std::filesystem::path pathOf(const char* name) const {
        return std::filesystem::path(folder_.path().toStdString()) / name;
    }

private:
    QTemporaryDir folder_;
};

TEST_F(TextListFileTest, SavesEveryLineWithCrLfAndLoadsThemBack) {
    const auto file = pathOf("list.txt");
    const Lines paths = {gbk("F:\\青禾点唱库\\1-音乐\\月亮.mp3"), "F:\\a.mp3",
                         gbk("D:\\歌曲下载\\b.wma")};

    ASSERT_TRUE(saveTextList(file, paths));

    EXPECT_EQ(readWholeFile(file), paths[0] + "\r\n" + paths[1] + "\r\n" + paths[2] + "\r\n");
    EXPECT_EQ(loadTextList(file), paths);
}

TEST_F(TextListFileTest, SaveReplacesTheWholeFile) {
    const auto file = pathOf("list.txt");
    ASSERT_TRUE(saveTextList(file, {"one", "two", "three", "four"}));

    ASSERT_TRUE(saveTextList(file, {"five"}));

    EXPECT_EQ(readWholeFile(file), "five\r\n");
}

TEST_F(TextListFileTest, SavesAnEmptyListAsAnEmptyFile) {
    const auto file = pathOf("list.txt");
    ASSERT_TRUE(saveTextList(file, {}));

    EXPECT_EQ(readWholeFile(file), "");
    EXPECT_THAT(loadTextList(file), ElementsAre());
}

TEST_F(TextListFileTest, UnreadableFileLoadsAsNoLinesAndUnwritableFileFails) {
    EXPECT_THAT(loadTextList(pathOf("missing.txt")), ElementsAre());
    EXPECT_FALSE(saveTextList(pathOf("missing") / "list.txt", {"a"}));
}

}  // namespace
}  // namespace qh
