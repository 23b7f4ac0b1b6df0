#include "download/billing_tally.h"

#include "library/file_size.h"
#include "library/library_layout.h"
#include "text/byte_text.h"

namespace qh {

namespace {

constexpr int kPictureIndex = 4;

// Only the folder part decides, so a file named like a category folder that lies directly in the
// library folder is no file of that category.
int tallyIndexOf(std::string_view path) {
    const int category = categoryOfPath(folderOf(path));
    return category == 0 ? kPictureIndex : category - 1;
}

std::string twoDecimals(std::int64_t units) {
    std::string digits = std::to_string(units);
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    digits.insert(digits.size() - 2, 1, '.');
    return digits;
}

}  // namespace

BillingTally tallyList(const std::vector<std::string>& paths, const FileSystem& files,
                       const UnitPrices& prices) {
    BillingTally tally;
    for (const auto& path : paths) {
        // A missing file's -1 bytes cut to 0 units, like an empty file.
        tally.sizeUnits += FileSizeOf(files, path) / kSizeUnitBytes;
        ++tally.counts[tallyIndexOf(path)];
    }
    tally.fileCount = static_cast<int>(paths.size());
    if (!paths.empty()) {
        tally.sizeText = twoDecimals(tally.sizeUnits);
    }
    tally.amountDue = amountDue(tally.counts, prices);
    return tally;
}

std::int64_t amountDue(const CategoryCounts& counts, const UnitPrices& prices) {
    std::int64_t amount = 0;
    for (int i = 0; i < kCategoryCount; ++i) {
        amount += std::int64_t{counts[i]} * prices[i];
    }
    return amount;
}

}  // namespace qh
