#include "library/search_keyword.h"

#include <gtest/gtest.h>

#include "text/gbk.h"

namespace qh {
namespace {

TEST(SearchKeyword, TypedTextIsANumberARefusalOrAKeywordInSteps) {
    const struct {
        const char* typed;
        TypedTextKind kind;
        const char* keyword;
    } cases[] = {
        {"123", TypedTextKind::Number, "123"},
        {"0012345", TypedTextKind::Number, "0012345"},
        {"12", TypedTextKind::Refused, ""},
        {"2009", TypedTextKind::Refused, ""},
        {"20090", TypedTextKind::Number, "20090"},
        {"1", TypedTextKind::Refused, ""},
        {"9亮", TypedTextKind::Number, "9亮"},
        {"", TypedTextKind::Refused, ""},
        {"a", TypedTextKind::Refused, ""},
        {" ", TypedTextKind::Refused, ""},
        {"  ", TypedTextKind::Refused, ""},
        {"mp3", TypedTextKind::Refused, ""},
        {".dat", TypedTextKind::Refused, ""},
        {"gp", TypedTextKind::Refused, ""},
        {"qh2009", TypedTextKind::Refused, ""},
        {"MP3", TypedTextKind::Keyword, "MP*"},
        {"mp4", TypedTextKind::Keyword, "mp*"},
        {"月", TypedTextKind::Keyword, "月*"},
        {"月亮", TypedTextKind::Keyword, "月*亮*"},
        {"abc", TypedTextKind::Keyword, "ab*"},
        {"这里输入查找关键字", TypedTextKind::Keyword, "这*里*输*入*查*找*关*键*字*"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(chooseSearchKeyword(gbk(c.typed)), (SearchKeywordChoice{c.kind, gbk(c.keyword)}));
    }
}

// Steps count bytes, so one ASCII letter before Chinese characters cuts each in two.
TEST(SearchKeyword, StepsMayCutACharacterInTwo) {
    const std::string typed = gbk("a月亮");
    ASSERT_EQ(typed.size(), 5u);
    EXPECT_EQ(keywordInSteps(typed), typed.substr(0, 2) + "*" + typed.substr(2, 2) + "*");
}

}  // namespace
}  // namespace qh
