#include "wizard/Contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

QColor Mix(const QColor& from, const QColor& to, double share)
{
    const auto channel = [share](double a, double b) { return a + (b - a) * share; };
    return QColor::fromRgbF(static_cast<float>(channel(from.redF(), to.redF())),
                            static_cast<float>(channel(from.greenF(), to.greenF())),
                            static_cast<float>(channel(from.blueF(), to.blueF())));
}

}  // namespace

double RelativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableColour(const QColor& background, std::initializer_list<QColor> candidates, double minimum)
{
    for (const QColor& candidate : candidates)
        if (ContrastRatio(candidate, background) >= minimum)
            return candidate;
    const QColor start = candidates.size() ? *(candidates.end() - 1) : QColor(Qt::black);
    const QColor end = ContrastRatio(Qt::white, background) >= ContrastRatio(Qt::black, background) ? QColor(Qt::white)
                                                                                                    : QColor(Qt::black);
    // Contrast grows steadily along the way to the far end: halve the step
    // until the nearest mix that reaches minimum is found (or the end itself).
    double low = 0, high = 1;
    for (int i = 0; i < 20; ++i) {
        const double middle = (low + high) / 2;
        (ContrastRatio(Mix(start, end, middle), background) >= minimum ? high : low) = middle;
    }
    return Mix(start, end, high).toRgb();
}
