// Text colours that stay readable whatever the desktop's palette: the
// contrast of two colours as the web's accessibility guidelines measure it
// (WCAG 2.x), and a choice of text colour that reaches a given contrast.
#pragma once

#include <QColor>

#include <initializer_list>

// Normal-size text needs this contrast against its background to be read
// comfortably by people with somewhat reduced sight.
constexpr double MinimumTextContrast = 4.5;

// 0 for black to 1 for white, from the sRGB channels made linear.
double RelativeLuminance(const QColor& colour);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);

// The first candidate that reaches minimum against background. When none
// does, the last candidate moved toward white or black, whichever stands
// out more from background, just far enough to reach it.
QColor ReadableColour(const QColor& background, std::initializer_list<QColor> candidates,
                      double minimum = MinimumTextContrast);
