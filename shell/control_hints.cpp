#include "shell/control_hints.h"

#include <QWidget>

namespace zano {

void applyControlHints(QWidget* window) {
    for (const ControlHint& h : kControlHints) {
        if (window->objectName() != QLatin1String(h.window)) continue;
        // The window's own controls: a window it owns (the main window's Options) has its own.
        for (auto* c : window->findChildren<QWidget*>(QString::fromLatin1(h.control)))
            if (c->window() == window) c->setToolTip(QString::fromUtf8(h.text));
    }
}

}  // namespace zano
