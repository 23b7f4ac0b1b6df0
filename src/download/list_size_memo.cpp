#include "download/list_size_memo.h"

#include "download/billing_tally.h"

namespace qh {

void ListSizeMemo::record(int list, const BillingTally& tally) {
    if (tally.fileCount > 0) {
        texts_.at(list) = tally.sizeText;
    }
}

}  // namespace qh
