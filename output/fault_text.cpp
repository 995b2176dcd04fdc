#include "output/fault_text.h"

namespace {

struct FaultTexts
{
    QString japanese;
    QString english;
};

FaultTexts faultTexts(const AxisFault &fault)
{
    const QString a = fault.axis == Axis::X ? QStringLiteral("X") : QStringLiteral("Y");
    switch (fault.fault) {
    case MappingFault::LogStartZero:
        return {QStringLiteral("%1軸は対数目盛です。始点の%1座標に 0 以外の値を入力して下さい。").arg(a),
                QStringLiteral("The %1 axis is logarithmic: its start value must not be 0.").arg(a)};
    case MappingFault::LogRatioNotPositive:
        return {QStringLiteral("%1軸は対数目盛です。始点と終点の%1座標には、同じ符号で 0 以外の値を入力して下さい。").arg(a),
                QStringLiteral("The %1 axis is logarithmic: its start and end values must be "
                               "non-zero and of the same sign.")
                    .arg(a)};
    case MappingFault::ZeroSpan:
        return {QStringLiteral("始点と終点の%1位置が同じです。始点と終点を指定し直して下さい。").arg(a),
                QStringLiteral("The start and end points lie on the same %1: click the two corners again.")
                    .arg(fault.axis == Axis::X ? QStringLiteral("column") : QStringLiteral("row"))};
    case MappingFault::OutOfRange:
        break;
    }
    return {QStringLiteral("%1座標の値が計算できる範囲を超えます。始点と終点の%1座標を確かめて下さい。").arg(a),
            QStringLiteral("The %1 values leave the range of numbers: check the start and end "
                           "values of the %1 axis.")
                .arg(a)};
}

} // namespace

QString faultMessage(const AxisFault &fault)
{
    const FaultTexts texts = faultTexts(fault);
    return texts.japanese + QStringLiteral("\n(") + texts.english + u')';
}

QString faultMessageEnglish(const AxisFault &fault)
{
    return faultTexts(fault).english;
}
