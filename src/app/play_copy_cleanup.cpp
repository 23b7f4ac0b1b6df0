#include "app/play_copy_cleanup.h"

#include <vector>

#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

void deletePlayCopies(const std::filesystem::path& dataDir) {
    static const std::string mediaExtensions =
        ".mp3.3gp.avi.mp4.wmv.asf.mov.rm.rmvb.mtv.dat.amv.dmv.vob.mpg";
    std::error_code error;
    std::vector<std::filesystem::path> doomed;
    for (std::filesystem::directory_iterator entry(dataDir, error), end; !error && entry != end;
         entry.increment(error)) {
        const auto name = hostNameToGbk(entry->path().filename().native());
        // A substring test: shortened extensions such as ".mp" or ".m" count as media too.
        if (contains(mediaExtensions, asciiLower(extensionOf(name))) &&
            !entry->is_directory(error)) {
            doomed.push_back(entry->path());
        }
    }
    for (const auto& file : doomed) {
        std::filesystem::remove(file, error);
    }
}

}  // namespace qh
