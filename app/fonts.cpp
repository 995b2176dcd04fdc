#include "app/fonts.h"

#include <QString>
#include <QStringList>

namespace Fonts {

void installSubstitutes()
{
    const QStringList japanese{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                               QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")};
    QFont::insertSubstitutions(QString::fromUtf16(RoundGothic), japanese);
    QFont::insertSubstitutions(QString::fromUtf16(ProportionalGothic), japanese);
    QFont::insertSubstitutions(QString::fromUtf16(TimesNewRoman),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

QFont font(const char16_t *family, qreal pointSize, bool italic)
{
    QFont f(QString::fromUtf16(family));
    f.setPointSizeF(pointSize);
    f.setItalic(italic);
    f.setWeight(QFont::Normal);
    return f;
}

} // namespace Fonts
