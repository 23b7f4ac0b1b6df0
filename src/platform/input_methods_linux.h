#pragma once
#include "platform/input_methods.h"

namespace qh {

// Linux desktops do not let a program choose an engine; what can be offered is the system's
// default input and switching the keyword box's input method off. The input-method framework
// in use (fcitx5, ibus) is named after the default when one is configured.
class LinuxInputMethods final : public InputMethods {
public:
    std::vector<std::string> installedNames() const override;
};

}  // namespace qh
