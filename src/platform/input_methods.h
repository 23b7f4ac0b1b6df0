#pragma once
// The input methods the clerk can choose from for the keyword box.
#include <string>
#include <vector>

namespace qh {

class InputMethods {
public:
    virtual ~InputMethods() = default;
    // Names (GBK) in the order the system gives them; the first is the system's default.
    virtual std::vector<std::string> installedNames() const = 0;
};

}  // namespace qh
