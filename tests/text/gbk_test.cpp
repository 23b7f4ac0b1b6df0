#include "text/gbk.h"

#include <gtest/gtest.h>

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <random>
#include <thread>
#include <vector>

#include "test_bytes.h"
#include "text/byte_text.h"

namespace qh {
namespace {

struct KnownText {
    const char* name;
    std::string utf8;
    std::string gbk;
};

// Bytes as code page 936 (and, beyond it, GB18030) writes them.
const std::vector<KnownText>& knownTexts() {
    static const std::vector<KnownText> texts = {
        {"ascii", "a.mp3", "a.mp3"},
        {"common hanzi", "表", bytes({0xB1, 0xED})},
        {"backslash trail byte", "誠", bytes({0xD5, 0x5C})},
        {"GBK-only hanzi", "丂", bytes({0x81, 0x40})},
        {"euro sign is the single byte 0x80", "€", bytes({0x80})},
        {"first code point outside GBK", "\u0080", bytes({0x81, 0x30, 0x81, 0x30})},
        {"supplementary hanzi", "𠀀", bytes({0x95, 0x32, 0x82, 0x36})},
        {"emoji", "😀", bytes({0x94, 0x39, 0xFC, 0x36})},
        {"mixed", "1-音乐€😀", "1-" + bytes({0xD2, 0xF4, 0xC0, 0xD6, 0x80, 0x94, 0x39, 0xFC, 0x36})},
    };
    return texts;
}

// ICU's GB18030, which the converters must match byte for byte (but for the euro sign, which
// they write as 0x80).
constexpr auto kIcuFlags =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

std::string icuEncoded(QStringView text) {
    static QStringEncoder encoder("GB18030", kIcuFlags);
    return QByteArray(encoder.encode(text)).toStdString();
}

QString icuDecoded(std::string_view gbk) {
    static QStringDecoder decoder("GB18030", kIcuFlags);
    return decoder.decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

// The text without the characters no Windows name holds, which file names write as codes.
QString withoutWindowsForbidden(const QString& text) {
    QString kept = text;
    kept.removeIf([](QChar c) {
        return c.unicode() < 0x80 && isForbiddenInWindowsName(static_cast<char>(c.unicode()));
    });
    return kept;
}

TEST(GbkCodec, ConvertsKnownTextsBothWays) {
    for (const KnownText& text : knownTexts()) {
        SCOPED_TRACE(text.name);
        EXPECT_EQ(gbk(text.utf8), text.gbk);
        EXPECT_EQ(toGbk(QString::fromStdString(text.utf8)), text.gbk);
        EXPECT_EQ(fromGbk(text.gbk), QString::fromStdString(text.utf8));
    }
}

TEST(GbkCodec, DecodesGb18030EuroAndShowsBadBytesAsReplacementCharacters) {
    const QString replacement(QChar::ReplacementCharacter);
    const struct {
        const char* name;
        std::string gbk;
        QString text;
    } cases[] = {
        {"GB18030 euro sign", bytes({0xA2, 0xE3}), QStringLiteral("€")},
        {"lead byte at the end", "a" + bytes({0xB1}), "a" + replacement},
        {"lead byte before ASCII", bytes({0xB1, 0x20}) + "b", replacement + " b"},
        {"0xFF", bytes({0xFF}), replacement},
        {"unassigned four-byte code", bytes({0xFE, 0x39, 0xFE, 0x39}),
         replacement + QStringLiteral("9") + replacement + QStringLiteral("9")},
        {"undecodable file-name byte", bytes({0x84, 0x31, 0xBE, 0x35}), replacement},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fromGbk(c.gbk), c.text);
    }
}

TEST(GbkCodec, MatchesIcuOnEveryCharacter) {
    constexpr char32_t kChunk = 4096;
    for (char32_t first = 1; first <= 0x10FFFF; first += kChunk) {
        QList<char32_t> codePoints;
        for (char32_t c = first; c < first + kChunk && c <= 0x10FFFF; ++c) {
            if ((c < 0xD800 || c > 0xDFFF) && c != U'€') {
                codePoints.append(c);
            }
        }
        const QString text = QString::fromUcs4(codePoints.constData(), codePoints.size());
        const std::string icu = icuEncoded(text);
        SCOPED_TRACE(testing::Message() << "chunk from U+" << std::hex << uint32_t(first));
        ASSERT_EQ(toGbk(text), icu);
        const QString holdable = withoutWindowsForbidden(text);
        ASSERT_EQ(hostNameToGbk(holdable.toStdString()), icuEncoded(holdable));
        ASSERT_EQ(fromGbk(icu), icuDecoded(icu));
        ASSERT_EQ(gbkToHostName(icu), icuDecoded(icu).toStdString());
    }
}

TEST(GbkCodec, DecodesEveryCodeOfTheBmpAsIcuDoes) {
    std::vector<std::string> codes;
    for (unsigned char lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned char trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail != 0x7F) {
                codes.push_back(bytes({lead, trail}));
            }
        }
    }
    const std::string codeOfLastBmpCharacter = bytes({0x84, 0x31, 0xA4, 0x39});
    for (unsigned char first = 0x81; first <= 0x84; ++first) {
        for (unsigned char second = '0'; second <= '9'; ++second) {
            for (unsigned char third = 0x81; third <= 0xFE; ++third) {
                for (unsigned char fourth = '0'; fourth <= '9'; ++fourth) {
                    const std::string code = bytes({first, second, third, fourth});
                    if (code <= codeOfLastBmpCharacter) {
                        codes.push_back(code);
                    }
                }
            }
        }
    }
    for (const std::string& code : codes) {
        const QString character = icuDecoded(code);
        ASSERT_EQ(fromGbk(code), character) << testing::PrintToString(code);
        ASSERT_EQ(gbkToHostName(code), character.toStdString()) << testing::PrintToString(code);
    }
}

