#pragma once

#include <QRect>
#include <vector>

class QWidget;

// Windows laid out in twips (1/1440 inch; 15 twips make one pixel at 96 dpi), enlarged
// uniformly when the platform's font needs more room than the drawn layout gives.
namespace zano {

struct TwipPlace {
    QWidget* widget;
    QRect twips;  // left, top, width, height in the container
};

// The room a control needs for its text at its current font (a zero dimension: no need).
QSize neededSize(const QWidget* widget);

// The smallest factor, at least 1, at which every control gets the room it needs.
double twipScale(const std::vector<TwipPlace>& places);

// Twips to logical pixels at the given factor.
int twipsToPixels(int twips, double scale);

// Places every control at its twip rectangle times the factor; neighbouring edges stay shared.
void placeInTwips(const std::vector<TwipPlace>& places, double scale);

}  // namespace zano
