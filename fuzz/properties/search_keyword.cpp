// The keyword box: a text is a number (a digit first, three bytes or more, not "2009"), refused
// (any other text with a digit first, one shorter than two bytes, a part of
// ".mp3.3gp.wma.dat.mpg.qh2009  ") or a keyword searched in two-byte steps; and a search for it
// finds every name that holds the text, whatever stands around it, below the library folder of
// every drive given, or its category folder on a category tab.
#include <array>

#include "checks.h"
#include "fuzz_input.h"

#include "library/category_table.h"
#include "library/library_layout.h"
#include "library/search_keyword.h"
#include "library/search_plan.h"
#include "platform/name_pattern.h"
#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh::fuzz {
namespace {

constexpr std::string_view kRefusedTexts = ".mp3.3gp.wma.dat.mpg.qh2009  ";

TypedTextKind kindOf(std::string_view typed) {
    const bool digitFirst = !typed.empty() && typed[0] >= '0' && typed[0] <= '9';
    if (digitFirst) {
        return typed.size() >= 3 && typed != "2009" ? TypedTextKind::Number
                                                    : TypedTextKind::Refused;
    }
    if (typed.size() < 2 || kRefusedTexts.find(typed) != std::string_view::npos) {
        return TypedTextKind::Refused;
    }
    return TypedTextKind::Keyword;
}

std::string inSteps(std::string_view typed) {
    std::string steps;
    for (std::size_t i = 0; i + 2 <= typed.size(); i += 2) {
        steps.append(typed.substr(i, 2)).append("*");
    }
    return steps;
}

const char* kindName(TypedTextKind kind) {
    switch (kind) {
        case TypedTextKind::Number:
            return "a number";
        case TypedTextKind::Refused:
            return "refused";
        case TypedTextKind::Keyword:
            return "a keyword";
    }
    return "?";
}

}  // namespace

std::string checkSearchKeyword(std::string_view input) {
    const auto parts = inputParts(input, 4);
    const std::string_view typed = parts[0];

    const SearchKeywordChoice choice = chooseSearchKeyword(typed);
    const TypedTextKind kind = kindOf(typed);
    if (classifyTypedText(typed) != kind || choice.kind != kind) {
        return failure("the typed text ", shown(typed), " is taken as ", kindName(choice.kind),
                       " instead of ", kindName(kind));
    }
    const std::string expected = kind == TypedTextKind::Number    ? std::string(typed)
                                 : kind == TypedTextKind::Keyword ? inSteps(typed)
                                                                  : std::string();
    if (choice.searchKeyword != expected) {
        return failure("the typed text ", shown(typed), " searches ", shown(choice.searchKeyword),
                       " instead of ", shown(expected));
    }

    // The tab pressed (the first byte of the last part) sets the mask the search starts with.
    const int tab =
        parts[3].empty() ? kNoCategoryTab : static_cast<unsigned char>(parts[3][0]) % 14 - 1;
    const std::string mask = searchMaskAtStart(tab, kAllFilesMask);
    if (mask != (tab == kMusicTab ? kMusicMask : kAllFilesMask)) {
        return failure("the tab ", tab, " starts the search with the mask ", shown(mask));
    }
    // The rest of the last part holds the four drive texts of the settings, one per line.
    std::array<std::string, kLibraryDriveCount> drives;
    const auto driveLines = lineTexts(parts[3].empty() ? parts[3] : parts[3].substr(1));
    std::vector<std::string> given;
    for (std::size_t i = 0; i < drives.size() && i < driveLines.size(); ++i) {
        drives[i] = driveLines[i];
        if (!drives[i].empty()) {
            given.push_back(drives[i]);
        }
    }
    const auto roots = searchRoots(tab, drives);
    if (roots.size() != given.size()) {
        return failure("the tab ", tab, " walks ", roots.size(), " roots for ", given.size(),
                       " drives");
    }
    for (std::size_t i = 0; i < roots.size(); ++i) {
        // The library folder of the drive, or on a category tab one folder below it.
        const std::string library = given[i] + ":\\" + libraryFolderName() + "\\";
        const std::string_view below = std::string_view(roots[i]).substr(library.size());
        const bool category = tab >= 0 && tab < kCategoryCount;
        const bool placed = roots[i].starts_with(library) &&
                            (category ? !below.empty() && below.ends_with('\\') &&
                                            fileNameOf(below.substr(0, below.size() - 1)) ==
                                                below.substr(0, below.size() - 1)
                                      : below.empty());
        if (!placed) {
            return failure("the tab ", tab, " walks ", shown(roots[i]), " on the drive ",
                           shown(given[i]));
        }
    }

    const std::string pattern = walkPattern(choice.searchKeyword, mask);
    if (pattern != "*" + choice.searchKeyword + mask) {
        return failure("the walk's pattern is ", shown(pattern));
    }

    // A name holding the text, between any names of Linux files, ending in ".mp3" for every tab.
    // Characters the box takes but no Windows name holds ("?" "*" "<" ">" '"') stay wildcards of
    // the pattern and are left out.
    if (kind == TypedTextKind::Refused || typed.find_first_of("?*<>\"") != std::string::npos) {
        return {};
    }
    const std::string name =
        hostNameToGbk(parts[1]) + std::string(typed) + hostNameToGbk(parts[2]) + ".mp3";
    if (!NamePattern(pattern).matches(name)) {
        return failure("the search for ", shown(typed), " with the pattern ", shown(pattern),
                       " misses ", shown(name));
    }
    return {};
}

}  // namespace qh::fuzz
