#pragma once
// What must hold of every reader of outside input, one check per fuzz target. The same check runs
// inside the fuzzer and, over each target's seeds and every input that once broke it, in ctest.
#include <span>
#include <string>
#include <string_view>

namespace qh::fuzz {

// Feeds one input to a reader and tests its answer. Returns what broke, or the empty text when
// every property held.
using Check = std::string (*)(std::string_view input);

struct FuzzTarget {
    std::string_view name;  // the target's folder below fuzz/corpus and fuzz/regressions
    Check check;
};

// Every target, in the order tools/fuzz runs them.
std::span<const FuzzTarget> fuzzTargets();
// Null when no target has that name.
const FuzzTarget* findFuzzTarget(std::string_view name);

// Inputs that carry more than one text separate them with NUL bytes: the first parts are the
// parameters, the last the file's content, NULs and all (fuzz_input.h).
std::string checkIniFile(std::string_view input);        // section, key, value, Vazazazi.ini
std::string checkTextList(std::string_view input);       // a list file
std::string checkDriveMap(std::string_view input);       // letter and folder written, drivemap.txt
std::string checkDriveResolve(std::string_view input);   // drivemap.txt, Windows paths by line
std::string checkHotList(std::string_view input);        // path counted, the hot list file
std::string checkSingerIndex(std::string_view input);    // page moves, letters, 歌手.txt
std::string checkPlaylist(std::string_view input);       // removals, 播放列表.txt
std::string checkMountInfo(std::string_view input);      // mountinfo, mounts to write as the kernel
std::string checkHostName(std::string_view input);       // a host name's bytes
std::string checkWildcard(std::string_view input);       // pattern, name
std::string checkSearchKeyword(std::string_view input);  // typed text, name around it, tab
std::string checkListingIndex(std::string_view input);   // record count (2 bytes), records

}  // namespace qh::fuzz
