#pragma once
// The 22 by 22 icons of the five target kinds, drawn here so the program ships no images.
#include <QIcon>

namespace qh {

// Icon of a TargetKind 0..4.
const QIcon& kindIcon(int kind);
// The same with a red cross in its corner: a list entry that did not reach the customer's disk.
const QIcon& undeliveredKindIcon(int kind);

}  // namespace qh
