#include "library/search_result.h"

#include "library/display_name.h"
#include "library/file_size.h"
#include "library/size_text.h"

namespace qh {

SearchResult makeSearchResult(const FileSystem& files, std::string_view path, int number) {
    return SearchResult{DisplayName(path), TypeText(path), SizeText(FileSizeOf(files, path)),
                        number};
}

}  // namespace qh
