#include "download/unit_price.h"

namespace qh {

namespace {

constexpr int kDecimals = 4;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::int64_t unitPriceFromText(std::string_view text) {
    text = trimBlanks(text);
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) {
        return 0;
    }
    for (const std::string_view part : {whole, fraction}) {
        for (const char c : part) {
            if (!isDigit(c)) {
                return 0;
            }
        }
    }

    // Digit by digit, stopping as soon as the price is out of range, so no length overflows.
    std::int64_t yuan = 0;
    for (const char c : whole) {
        yuan = yuan * 10 + (c - '0');
        if (yuan > kMaxUnitPrice / 10'000) {
            return 0;
        }
    }
    std::int64_t price = yuan;
    for (int i = 0; i < kDecimals; ++i) {
        price = price * 10 + (i < static_cast<int>(fraction.size()) ? fraction[i] - '0' : 0);
    }
    if (fraction.size() > kDecimals && fraction[kDecimals] >= '5') {
        ++price;
    }
    return price <= kMaxUnitPrice ? price : 0;
}

}  // namespace qh
