#pragma once
// The player leaves unmarked play copies of songs and films in the data folder; they are
// cleared at each start.
#include <filesystem>

namespace qh {

// Deletes every file of the folder whose lower-cased extension (from the last dot, dot
// included) occurs in ".mp3.3gp.avi.mp4.wmv.asf.mov.rm.rmvb.mtv.dat.amv.dmv.vob.mpg", hidden
// files included. Lists, settings and names without a dot stay. Files that cannot be deleted
// are passed over.
void deletePlayCopies(const std::filesystem::path& dataDir);

}  // namespace qh
