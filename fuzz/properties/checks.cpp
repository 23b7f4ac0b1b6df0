#include "checks.h"

#include <algorithm>
#include <array>

namespace qh::fuzz {

namespace {

constexpr std::array kTargets = {
    FuzzTarget{"ini_file", checkIniFile},
    FuzzTarget{"text_list", checkTextList},
    FuzzTarget{"drive_map", checkDriveMap},
    FuzzTarget{"drive_resolve", checkDriveResolve},
    FuzzTarget{"hot_list", checkHotList},
    FuzzTarget{"singer_index", checkSingerIndex},
    FuzzTarget{"playlist", checkPlaylist},
    FuzzTarget{"mount_info", checkMountInfo},
    FuzzTarget{"host_name", checkHostName},
    FuzzTarget{"wildcard", checkWildcard},
    FuzzTarget{"search_keyword", checkSearchKeyword},
    FuzzTarget{"listing_index", checkListingIndex},
};

}  // namespace

std::span<const FuzzTarget> fuzzTargets() {
    return kTargets;
}

const FuzzTarget* findFuzzTarget(std::string_view name) {
    const auto found = std::find_if(kTargets.begin(), kTargets.end(),
                                    [&](const FuzzTarget& target) { return target.name == name; });
    return found == kTargets.end() ? nullptr : &*found;
}

}  // namespace qh::fuzz
