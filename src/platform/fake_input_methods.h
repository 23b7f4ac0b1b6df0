#pragma once
#include <algorithm>
#include <utility>

#include "platform/input_methods.h"

namespace qh {

// Installed names as given; every switch is recorded, and current() follows the same rule as
// the system: a name that is not installed gives the default.
class FakeInputMethods final : public InputMethods {
public:
    struct Call {
        enum class Kind { Activate, ActivateDefault };
        Kind kind;
        std::string name;  // the name asked for; empty for ActivateDefault
        bool operator==(const Call&) const = default;
    };

    explicit FakeInputMethods(std::vector<std::string> names = {})
        : names_(std::move(names)), current_(defaultName()) {}

    std::vector<std::string> installedNames() const override { return names_; }

    void activate(const std::string& name) override {
        calls_.push_back({Call::Kind::Activate, name});
        const bool installed = std::find(names_.begin(), names_.end(), name) != names_.end();
        current_ = installed ? name : defaultName();
    }

    void activateDefault() override {
        calls_.push_back({Call::Kind::ActivateDefault, {}});
        current_ = defaultName();
    }

    // The name of the input method in use now; empty when none is installed.
    const std::string& current() const { return current_; }
    const std::vector<Call>& calls() const { return calls_; }

private:
    std::string defaultName() const { return names_.empty() ? std::string() : names_.front(); }

    std::vector<std::string> names_;
    std::string current_;
    std::vector<Call> calls_;
};

}  // namespace qh
