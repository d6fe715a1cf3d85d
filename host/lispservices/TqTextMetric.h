// The host's simple font metric, by which textbox measures a text. Every character of the
// host's stroke font occupies a cell 6/7 of the text height wide (times the width factor); the
// box runs from the insertion point to the end of the last cell less its spacing of 1/7 of the
// height, and from the baseline to the cap height, which is the text height. A text with a
// descending letter (g, j, p, q, y, comma, semicolon) goes 1/3 of the height below the baseline.
// An obliquing angle slants the glyphs: the top right corner moves right by height·tan(angle),
// and a descender moves the bottom left corner left by descent·tan(angle).
#pragma once

#include <QString>

struct TqTextBox {
    double lower[3] = {0.0, 0.0, 0.0};
    double upper[3] = {0.0, 0.0, 0.0};
};

namespace TqTextMetric {

inline constexpr double kCellWidth = 6.0 / 7.0;
inline constexpr double kSpacing = 1.0 / 7.0;
inline constexpr double kDescent = 1.0 / 3.0;

TqTextBox Measure(const QString& text, double height, double widthFactor, double obliquing);

}  // namespace TqTextMetric
