#pragma once
// Settings values as `gsettings get` prints them: GVariant's text form. Only the two shapes the
// input-method settings take are read; text of any other shape counts as unreadable.
#include <QString>
#include <QStringView>
#include <optional>
#include <utility>
#include <vector>

namespace qh {

// An array of strings: ['xkb:us::eng', 'libpinyin'], or @as [] when empty.
std::optional<std::vector<QString>> stringArrayFromGVariantText(QStringView text);

// An array of string pairs: [('xkb', 'us'), ('ibus', 'libpinyin')], or @a(ss) [] when empty.
std::optional<std::vector<std::pair<QString, QString>>> stringPairArrayFromGVariantText(
    QStringView text);

}  // namespace qh
