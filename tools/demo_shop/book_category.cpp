// 6-电子书: books by genre, "author-title.txt" in GBK as phones read them, or .umd.
#include <string>

#include "batch_folders.h"
#include "category_builders.h"
#include "media_names.h"

namespace qh::demo {

void buildBooks(const Folder& category, CategoryContext& context) {
    DemoRandom& random = context.random;
    for (const Shelf& shelf : bookShelves()) {
        const auto entries = splitTitles(shelf.titles);
        fillInBatches(category.child(shelf.folder), context.plan.booksPerGenre,
                      [&](const Folder& folder, std::uint64_t i) {
                          const std::string entry = distinctTitle(entries, bookEditions(), i);
                          const auto dash = entry.find('-');
                          if (random.chance(0.3)) {
                              folder.writeSparse(entry + ".umd",
                                                 random.between(300 * kKiB, 3 * kMiB));
                          } else {
                              folder.writeFile(entry + ".txt",
                                               context.content.book(entry.substr(dash + 1),
                                                                    entry.substr(0, dash), random));
                          }
                      });
    }
}

}  // namespace qh::demo
