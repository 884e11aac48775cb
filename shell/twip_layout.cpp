#include "shell/twip_layout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

namespace zano {

QSize neededSize(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->sizeHint();
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
        // Only the caption counts; the frame's contents are placed by their own twips.
        if (frame->title().isEmpty()) return {};
        const QFontMetrics fm(frame->font());
        return {fm.horizontalAdvance(frame->title()) + 2 * fm.height(), 0};
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(widget))
        return {0, box->minimumSizeHint().height()};
    if (const auto* list = qobject_cast<const QComboBox*>(widget))
        return {list->sizeHint().width(), list->minimumSizeHint().height()};
    return widget->sizeHint();  // buttons, option buttons, check boxes
}

double twipScale(const std::vector<TwipPlace>& places) {
    double scale = 1.0;
    for (const auto& p : places) {
        p.widget->ensurePolished();  // the style's fonts and margins decide the sizes
        const QSize need = neededSize(p.widget);
        scale = std::max(scale, need.width() * 15.0 / p.twips.width());
        scale = std::max(scale, need.height() * 15.0 / p.twips.height());
    }
    // Two decimals, rounded up, so that the factor reads well in a report.
    return std::ceil(scale * 100.0 - 1e-9) / 100.0;
}

int twipsToPixels(int twips, double scale) {
    return static_cast<int>(std::lround(twips * scale / 15.0));
}

void placeInTwips(const std::vector<TwipPlace>& places, double scale) {
    for (const auto& p : places) {
        const QRect& t = p.twips;
        const int left = twipsToPixels(t.left(), scale);
        const int top = twipsToPixels(t.top(), scale);
        p.widget->setGeometry(left, top, twipsToPixels(t.left() + t.width(), scale) - left,
                              twipsToPixels(t.top() + t.height(), scale) - top);
    }
}

}  // namespace zano
