#include "document/dataset.h"

#include <algorithm>

QRgb datasetColour(int index)
{
    // A plotting program's ten, less the green and the magenta the overlays use.
    static constexpr QRgb Colours[] = {0xff1f77b4, 0xffff7f0e, 0xffd62728, 0xff9467bd, 0xff8c564b,
                                       0xff7f7f7f, 0xffbcbd22, 0xff17becf};
    return Colours[size_t(index) % std::size(Colours)];
}

QString freshDatasetName(const std::vector<Dataset> &datasets, DatasetKind kind)
{
    const QString stem = kind == DatasetKind::Curve ? QStringLiteral("Curve %1") : QStringLiteral("Points %1");
    for (int n = 1;; ++n) {
        const QString name = stem.arg(n);
        if (std::none_of(datasets.begin(), datasets.end(), [&](const Dataset &d) { return d.name == name; }))
            return name;
    }
}

std::optional<ValuePoint> valueOf(const DataPoint &point, const AxesTransform &transform)
{
    const AxisValue x = transform.xAt(point.px, point.py), y = transform.yAt(point.px, point.py);
    if (!x.value || !y.value)
        return std::nullopt;
    return ValuePoint{*x.value, *y.value};
}

std::vector<ValuedDataset> valuedDatasets(const std::vector<Dataset> &datasets, const AxesTransform &transform)
{
    std::vector<ValuedDataset> out;
    out.reserve(datasets.size());
    for (const Dataset &d : datasets) {
        ValuedDataset v{d.name, d.kind, d.colour, {}};
        v.points.reserve(d.points.size());
        for (const DataPoint &p : d.points)
            if (const auto value = valueOf(p, transform))
                v.points.push_back(*value);
        out.push_back(std::move(v));
    }
    return out;
}
