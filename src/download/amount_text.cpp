#include "download/amount_text.h"

namespace qh {

std::string AmountText(std::int64_t tenThousandths) {
    // The magnitude as unsigned, so that even the most negative amount has one.
    const bool negative = tenThousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                             : static_cast<std::uint64_t>(tenThousandths);
    std::string text = std::to_string(magnitude / 10'000);
    std::string fraction = std::to_string(magnitude % 10'000);
    fraction.insert(0, 4 - fraction.size(), '0');
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty()) {
        text += '.' + fraction;
    }
    return negative ? '-' + text : text;
}

}  // namespace qh
