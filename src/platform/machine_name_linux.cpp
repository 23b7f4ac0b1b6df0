#include "platform/listing_index_keeper.h"
#include "text/atomic_file.h"

namespace qh {

std::string thisMachineName() {
    std::string id = readWholeFile("/etc/machine-id").value_or("");
    while (!id.empty() && static_cast<unsigned char>(id.back()) <= ' ') {
        id.pop_back();
    }
    return id;
}

}  // namespace qh
