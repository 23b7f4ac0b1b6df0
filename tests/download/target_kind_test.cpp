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

// Extensions the groups hold keep the groups' kinds, pieces included; today's formats that they
// lack go by their sort, whole and in any letter case; the rest is music.
TEST(TargetKind, EveryExtensionHasAKindToBeCopiedAs) {
    const struct {
        const char* extension;
        TargetKind kind;
    } cases[] = {
        {".mp", kVideo},    {".g", kGame},       {".t", kEbook},      {".jpg", kPicture},
        {".png", kPicture}, {".JPEG", kPicture}, {".webp", kPicture}, {".flac", kMusic},
        {".ape", kMusic},   {".aac", kMusic},    {".m4a", kMusic},    {".ogg", kMusic},
        {".amr", kMusic},   {".flv", kVideo},    {".mpeg", kVideo},   {".webm", kVideo},
        {".ts", kVideo},    {".m4v", kVideo},    {".epub", kEbook},   {".pdf", kEbook},
        {".umd", kEbook},   {".chm", kEbook},    {".apk", kGame},     {".jad", kGame},
        {".pn", kMusic},    {".pngx", kMusic},   {".xyz", kMusic},    {"", kMusic},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        EXPECT_EQ(deliveryKindOf(c.extension), c.kind);
    }
}

}  // namespace
}  // namespace qh
