// The host's simple font metric.
#include "TqTextMetric.h"

#include <cmath>

namespace TqTextMetric {

TqTextBox Measure(const QString& text, double height, double widthFactor, double obliquing)
{
    TqTextBox box;
    if (text.isEmpty())
        return box;
    static const QString kDescenders = QStringLiteral("gjpqy,;");
    bool descends = false;
    for (const QChar c : text)
        descends = descends || kDescenders.contains(c);
    const double slant = std::tan(obliquing);
    const double descent = descends ? kDescent * height : 0.0;
    box.lower[0] = -descent * slant;
    box.lower[1] = -descent;
    box.upper[0] = (text.size() * kCellWidth - kSpacing) * height * widthFactor + height * slant;
    box.upper[1] = height;
    return box;
}

}  // namespace TqTextMetric
