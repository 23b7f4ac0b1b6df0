#pragma once
// The statistics of the download list on screen: files per category, total size, number of files
// and the amount due. Recomputed from scratch whenever the list changes, so it can never drift
// from the list.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "download/unit_price.h"
#include "library/category_table.h"

namespace qh {

class FileSystem;

using CategoryCounts = std::array<int, kCategoryCount>;  // by category index

// Each file counts as its size in whole units of 10240 bytes, cut on its own before summing; the
// units are hundredths of the "MB" of 1,024,000 bytes that the shop's lists show.
inline constexpr std::int64_t kSizeUnitBytes = 10240;

struct BillingTally {
    CategoryCounts counts{};
    int fileCount = 0;
    std::int64_t sizeUnits = 0;
    // "0" for an empty list, otherwise the units with two decimals, "721.68".
    std::string sizeText = "0";
    std::int64_t amountDue = 0;  // ten-thousandths of a yuan
};

// `paths` are the shown list's entries (GBK Windows paths), in list order. A file that lies in no
// category folder (directly in the library folder, or elsewhere) counts as a picture. A missing
// file counts in its category with size 0.
BillingTally tallyList(const std::vector<std::string>& paths, const FileSystem& files,
                       const UnitPrices& prices);

// Sum of count x price over the categories. The picture browser charges its additions with it too.
std::int64_t amountDue(const CategoryCounts& counts, const UnitPrices& prices);

}  // namespace qh