TEST(GbkCodec, WritesLoneSurrogatesAsQuestionMarksWithoutDisturbingTheNextText) {
    const QString highAlone(QChar(0xD83D));
    const QString lowFirst = QString(QChar(0xDE00)) + QStringLiteral("x");
    EXPECT_EQ(toGbk(highAlone), "?");
    EXPECT_EQ(toGbk(lowFirst), "?x");
    EXPECT_EQ(toGbk(QStringLiteral("表")), bytes({0xB1, 0xED}));
}

struct HostName {
    const char* name;
    std::string bytes;
};

const std::vector<HostName>& hostNames() {
    static const std::vector<HostName> names = {
        {"ascii", "Song - 01.mp3"},
        {"hanzi", "周杰伦-青花瓷.mp3"},
        {"emoji", "😀🎵.mp3"},
        {"hanzi outside GBK", "𠀀𪚥.txt"},
        {"euro sign", "€5.txt"},
        {"replacement character itself", "\uFFFD"},
        {"last BMP code point", "\uFFFF"},
        {"byte-order mark first", "\uFEFFa"},
        {"byte-order mark after an invalid byte", bytes({0xFF}) + "\uFEFFb"},
        {"invalid bytes", bytes({0xFF, 0xFE})},
        {"GBK bytes of a Windows name", "a" + bytes({0xB1, 0xED}) + ".mp3"},
        {"lone continuation byte", bytes({0x80})},
        {"overlong slash", bytes({0xC0, 0xAF})},
        {"overlong three-byte", bytes({0xE0, 0x80, 0xAF})},
        {"surrogate encoded in UTF-8", bytes({0xED, 0xA0, 0x80, 0xED, 0xB0, 0x80})},
        {"above U+10FFFF", bytes({0xF4, 0x90, 0x80, 0x80})},
        {"truncated hanzi", "周" + bytes({0xE6, 0x9D})},
        {"truncated hanzi before valid one", bytes({0xE6, 0x9D}) + "周"},
        {"mixed", "周杰伦" + bytes({0xFF}) + "-😀" + bytes({0xC3}) + "é.mp3"},
    };
    return names;
}

