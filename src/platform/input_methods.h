#pragma once
// The input methods the clerk can choose from for the keyword box, and switching between them.
#include <string>
#include <vector>

namespace qh {

class InputMethods {
public:
    virtual ~InputMethods() = default;
    // Display names (GBK) in the order the system gives them; the first is the system's
    // default, in practice the plain keyboard layout.
    virtual std::vector<std::string> installedNames() const = 0;
    // Makes the input method of that name the current one; a name that is not installed gives
    // the default.
    virtual void activate(const std::string& name) = 0;
    virtual void activateDefault() = 0;
};

}  // namespace qh
