#include "platform/input_methods_linux.h"

#include <algorithm>
#include <set>

#include "platform/fcitx5_controller_linux.h"
#include "platform/ibus_engines_linux.h"
#include "text/gbk.h"

namespace qh {

namespace {

// Two engines may show the same name (two pinyin engines, say). The first keeps it, the later
// ones get " (2)", " (3)", ..., skipping any name another engine already shows, so that every
// name leads back to one engine.
std::vector<std::string> uniqueNames(const std::vector<std::string>& shown) {
    const std::set<std::string> original(shown.begin(), shown.end());
    std::set<std::string> taken;
    std::vector<std::string> names;
    for (const auto& name : shown) {
        std::string unique = name;
        for (int number = 2;
             taken.count(unique) != 0 || (unique != name && original.count(unique) != 0);
             ++number) {
            unique = name + " (" + std::to_string(number) + ")";
        }
        taken.insert(unique);
        names.push_back(unique);
    }
    return names;
}

}  // namespace

LinuxInputMethods::LinuxInputMethods(DesktopSettings& settings, const InputMethodBuses& buses)
    : fcitx5_(std::make_unique<Fcitx5Controller>(buses.session)),
      ibus_(std::make_unique<IBusEngines>(buses.ibus, settings)) {}

LinuxInputMethods::~LinuxInputMethods() = default;

LinuxInputMethods::Listing LinuxInputMethods::list() const {
    for (InputMethodService* service : {fcitx5_.get(), ibus_.get()}) {
        const auto engines = service->engines();
        if (!engines || engines->empty()) {
            continue;
        }
        Listing listing{service, {}, {}};
        std::vector<std::string> shown;
        for (const auto& engine : *engines) {
            shown.push_back(toGbk(engine.displayName.isEmpty() ? engine.id : engine.displayName));
            listing.ids.push_back(engine.id);
        }
        listing.names = uniqueNames(shown);
        return listing;
    }
    static const std::string systemDefault = gbk("系统默认输入法");
    return Listing{nullptr, {systemDefault}, {QString()}};
}

std::vector<std::string> LinuxInputMethods::installedNames() const {
    listing_ = list();
    return listing_->names;
}

bool LinuxInputMethods::trySelect(const std::string* name) {
    if (!listing_ || listing_->service == nullptr) {
        return false;
    }
    const auto& names = listing_->names;
    const auto found = name == nullptr ? names.end() : std::find(names.begin(), names.end(), *name);
    const std::size_t index = found == names.end() ? 0 : std::size_t(found - names.begin());
    return listing_->service->select(listing_->ids[index]);
}

void LinuxInputMethods::select(const std::string* name) {
    // Not listed yet, no framework found last time, or its bus has gone since: look again, so
    // that a framework started or restarted after the program is used.
    if (!trySelect(name)) {
        listing_ = list();
        trySelect(name);
    }
}

void LinuxInputMethods::activate(const std::string& name) {
    select(&name);
}

void LinuxInputMethods::activateDefault() {
    select(nullptr);
}

}  // namespace qh
