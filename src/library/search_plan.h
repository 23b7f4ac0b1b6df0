#pragma once
// Which folders a search walks and which file names it takes, from the category tab selected
// when it starts.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "library/library_layout.h"

namespace qh {

inline constexpr int kNoCategoryTab = -1;
inline constexpr int kMusicTab = 0;
inline constexpr int kSeriesTab = 3;
// A press on the pictures tab opens the phone-picture browser.
inline constexpr int kPictureTab = 4;

inline constexpr std::string_view kAllFilesMask = "*.*";
inline constexpr std::string_view kMusicMask = "*.mp3";

// The library folder of each drive text that is not empty, in drive order; with a category tab
// (0..11) its category folder instead. Every other tab index means the whole library.
std::vector<std::string> searchRoots(int tabIndex,
                                     const std::array<std::string, kLibraryDriveCount>& drives);

// The SearchMask a search starts with: "*.mp3" on the music tab; otherwise the mask stays as it
// was (a mouse press on the tab strip sets it back to "*.*").
std::string searchMaskAtStart(int tabIndex, std::string_view currentMask);

// The series tab searches folders by name, with the typed text as the keyword.
bool isSeriesSearch(int tabIndex);

// The pattern of a walk: "*" + SearchKeyword + SearchMask ("*月*亮**.mp3").
std::string walkPattern(std::string_view searchKeyword, std::string_view searchMask);

}  // namespace qh
