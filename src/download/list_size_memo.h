#pragma once
// The total size text of each of the five download lists, as last tallied while that list was on
// screen and held files. A copy job takes its list's text as the maximum of its progress bar, so
// clearing a list does not change a job that may still run.
#include <array>
#include <string>

namespace qh {

struct BillingTally;

class ListSizeMemo {
public:
    // `list` 0 for 清单1; "0" until the list is first tallied with files.
    const std::string& text(int list) const { return texts_.at(list); }
    // An empty list leaves its previous text.
    void record(int list, const BillingTally& tally);

private:
    std::array<std::string, 5> texts_{"0", "0", "0", "0", "0"};
};

}  // namespace qh
