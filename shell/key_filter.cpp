#include "shell/key_filter.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace zano {

QChar filtroTasti(QChar key, const QString& text, qsizetype position, bool signAllowed) {
    if (key >= u'0' && key <= u'9') return key;
    if (key == QChar(8)) return key;  // Backspace
    if (key == u'.' || key == u',') return text.contains(u',') ? QChar() : QChar(u',');
    if (key == u'-' && signAllowed && position == 0 && !text.contains(u'-')) return key;
    return {};
}

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:  // focus moves on
        case Qt::Key_Delete:
            return false;
        case Qt::Key_Backspace:
            return filtroTasti(QChar(8), box->text()).isNull();
        default:
            break;
    }
    // Control with a letter types a control character (copy, cut, paste, undo): discarded,
    // like every control character but Backspace. AltGr arrives as Control+Alt and types text.
    const auto mods = key->modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key->key() >= Qt::Key_A &&
        key->key() <= Qt::Key_Z)
        return true;
    const QString typed = key->text();
    if (typed.isEmpty()) return false;  // moves the cursor or selection
    if (typed.size() != 1) return true;
    const qsizetype at = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    const QChar taken = filtroTasti(typed.front(), box->text(), at, signAllowed_);
    if (taken.isNull()) return true;
    if (taken == typed.front()) return false;
    box->insert(QString(taken));
    return true;
}

}  // namespace zano
