#include "shell/key_filter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include "shell/unit_choice.h"

namespace zano {

QChar filtroTasti(QChar key, const QString& text, qsizetype position, bool signAllowed,
                  QChar separator) {
    if (key >= u'0' && key <= u'9') return key;
    if (key == QChar(8)) return key;  // Backspace
    if (key == u'.' || key == u',') return text.contains(separator) ? QChar() : separator;
    if (key == u'-' && signAllowed && position == 0 && !text.contains(u'-')) return key;
    return {};
}

QString refusalOfKey(QChar key, const QString& text, qsizetype position, bool signAllowed,
                     QChar separator) {
    if (!filtroTasti(key, text, position, signAllowed, separator).isNull()) return {};
    const QString decimal = separator == u'.' ? "decimal point" : "decimal comma";
    if (key == u'.' || key == u',')
        return QString::fromUtf8(
                   "“%1” not typed: a number holds one %2, and this box has one already")
            .arg(key, decimal);
    if (key == u'-')
        return signAllowed ? QString::fromUtf8("“-” not typed: a minus sign goes first, once")
                           : QString::fromUtf8("“-” not typed: this quantity is never negative");
    return QString::fromUtf8("“%1” not typed: a number takes digits and a %2 only")
        .arg(key, decimal);
}

QString filteredInsertion(const QString& text, const QString& boxText, qsizetype selectionStart,
                          qsizetype selectionLength, bool signAllowed, QChar separator) {
    QString taken;
    for (const QChar c : text) {
        // Until a character is taken the selection stands; the first one taken replaces it.
        const QString now = taken.isEmpty()
                                ? boxText
                                : QString(boxText).replace(selectionStart, selectionLength, taken);
        const QChar k = filtroTasti(c, now, selectionStart + taken.size(), signAllowed, separator);
        if (!k.isNull() && k != QChar(8)) taken += k;  // a Backspace in a text erases nothing
    }
    return taken;
}

QAction* pasteAction(const QMenu* menu) {
    // Named "edit-paste" by later Qt versions; its caption, translated as the box translates it,
    // identifies it in every version.
    const QString caption = QLineEdit::tr("&Paste");
    for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String("edit-paste") || a->text().startsWith(caption))
            return a;
    return nullptr;
}

QChar NumericKeyFilter::separator() {
    return QChar(currentUnits().decimal);
}

void NumericKeyFilter::insertFilteredAt(QLineEdit* box, QPoint at, const QString& text) const {
    box->deselect();
    box->setCursorPosition(box->cursorPositionAt(at));
    insertFiltered(box, text);
}

void NumericKeyFilter::insertFiltered(QLineEdit* box, const QString& text) const {
    if (box->isReadOnly()) return;
    const bool selected = box->hasSelectedText();
    const qsizetype start = selected ? box->selectionStart() : box->cursorPosition();
    const qsizetype length = selected ? box->selectedText().size() : 0;
    const QString taken =
        filteredInsertion(text, box->text(), start, length, signAllowed_, separator());
    if (!taken.isEmpty()) box->insert(taken);
}

void NumericKeyFilter::pasteInto(QLineEdit* box) const {
    insertFiltered(box, QGuiApplication::clipboard()->text());
}

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return false;
    switch (event->type()) {
        case QEvent::KeyPress:
            break;
        case QEvent::ContextMenu: {
            // The box's own menu, its Paste filtered like the keyboard's.
            QMenu* menu = box->createStandardContextMenu();
            menu->setAttribute(Qt::WA_DeleteOnClose);
            if (QAction* paste = pasteAction(menu)) {
                disconnect(paste, &QAction::triggered, box, nullptr);
                connect(paste, &QAction::triggered, box, [this, box] { pasteInto(box); });
            }
            menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (box->isReadOnly() || !drop->mimeData()->hasText()) return true;
            // Copied, never moved: text dragged out of the box stays where it was.
            insertFilteredAt(box, drop->position().toPoint(), drop->mimeData()->text());
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            box->setFocus(Qt::MouseFocusReason);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            // The middle button pastes the selection where the platform has one.
            auto* mouse = static_cast<QMouseEvent*>(event);
            QClipboard* clipboard = QGuiApplication::clipboard();
            if (mouse->button() != Qt::MiddleButton || !clipboard->supportsSelection())
                return false;
            insertFilteredAt(box, mouse->position().toPoint(),
                             clipboard->text(QClipboard::Selection));
            return true;
        }
        case QEvent::InputMethod: {
            // An input method's composed text, once committed, is filtered like a paste.
            auto* im = static_cast<QInputMethodEvent*>(event);
            if (im->commitString().isEmpty() || !im->preeditString().isEmpty() ||
                im->replacementLength() != 0)
                return false;
            insertFiltered(box, im->commitString());
            return true;
        }
        default:
            return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) {
        pasteInto(box);
        return true;
    }
    // Copy, cut, select all, undo and redo change no text beyond what was typed before.
    for (const auto shortcut : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::SelectAll,
                                QKeySequence::Undo, QKeySequence::Redo})
        if (key->matches(shortcut)) return false;
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
    // Control with any other letter types a control character: discarded, like every control
    // character but Backspace. AltGr arrives as Control+Alt and types text.
    const auto mods = key->modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key->key() >= Qt::Key_A &&
        key->key() <= Qt::Key_Z)
        return true;
    const QString typed = key->text();
    if (typed.isEmpty()) return false;  // moves the cursor or selection
    if (typed.size() != 1) return true;
    const qsizetype at = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    const QChar taken = filtroTasti(typed.front(), box->text(), at, signAllowed_, separator());
    if (taken.isNull()) {
        // The key rule stands; the user learns why the key did nothing.
        if (typed.front().isPrint())
            emit keyRefused(
                refusalOfKey(typed.front(), box->text(), at, signAllowed_, separator()));
        return true;
    }
    if (taken == typed.front()) return false;
    box->insert(QString(taken));
    return true;
}

}  // namespace zano
