#include "axes/axis_fit.h"

#include "axes/tick_labels.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <charconv>
#include <string_view>
#include <cmath>
#include <optional>

namespace {

constexpr double MaxResidual = 0.5;
constexpr std::size_t MinAgreeing = 3;

struct Line
{
    double offset = 0;
    double slope = 0;
    double pixelOf(double t) const { return (t - offset) / slope; }
};

// Least squares of the transformed value on the pixel.
std::optional<Line> leastSquares(const std::vector<AxisTick> &ticks)
{
    double sp = 0, st = 0, spp = 0, spt = 0;
    const double n = double(ticks.size());
    for (const AxisTick &t : ticks) {
        sp += t.pixel;
        st += t.value;
        spp += t.pixel * t.pixel;
        spt += t.pixel * t.value;
    }
    const double d = n * spp - sp * sp;
    if (n < 2 || d == 0)
        return std::nullopt;
    const double slope = (n * spt - sp * st) / d;
    if (slope == 0 || !std::isfinite(slope))
        return std::nullopt;
    return Line{(st - slope * sp) / n, slope};
}

double largestResidual(const Line &line, const std::vector<AxisTick> &ticks)
{
    double r = 0;
    for (const AxisTick &t : ticks)
        r = std::max(r, std::abs(line.pixelOf(t.value) - t.pixel));
    return r;
}

// The largest set of ticks (values already transformed) that one line
// through two of them keeps within the residual, refitted over that set.
struct Consensus
{
    std::vector<AxisTick> ticks; // transformed values
    std::vector<std::size_t> indices;
    Line line;
    double residual = 0;
};

std::optional<Consensus> consensus(const std::vector<AxisTick> &ticks)
{
    std::optional<Consensus> best;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        for (std::size_t j = i + 1; j < ticks.size(); ++j) {
            const double dp = ticks[j].pixel - ticks[i].pixel;
            const double dt = ticks[j].value - ticks[i].value;
            if (dp == 0 || dt == 0)
                continue;
            const Line through{ticks[i].value - dt / dp * ticks[i].pixel, dt / dp};
            Consensus c;
            for (std::size_t k = 0; k < ticks.size(); ++k) {
                if (std::abs(through.pixelOf(ticks[k].value) - ticks[k].pixel) < MaxResidual) {
                    c.ticks.push_back(ticks[k]);
                    c.indices.push_back(k);
                }
            }
            const auto refit = leastSquares(c.ticks);
            if (!refit)
                continue;
            c.line = *refit;
            c.residual = largestResidual(c.line, c.ticks);
            if (!best || c.ticks.size() > best->ticks.size()
                || (c.ticks.size() == best->ticks.size() && c.residual < best->residual))
                best = std::move(c);
        }
    }
    return best;
}

QString valueList(const std::vector<AxisTick> &ticks)
{
    QStringList values;
    for (const AxisTick &t : ticks)
        values << QLocale::c().toString(t.value, 'g', 15);
    return values.join(QStringLiteral(", "));
}

} // namespace

double AxisFit::pixelOf(double value) const
{
    return ((kind == AxisKind::Logarithmic ? std::log10(value) : value) - offset) / slope;
}