TEST(GbkFileName, RoundTripsEveryKindOfName) {
    for (const HostName& host : hostNames()) {
        SCOPED_TRACE(host.name);
        const std::string text = hostNameToGbk(host.bytes);
        EXPECT_EQ(gbkToHostName(text), host.bytes);
        EXPECT_EQ(hostNameToGbk(gbkToHostName(text)), text);
    }
}

TEST(GbkFileName, ValidNameMatchesTheTypedText) {
    for (const HostName& host : hostNames()) {
        const QString typed = QString::fromStdString(host.bytes);
        if (typed.toStdString() != host.bytes) {
            continue;  // not valid UTF-8: nobody can type it
        }
        SCOPED_TRACE(host.name);
        EXPECT_EQ(hostNameToGbk(host.bytes), toGbk(typed));
    }
}

TEST(GbkFileName, WritesInvalidBytesAsUnassignedFourByteCodes) {
    EXPECT_EQ(hostNameToGbk(bytes({0x80})), bytes({0x84, 0x31, 0xB1, 0x38}));
    EXPECT_EQ(hostNameToGbk("a" + bytes({0xFF})), "a" + bytes({0x84, 0x31, 0xBE, 0x35}));
}

// Characters no Windows name holds take the codes of the gap too, so the text is one name of whole
// characters; at the widget boundary they show as look-alikes that are no separator or wildcard.
TEST(GbkFileName, WritesCharactersWindowsNamesCannotHoldAsCodesThatShowReadably) {
    const struct {
        const char* name;
        std::string host;
        std::string gbk;
        QString shown;
    } cases[] = {
        {"backslash", "a\\b.mp3", "a" + bytes({0x84, 0x31, 0xAE, 0x32}) + "b.mp3",
         QStringLiteral("a＼b.mp3")},
        {"line break", "x\ny.mp3", "x" + bytes({0x84, 0x31, 0xA6, 0x30}) + "y.mp3",
         QStringLiteral("x␊y.mp3")},
        {"tab", "\t", bytes({0x84, 0x31, 0xA5, 0x39}), QStringLiteral("␉")},
        {"first control character", "\x01", bytes({0x84, 0x31, 0xA5, 0x31}), QStringLiteral("␁")},
        {"last control character", "\x1f", bytes({0x84, 0x31, 0xA8, 0x31}), QStringLiteral("␟")},
        {"colon", ":", bytes({0x84, 0x31, 0xAA, 0x38}), QStringLiteral("：")},
        {"star", "*", bytes({0x84, 0x31, 0xA9, 0x32}), QStringLiteral("＊")},
        {"question mark", "?", bytes({0x84, 0x31, 0xAB, 0x33}), QStringLiteral("？")},
        {"quote", "\"", bytes({0x84, 0x31, 0xA8, 0x34}), QStringLiteral("＂")},
        {"less than", "<", bytes({0x84, 0x31, 0xAB, 0x30}), QStringLiteral("＜")},
        {"greater than", ">", bytes({0x84, 0x31, 0xAB, 0x32}), QStringLiteral("＞")},
        {"bar", "|", bytes({0x84, 0x31, 0xB1, 0x34}), QStringLiteral("｜")},
        {"beside hanzi and a bad byte", "周:" + bytes({0xFF}),
         "\xd6\xdc" + bytes({0x84, 0x31, 0xAA, 0x38, 0x84, 0x31, 0xBE, 0x35}),
         QStringLiteral("周：\uFFFD")},
        {"delete is held", "\x7f", "\x7f", QStringLiteral("\x7f")},
        {"blank and dot are held", " .", " .", QStringLiteral(" .")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hostNameToGbk(c.host), c.gbk);
        EXPECT_EQ(gbkToHostName(c.gbk), c.host);
        EXPECT_EQ(fromGbk(c.gbk), c.shown);
    }
    // No character has these codes: ICU reads none of them as one.
    for (int byte = 1; byte < 0x80; ++byte) {
        if (isForbiddenInWindowsName(static_cast<char>(byte))) {
            SCOPED_TRACE(byte);
            const std::string code = hostNameToGbk(std::string(1, static_cast<char>(byte)));
            ASSERT_EQ(code.size(), 4u);
            EXPECT_EQ(icuDecoded(code), QString(QChar::ReplacementCharacter));
        }
    }
}

