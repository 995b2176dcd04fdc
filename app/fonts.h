#pragma once

#include <QFont>

// The three faces the windows use. The Japanese ones are mapped to an
// installed Japanese face, so that no caption shows empty boxes.
namespace Fonts {
inline constexpr const char16_t *TimesNewRoman = u"Times New Roman";
inline constexpr const char16_t *RoundGothic = u"HG丸ｺﾞｼｯｸM-PRO";
inline constexpr const char16_t *ProportionalGothic = u"ＭＳ Ｐゴシック";

// Registers the substitutes; call once after the application exists.
void installSubstitutes();

QFont font(const char16_t *family, qreal pointSize, bool italic = false);
} // namespace Fonts