AxisFit fitAxis(const std::vector<AxisTick> &ticks, const QString &axis)
{
    AxisFit fit;
    if (ticks.size() < MinAgreeing) {
        fit.failure = ticks.empty() ? QStringLiteral("no %1 tick labels read").arg(axis)
                                    : QStringLiteral("fewer than three %1 tick labels read: %2").arg(axis, valueList(ticks));
        return fit;
    }

    std::vector<AxisTick> logTicks;
    std::vector<std::size_t> logSource;
    // A logarithmic axis labels its ticks 1, 2 ... 9 times a power of ten; any
    // other value there ("102" for a "10²" read as one line) is a misreading.
    const auto roundOnLogAxis = [](double v) {
        const double mantissa = v / std::pow(10.0, std::floor(std::log10(v) + 1e-12));
        return std::abs(mantissa - std::round(mantissa)) < 1e-9 * mantissa;
    };
    for (std::size_t k = 0; k < ticks.size(); ++k) {
        if (ticks[k].value > 0 && roundOnLogAxis(ticks[k].value)) {
            logTicks.push_back({ticks[k].pixel, std::log10(ticks[k].value)});
            logSource.push_back(k);
        }
    }
    const auto linear = consensus(ticks);
    const auto logarithmic = consensus(logTicks);
    const auto usable = [](const std::optional<Consensus> &c) {
        return c && c->ticks.size() >= MinAgreeing && c->residual < MaxResidual;
    };
    const bool useLog = usable(logarithmic)
        && (!usable(linear) || logarithmic->ticks.size() > linear->ticks.size()
            || (logarithmic->ticks.size() == linear->ticks.size() && logarithmic->residual < linear->residual));
    if (!useLog && !usable(linear)) {
        fit.failure = QStringLiteral("%1 labels do not fit a linear or a logarithmic scale: %2").arg(axis, valueList(ticks));
        return fit;
    }

    const Consensus &c = useLog ? *logarithmic : *linear;
    // Labels left out that agree among themselves on another scale are no
    // misreading but a systematic one (a minus sign lost on half the axis):
    // neither scale can be trusted.
    const std::vector<AxisTick> &candidates = useLog ? logTicks : ticks;
    std::vector<AxisTick> rest;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (std::find(c.indices.begin(), c.indices.end(), k) == c.indices.end())
            rest.push_back(candidates[k]);
    }
    if (usable(consensus(rest))) {
        fit.failure = QStringLiteral("%1 labels fit two different scales: %2").arg(axis, valueList(ticks));
        return fit;
    }
    fit.kind = useLog ? AxisKind::Logarithmic : AxisKind::Linear;
    fit.offset = c.line.offset;
    fit.slope = c.line.slope;
    fit.residual = c.residual;
    for (const std::size_t k : c.indices)
        fit.agreeing.push_back(ticks[useLog ? logSource[k] : k]);
    std::sort(fit.agreeing.begin(), fit.agreeing.end(),
              [](const AxisTick &a, const AxisTick &b) { return a.pixel < b.pixel; });
    return fit;
}

namespace {

// The digits after the decimal point in the shortest fixed form of a value.
int decimalPlaces(double value)
{
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    const std::string_view fixed(text, size_t(end - text));
    const size_t point = fixed.find('.');
    return point == std::string_view::npos ? 0 : int(fixed.size() - point - 1);
}

// The value of a whole step (or decade) of the agreeing labels nearest the
// fit's value at a pixel; nothing when the labels are not whole steps of one size.
std::optional<double> stepValueAt(const AxisFit &fit, double pixel)
{
    const double t = fit.offset + fit.slope * pixel;
    if (fit.kind == AxisKind::Logarithmic) {
        for (const AxisTick &a : fit.agreeing) {
            if (std::abs(std::log10(a.value) - std::round(std::log10(a.value))) > 1e-9)
                return std::nullopt;
        }
        return timesPowerOfTen(1, int(std::lround(t)));
    }
    double step = 0;
    int places = 0;
    for (size_t i = 0; i < fit.agreeing.size(); ++i) {
        places = std::max(places, decimalPlaces(fit.agreeing[i].value));
        const double d = i ? std::abs(fit.agreeing[i].value - fit.agreeing[i - 1].value) : 0;
        if (d > 0 && (step == 0 || d < step))
            step = d;
    }
    if (step == 0 || places > 15)
        return std::nullopt;
    const double first = fit.agreeing.front().value;
    for (const AxisTick &a : fit.agreeing) {
        const double steps = (a.value - first) / step;
        if (std::abs(steps - std::round(steps)) > 1e-6)
            return std::nullopt;
    }
    // Whole steps from the first label, in the labels' own decimal places.
    const double value = first + std::round((t - first) / step) * step;
    return timesPowerOfTen(std::round(timesPowerOfTen(value, places)), -places);
}

} // namespace

void extendToTicks(AxisFit &fit, const std::vector<double> &tickPixels)
{
    if (!fit.found())
        return;
    auto onStep = [&](double pixel) -> std::optional<AxisTick> {
        const auto value = stepValueAt(fit, pixel);
        if (!value || !std::isfinite(*value) || std::abs(fit.pixelOf(*value) - pixel) >= MaxResidual)
            return std::nullopt;
        return AxisTick{pixel, *value};
    };
    std::optional<AxisTick> before, after;
    for (const double p : tickPixels) {
        if (p < fit.agreeing.front().pixel - 2 && (!before || p < before->pixel)) {
            if (const auto t = onStep(p))
                before = t;
        }
        if (p > fit.agreeing.back().pixel + 2 && (!after || p > after->pixel)) {
            if (const auto t = onStep(p))
                after = t;
        }
    }
    if (before)
        fit.agreeing.insert(fit.agreeing.begin(), *before);
    if (after)
        fit.agreeing.push_back(*after);
}
