#pragma once
// A whole demo shop in one folder: the drives (D fixed, F with the library, G the customer's
// card) and the program's folder with its data folder.
#include "demo_options.h"
#include "folder_writer.h"

namespace qh::demo {

// Writes the shop into options.outDir. The same options give the same files, byte for byte.
// Throws std::system_error or std::runtime_error when something cannot be written.
WriteTally buildDemoShop(const DemoOptions& options);

}  // namespace qh::demo