TEST(GbkFileName, RoundTripsEveryUnicodeCharacter) {
    constexpr char32_t kChunk = 4096;
    for (char32_t first = 1; first <= 0x10FFFF; first += kChunk) {
        QList<char32_t> codePoints;
        for (char32_t c = first; c < first + kChunk && c <= 0x10FFFF; ++c) {
            if (c < 0xD800 || c > 0xDFFF) {
                codePoints.append(c);
            }
        }
        const QString text =
            withoutWindowsForbidden(QString::fromUcs4(codePoints.constData(), codePoints.size()));
        const std::string name = text.toStdString();
        const std::string gbkName = hostNameToGbk(name);
        SCOPED_TRACE(testing::Message() << "chunk from U+" << std::hex << uint32_t(first));
        ASSERT_EQ(gbkToHostName(gbkName), name);
        ASSERT_EQ(gbkName, toGbk(text));
        ASSERT_EQ(fromGbk(gbkName), text);
    }
}

TEST(GbkFileName, RoundTripsEveryTwoByteName) {
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const std::string name =
                bytes({static_cast<unsigned char>(first), static_cast<unsigned char>(second)});
            ASSERT_EQ(gbkToHostName(hostNameToGbk(name)), name)
                << std::hex << first << " " << second;
        }
    }
}

TEST(GbkFileName, RoundTripsRandomNamesOfUtf8Fragments) {
    // Leads, continuation bytes and boundary values of UTF-8, mixed with ASCII and real text.
    const std::vector<std::string> fragments = {
        "a",           "\\",          ".",           "周",          "😀",           "€",
        "\n",          ":",           "|",           bytes({0x80}), bytes({0xBF}), bytes({0xC2}),
        bytes({0xDF}), bytes({0xE0}), bytes({0xED}), bytes({0xEF}), bytes({0xF0}), bytes({0xF4}),
        bytes({0x90}), bytes({0x9F}), bytes({0xA0}), bytes({0xFF}), bytes({0xC0}), bytes({0xF5})};
    std::mt19937 random(20100901);
    std::uniform_int_distribution<std::size_t> pick(0, fragments.size() - 1);
    std::uniform_int_distribution<int> length(1, 10);
    for (int round = 0; round < 20000; ++round) {
        std::string name;
        for (int n = length(random); n > 0; --n) {
            name += fragments[pick(random)];
        }
        const std::string text = hostNameToGbk(name);
        ASSERT_EQ(gbkToHostName(text), name);
        ASSERT_EQ(hostNameToGbk(gbkToHostName(text)), text);
    }
}

