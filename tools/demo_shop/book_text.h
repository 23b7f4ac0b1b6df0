#pragma once
// The text of a demo e-book: title, author and a few chapters of the demo's own prose.
#include <string>
#include <string_view>

#include "demo_random.h"

namespace qh::demo {

// UTF-8 text, lines ended by CR LF; the caller stores it in GBK as phones read it.
std::string bookText(std::string_view title, std::string_view author, DemoRandom& random);

}  // namespace qh::demo
