#include "text/ini_file.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "test_bytes.h"
#include "text/atomic_file.h"
#include "text/gbk.h"

namespace qh {
namespace {

TEST(IniRead, FindsValuesAsTheWindowsProfileFunctionsDo) {
    const std::string content =
        gbk("orphan=before any section\r\n"
            "[PanFu1]\r\n"
            "PanFu1=G\r\n"
            "[PanFu2]\r\n"
            "PanFu2= \r\n"
            "  [ DanJa ]  \r\n"
            "; prices\r\n"
            "no equals sign\r\n"
            "  yy  = \t0.5 \t\r\n"
            "mtv=\"0.2 \"\r\n"
            "dy=' 1 '\r\n"
            "lxj=\"0.2'\r\n"
            "tp=\"\r\n"
            "dzs=a=b\r\n"
            "yx=\"\"\r\n"
            "yy=second key\r\n"
            "[DiZi]\r\n"
            "DiZi1=清河路 8 号\r\n"
            "[danja]\r\n"
            "llp=second section\r\n");
    const struct {
        const char* name;
        std::string section;
        std::string key;
        std::string value;
    } cases[] = {
        {"other case of section and key", "Panfu1", "panfu1", "G"},
        {"single blank reads empty", "PanFu2", "PanFu2", ""},
        {"blanks around header, key and value", "DanJa", "yy", "0.5"},
        {"double quotes dropped, inner blank kept", "DanJa", "mtv", "0.2 "},
        {"single quotes dropped", "DanJa", "dy", " 1 "},
        {"mismatched quotes kept", "DanJa", "lxj", "\"0.2'"},
        {"lone quote kept", "DanJa", "tp", "\""},
        {"equals sign in the value", "DanJa", "dzs", "a=b"},
        {"empty quotes", "DanJa", "yx", ""},
        {"GBK value", "DiZi", "DiZi1", gbk("清河路 8 号")},
        {"line without equals sign is no key", "DanJa", "no equals sign", ""},
        {"comment is no key", "DanJa", "; prices", ""},
        {"key before any section", "", "orphan", ""},
        {"key of another section", "PanFu1", "PanFu2", ""},
        {"missing key", "DanJa", "qt", ""},
        {"missing section", "PiFu", "PiFu", ""},
        {"second section of the same name is ignored", "DanJa", "llp", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(iniReadValue(content, c.section, c.key), c.value);
    }
}

TEST(IniRead, TellsApartNamesThatDifferOnlyInATrailByte) {
    // 腁 and 腶 are C4 41 and C4 61: equal if trail bytes were folded like ASCII letters.
    const std::string content =
        gbk("[腁]\r\nk=upper\r\n[腶]\r\nk=lower\r\n腁=upper key\r\n腶=lower key\r\n");

    EXPECT_EQ(iniReadValue(content, gbk("腶"), "k"), "lower");
    EXPECT_EQ(iniReadValue(content, gbk("腶"), gbk("腶")), "lower key");
}

TEST(IniRead, FindsSectionWhoseNameEndsInABracketTrailByte) {
    // 誡 is D5 5D: its trail byte is ']'.
    const std::string content = gbk("[誡]\r\nk=v\r\n");

    EXPECT_EQ(iniReadValue(content, gbk("誡"), "k"), "v");
}

TEST(IniRead, CutsLongValuesAt2047BytesOnACharacterBoundary) {
    const std::string ascii(3000, 'x');
    const std::string hanzi = "x" + [] {
        std::string text;
        for (int i = 0; i < 1100; ++i) {
            text += gbk("青");
        }
        return text;
    }();

    EXPECT_EQ(iniReadValue("[s]\r\nk=" + ascii + "\r\n", "s", "k"), ascii.substr(0, 2047));
    EXPECT_EQ(iniReadValue("[s]\r\nk=" + hanzi + "\r\n", "s", "k"), hanzi.substr(0, 2047));
    EXPECT_EQ(iniReadValue("[s]\r\nk=" + hanzi.substr(1) + "\r\n", "s", "k"),
              hanzi.substr(1, 2046));
}

TEST(IniWrite, PlacesTheValueAndKeepsEveryOtherLine) {
    const std::string prices =
        "[PanFu1]\r\n"
        "PanFu1=F\r\n"
        "\r\n"
        "[DanJa]\r\n"
        "; prices\r\n"
        "  YY = 0.5\r\n"
        "mtv=0.2\r\n"
        "\r\n"
        "\r\n"
        "[PiFu]\r\n"
        "PiFu=3";
    const struct {
        const char* name;
        std::string content;
        std::string section;
        std::string key;
        std::string value;
        std::string written;
    } cases[] = {
        {"existing key replaced in place, text up to the equals sign kept", prices, "danja", "yy",
         "0.8",
         "[PanFu1]\r\nPanFu1=F\r\n\r\n[DanJa]\r\n; prices\r\n  YY =0.8\r\nmtv=0.2\r\n\r\n\r\n"
         "[PiFu]\r\nPiFu=3"},
        {"missing key after the section's last line, before its blank lines", prices, "DanJa", "dy",
         "1",
         "[PanFu1]\r\nPanFu1=F\r\n\r\n[DanJa]\r\n; prices\r\n  YY = 0.5\r\nmtv=0.2\r\ndy=1\r\n"
         "\r\n\r\n[PiFu]\r\nPiFu=3"},
        {"missing key in the last section, which lacks its final line break", prices, "PiFu", "x",
         "1",
         "[PanFu1]\r\nPanFu1=F\r\n\r\n[DanJa]\r\n; prices\r\n  YY = 0.5\r\nmtv=0.2\r\n\r\n\r\n"
         "[PiFu]\r\nPiFu=3\r\nx=1\r\n"},
        {"last line without line break replaced as it is", prices, "PiFu", "PiFu", "7",
         "[PanFu1]\r\nPanFu1=F\r\n\r\n[DanJa]\r\n; prices\r\n  YY = 0.5\r\nmtv=0.2\r\n\r\n\r\n"
         "[PiFu]\r\nPiFu=7"},
        {"missing section appended after a line break", prices, "DiZi", "DiZi1", "addr",
         prices + "\r\n[DiZi]\r\nDiZi1=addr\r\n"},
        {"empty file", "", "PiFu", "PiFu", "2", "[PiFu]\r\nPiFu=2\r\n"},
        {"section with only a header", "[a]\r\n[b]\r\n", "a", "k", "v", "[a]\r\nk=v\r\n[b]\r\n"},
        {"lone LF line ends kept", "[a]\nk=1\n", "a", "j", "2", "[a]\nk=1\nj=2\r\n"},
        {"file ending in a lone CR gets no extra break", "x=1\r", "s", "k", "v",
         "x=1\r[s]\r\nk=v\r\n"},
        {"value kept as given", "", "s", "k", gbk(" a=\"青\" "),
         "[s]\r\nk=" + gbk(" a=\"青\" ") + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(iniWriteValue(c.content, c.section, c.key, c.value), c.written);
    }
}

TEST(IniWrite, ReadsBackWhatItWrote) {
    const struct {
        const char* name;
        std::string writeSection;
        std::string writeKey;
        std::string value;
        std::string readSection;
        std::string readKey;
        std::string readBack;
    } cases[] = {
        {"drive letter read with start-up spelling", "PanFu1", "PanFu1", "G", "Panfu1", "Panfu1",
         "G"},
        {"blank drive letter reads empty", "PanFu2", "PanFu2", " ", "PanFu2", "PanFu2", ""},
        {"blanks at both ends lost", "DiZi", "DiZi1", gbk("  清河路 8 号 "), "DiZi", "DiZi1",
         gbk("清河路 8 号")},
        {"equals sign and GBK kept", "ShuRuFa", "shurufa1", gbk("中文=拼音"), "ShuRuFa", "shurufa1",
         gbk("中文=拼音")},
        {"section with a bracket trail byte", gbk("誡"), "k", "v", gbk("誡"), "k", "v"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto once = iniWriteValue("", c.writeSection, c.writeKey, c.value);
        ASSERT_TRUE(once);
        EXPECT_EQ(iniWriteValue(*once, c.writeSection, c.writeKey, c.value), once)
            << "second write added a line";
        EXPECT_EQ(iniReadValue(*once, c.readSection, c.readKey), c.readBack);
    }
}

TEST(IniWrite, RefusesWhatWouldNotReadBackAsWritten) {
    const std::string content = "[DiZi]\r\nDiZi1=old\r\n[PanFu1]\r\nPanFu1=F\r\n";
    const struct {
        const char* name;
        std::string section;
        std::string key;
        std::string value;
    } cases[] = {
        // Typed into an address box, the break would add a line setting another key.
        {"line break in the value", "DiZi", "DiZi1", "8 Road\r\n[PanFu1]\r\nPanFu1=X"},
        {"lone LF in the value", "DiZi", "DiZi1", "a\nb"},
        {"lone CR in the value", "DiZi", "DiZi1", "a\rb"},
        {"line break in the key", "DiZi", "a\nb", "v"},
        {"line break in the section", "Di\r\nZi", "k", "v"},
        {"equals sign in the key", "DiZi", "PanFu1=x", "v"},
        {"key read as a section header", "DiZi", "[PanFu1", "v"},
        {"blanks around the key", "DiZi", " DiZi1", "v"},
        {"closing bracket in the section", "PanFu1]x", "k", "v"},
        {"blanks around the section", "DiZi ", "k", "v"},
        {"section whose last byte takes the bracket", bytes({'s', 0xD5}), "k", "v"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(iniWriteValue(content, c.section, c.key, c.value), std::nullopt);
    }
}

TEST(IniWrite, KeepsBadInputByteForByte) {
    const std::string longLine(1 << 20, 'x');
    const std::string badLines = bytes({0xFF, 0xB1}) + "=\r\n" + std::string("nul\0=x\n", 7) +
                                 longLine + "\r" + "[s]\n" + "k=old\r\n" + "tail";
    const std::string expected = bytes({0xFF, 0xB1}) + "=\r\n" + std::string("nul\0=x\n", 7) +
                                 longLine + "\r" + "[s]\n" + "k=new\r\n" + "tail";

    EXPECT_EQ(iniReadValue(badLines, "s", "k"), "old");
    EXPECT_EQ(iniWriteValue(badLines, "s", "k", "new"), expected);
    EXPECT_EQ(iniWriteValue(badLines, "s", "tail", "x"), badLines + "\r\n" + "tail=x" + "\r\n")
        << "a line without '=' is no key";
}

class IniFileTest : public testing::Test {
protected:
    std::filesystem::path folder() const { return folder_.path().toStdString(); }

private:
    QTemporaryDir folder_;
};

TEST_F(IniFileTest, FirstWriteCreatesTheFileAndLaterWritesUpdateIt) {
    const auto file = folder() / "settings.ini";
    EXPECT_EQ(readIniValue(file, "PiFu", "PiFu"), "");

    ASSERT_TRUE(writeIniValue(file, "PiFu", "PiFu", "3"));
    EXPECT_EQ(readWholeFile(file), "[PiFu]\r\nPiFu=3\r\n");

    ASSERT_TRUE(writeIniValue(file, "PanFu1", "PanFu1", "G"));
    ASSERT_TRUE(writeIniValue(file, "PiFu", "PiFu", "4"));
    EXPECT_EQ(readWholeFile(file), "[PiFu]\r\nPiFu=4\r\n[PanFu1]\r\nPanFu1=G\r\n");
    EXPECT_EQ(readIniValue(file, "Panfu1", "Panfu1"), "G");
}

TEST_F(IniFileTest, AValueOfTwoLinesIsNotSavedAndTheFileStays) {
    const auto file = folder() / "settings.ini";
    ASSERT_TRUE(writeIniValue(file, "DiZi", "DiZi1", "old"));

    EXPECT_FALSE(writeIniValue(file, "DiZi", "DiZi1", "8 Road\r\n[PanFu1]\r\nPanFu1=X"));
    EXPECT_EQ(readWholeFile(file), "[DiZi]\r\nDiZi1=old\r\n");
}

TEST_F(IniFileTest, DoesNotReplaceWhatItCannotRead) {
    const auto notAFile = folder() / "settings.ini";
    std::filesystem::create_directory(notAFile);

    EXPECT_FALSE(writeIniValue(notAFile, "PiFu", "PiFu", "3"));
    EXPECT_TRUE(std::filesystem::is_directory(notAFile));
    EXPECT_EQ(readIniValue(notAFile, "PiFu", "PiFu"), "");
}

}  // namespace
}  // namespace qh
