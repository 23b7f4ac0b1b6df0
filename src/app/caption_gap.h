#pragma once
// Captions that leave a blank gap for a value drawn over them ("用时      秒"). The shop's fonts
// draw a blank half as wide as a Chinese character; ours draw it far narrower, so the gaps are
// made of en spaces, which every font draws that wide, and the value is placed by the font.
#include <QRect>
#include <QString>

class QLabel;

namespace qh {

// The caption as shown: its ASCII blanks become en spaces.
QString captionWithGaps(const char* utf8);

// The place, in the caption's parent, of the `blankCount` blanks that follow the caption's first
// `beforeCount` characters.
QRect gapOf(QLabel* caption, int beforeCount, int blankCount);

}  // namespace qh
