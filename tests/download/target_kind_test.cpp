#include "download/target_kind.h"

#include <gtest/gtest.h>

namespace qh {
namespace {

TEST(TargetKind, ExtensionPiecesCountAndTheLastGroupWins) {
    const struct {
        const char* extension;
        std::optional<TargetKind> kind;
    } cases[] = {
        {".mp3", kMusic}, {".MP3", kMusic},  {".wav", kMusic},   {".rmvb", kVideo}, {".rm", kVideo},
        {".mp", kVideo},  {".RMVB", kVideo}, {".jpg", kPicture}, {".g", kGame},     {".gbc", kGame},
        {".GBC", kGame},  {".txt", kEbook},  {".t", kEbook},     {".jpeg", {}},     {".png", {}},
        {".flv", {}},     {".amr", {}},      {"", {}},           {"mp3", kMusic},   {".", kEbook},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        EXPECT_EQ(targetKindOfExtension(c.extension), c.kind);
    }
}

}  // namespace
}  // namespace qh
