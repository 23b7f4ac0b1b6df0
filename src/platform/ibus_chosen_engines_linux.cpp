#include "platform/ibus_chosen_engines_linux.h"

#include <algorithm>

#include "platform/gvariant_text.h"

namespace qh {

namespace {

// GNOME's sources are (type, id) pairs: ('ibus', engine name) or ('xkb', "layout+variant").
QStringList namesFromGnomeSources(const std::optional<QString>& text) {
    const auto sources = text ? stringPairArrayFromGVariantText(*text) : std::nullopt;
    const auto isIBus = [](const auto& source) { return source.first == u"ibus"; };
    if (!sources || std::none_of(sources->begin(), sources->end(), isIBus)) {
        return {};
    }
    QStringList names;
    for (const auto& [type, id] : *sources) {
        if (type == u"ibus") {
            names.push_back(id);
        } else if (type == u"xkb") {
            const QString layout = id.section(u'+', 0, 0);
            const QString variant = id.section(u'+', 1);
            names.push_back(QStringLiteral("xkb:%1:%2:").arg(layout, variant));
        }
    }
    return names;
}

QStringList namesFromPreloadEngines(const std::optional<QString>& text) {
    const auto engines = text ? stringArrayFromGVariantText(*text) : std::nullopt;
    return engines ? QStringList(engines->begin(), engines->end()) : QStringList();
}

}  // namespace

QStringList chosenIBusEngineNames(DesktopSettings& settings, const QDeadlineTimer& deadline) {
    const auto values = settings.read(
        {{QStringLiteral("org.gnome.desktop.input-sources"), QStringLiteral("sources")},
         {QStringLiteral("org.freedesktop.ibus.general"), QStringLiteral("preload-engines")}},
        deadline);
    QStringList names = namesFromGnomeSources(values.at(0));
    if (names.isEmpty()) {
        names = namesFromPreloadEngines(values.at(1));
    }
    names.removeAll(QString());
    names.removeDuplicates();
    return names;
}

}  // namespace qh