TEST(GbkFileName, MatchesIcuAroundBytesThatAreNotUtf8) {
    // Each name is built from pieces whose text is known on its own: characters, which ICU
    // encodes, and bytes no UTF-8 reader accepts where they stand or no Windows name holds, each
    // written as its code.
    const std::vector<std::string> invalidSequences = {"\\",
                                                       "\n",
                                                       ":",
                                                       "|",
                                                       bytes({0xC0, 0xAF}),
                                                       bytes({0xE0, 0x80, 0xAF}),
                                                       bytes({0xED, 0xA0, 0x80}),
                                                       bytes({0xF4, 0x90, 0x80, 0x80}),
                                                       bytes({0xC1}),
                                                       bytes({0xF5}),
                                                       bytes({0xFF})};
    const std::vector<std::string> continuationBytes = {bytes({0x80}), bytes({0xBF})};
    constexpr char32_t kRanges[][2] = {
        {0x20, 0x7E}, {0x80, 0x7FF}, {0x800, 0xFFFF}, {0x10000, 0x10FFFF}};
    std::mt19937 random(20240501);
    const auto randomText = [&](std::size_t firstRange) {
        for (;;) {
            const auto& range = kRanges[firstRange + random() % (std::size(kRanges) - firstRange)];
            const char32_t c = range[0] + random() % (range[1] - range[0] + 1);
            const bool coded = c < 0x80 && isForbiddenInWindowsName(static_cast<char>(c));
            if ((c < 0xD800 || c > 0xDFFF) && c != U'€' && !coded) {
                return QString::fromUcs4(&c, 1);
            }
        }
    };
    for (int round = 0; round < 20000; ++round) {
        std::string name;
        std::string expected;
        QString run;
        const auto addInvalid = [&](const std::string& invalid) {
            expected += icuEncoded(run);
            run.clear();
            name += invalid;
            for (char byte : invalid) {
                expected += hostNameToGbk(std::string(1, byte));
            }
        };
        bool afterTruncated = false;
        for (int pieces = 1 + random() % 10; pieces > 0; --pieces) {
            const int kind = random() % 4;
            if (kind == 2 && afterTruncated) {
                continue;  // a continuation byte would complete the character
            }
            if (kind == 0) {
                const QString character = randomText(0);
                run += character;
                name += character.toStdString();
            } else if (kind == 1) {
                addInvalid(invalidSequences[random() % invalidSequences.size()]);
            } else if (kind == 2) {
                addInvalid(continuationBytes[random() % continuationBytes.size()]);
            } else {
                const std::string whole = randomText(1).toStdString();
                addInvalid(whole.substr(0, 1 + random() % (whole.size() - 1)));
            }
            afterTruncated = kind == 3;
        }
        expected += icuEncoded(run);
        ASSERT_EQ(hostNameToGbk(name), expected) << testing::PrintToString(name);
    }
}

TEST(GbkFileName, PassesMalformedGbkThroughAsRawBytes) {
    const struct {
        const char* name;
        std::string gbk;
        std::string host;
    } cases[] = {
        {"lead byte at the end", "abc" + bytes({0xB1}), "abc" + bytes({0xB1})},
        {"lead byte before a blank", bytes({0xB1}) + " a", bytes({0xB1}) + " a"},
        {"after a good character", bytes({0xB1, 0xED, 0xFF}), "表" + bytes({0xFF})},
        {"euro byte", bytes({0x80}), "€"},
        {"code above U+10FFFF", bytes({0xFE, 0x39, 0xFE, 0x39}), bytes({0xFE, 0x39, 0xFE, 0x39})},
        {"gap code of an ASCII byte", bytes({0x84, 0x31, 0xA5, 0x30}),
         bytes({0x84, 0x31, 0xA5, 0x30})},
        {"gap code of the last ASCII byte", bytes({0x84, 0x31, 0xB1, 0x37}),
         bytes({0x84, 0x31, 0xB1, 0x37})},
        {"gap code after that of 0xFF", bytes({0x84, 0x31, 0xBE, 0x36}),
         bytes({0x84, 0x31, 0xBE, 0x36})},
        {"gap code of a letter", bytes({0x84, 0x31, 0xAE, 0x37}), bytes({0x84, 0x31, 0xAE, 0x37})},
        // Text that holds the sign itself, not its code: it stays itself.
        {"star as itself", "a*b", "a*b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string host = gbkToHostName(c.gbk);
        EXPECT_EQ(host, c.host);
        EXPECT_EQ(gbkToHostName(hostNameToGbk(host)), host) << "not stable";
    }
}

TEST(GbkFileName, ConvertsOnManyThreadsAtOnce) {
    std::vector<std::string> expected;
    for (const HostName& host : hostNames()) {
        expected.push_back(hostNameToGbk(host.bytes));
    }
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < mismatches.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 200; ++round) {
                for (std::size_t i = 0; i < hostNames().size(); ++i) {
                    const std::string text = hostNameToGbk(hostNames()[i].bytes);
                    if (text != expected[i] || gbkToHostName(text) != hostNames()[i].bytes) {
                        ++mismatches[t];
                    }
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace qh
