#pragma once
#include "platform/input_methods.h"

namespace qh {

class FakeInputMethods final : public InputMethods {
public:
    explicit FakeInputMethods(std::vector<std::string> names = {}) : names_(std::move(names)) {}
    std::vector<std::string> installedNames() const override { return names_; }

private:
    std::vector<std::string> names_;
};

}  // namespace qh
