#include "platform/gvariant_text.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace qh {

namespace {

class GVariantTextReader {
public:
    explicit GVariantTextReader(QStringView text) : text_(text) {}

    bool take(QChar expected) {
        skipSpace();
        if (position_ < text_.size() && text_[position_] == expected) {
            ++position_;
            return true;
        }
        return false;
    }

    bool atEnd() {
        skipSpace();
        return position_ == text_.size();
    }

    // An empty array has no element to tell its type by, so it comes as "@as []".
    void skipTypeAnnotation() {
        if (take(u'@')) {
            while (position_ < text_.size() && !text_[position_].isSpace()) {
                ++position_;
            }
        }
    }

    // Quoted with ' or, when the text holds a ', with "; a backslash escapes the quote, itself,
    // a control character or a code point (\u and four, \U and eight hex digits).
    std::optional<QString> string() {
        skipSpace();
        if (position_ == text_.size() || (text_[position_] != u'\'' && text_[position_] != u'"')) {
            return std::nullopt;
        }
        const QChar quote = text_[position_++];
        QString value;
        while (position_ < text_.size()) {
            const QChar next = text_[position_++];
            if (next == quote) {
                return value;
            }
            if (next != u'\\') {
                value += next;
            } else if (!appendEscaped(value)) {
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

private:
    void skipSpace() {
        while (position_ < text_.size() && text_[position_].isSpace()) {
            ++position_;
        }
    }

    bool appendEscaped(QString& value) {
        if (position_ == text_.size()) {
            return false;
        }
        const QChar escaped = text_[position_++];
        if (escaped == u'u' || escaped == u'U') {
            return appendCodePoint(value, escaped == u'u' ? 4 : 8);
        }
        constexpr std::u16string_view named = u"abfnrtv";
        constexpr std::u16string_view control = u"\a\b\f\n\r\t\v";
        const auto at = named.find(escaped.unicode());
        value += at == std::u16string_view::npos ? escaped : QChar(control[at]);
        return true;
    }

    bool appendCodePoint(QString& value, qsizetype digits) {
        const QStringView hex = text_.mid(position_, digits);
        const auto isHexDigit = [](QChar c) {
            return c.unicode() < 128 && std::isxdigit(c.unicode());
        };
        if (hex.size() != digits || !std::all_of(hex.begin(), hex.end(), isHexDigit)) {
            return false;
        }
        const char32_t code = hex.toUInt(nullptr, 16);
        if (code > 0x10FFFF) {
            return false;
        }
        value += QString::fromUcs4(&code, 1);
        position_ += digits;
        return true;
    }

    QStringView text_;
    qsizetype position_ = 0;
};

template <typename Item, typename ReadItem>
std::optional<std::vector<Item>> arrayFrom(QStringView text, ReadItem readItem) {
    GVariantTextReader reader(text);
    reader.skipTypeAnnotation();
    if (!reader.take(u'[')) {
        return std::nullopt;
    }
    std::vector<Item> items;
    if (!reader.take(u']')) {
        do {
            auto item = readItem(reader);
            if (!item) {
                return std::nullopt;
            }
            items.push_back(std::move(*item));
        } while (reader.take(u','));
        if (!reader.take(u']')) {
            return std::nullopt;
        }
    }
    if (!reader.atEnd()) {
        return std::nullopt;
    }
    return items;
}

}  // namespace

std::optional<std::vector<QString>> stringArrayFromGVariantText(QStringView text) {
    return arrayFrom<QString>(text, [](GVariantTextReader& reader) { return reader.string(); });
}

std::optional<std::vector<std::pair<QString, QString>>> stringPairArrayFromGVariantText(
    QStringView text) {
    return arrayFrom<std::pair<QString, QString>>(
        text, [](GVariantTextReader& reader) -> std::optional<std::pair<QString, QString>> {
            if (!reader.take(u'(')) {
                return std::nullopt;
            }
            auto first = reader.string();
            if (!first || !reader.take(u',')) {
                return std::nullopt;
            }
            auto second = reader.string();
            if (!second || !reader.take(u')')) {
                return std::nullopt;
            }
            return std::pair{std::move(*first), std::move(*second)};
        });
}

}  // namespace qh
