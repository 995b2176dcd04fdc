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
