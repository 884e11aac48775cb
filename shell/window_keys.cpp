#include "shell/window_keys.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

namespace zano {
namespace {

class EnterPresses : public QObject {
  public:
    EnterPresses(QWidget* field, QAbstractButton* button) : QObject(field), button_(button) {
        // Installed after the field's other filters, so that it sees the key first: the numeric
        // boxes' key filter would discard it.
        field->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        // A key held down would start one calculation after another.
        if (!key->isAutoRepeat() && button_->isEnabled()) button_->click();
        return true;
    }

  private:
    QAbstractButton* button_;
};

// Follows the box's read-only flag, whoever sets it.
class ReadOnlyFocus : public QObject {
  public:
    explicit ReadOnlyFocus(QLineEdit* box) : QObject(box), box_(box) {
        box->installEventFilter(this);
        apply();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ReadOnlyChange) apply();
        return false;
    }

  private:
    void apply() { box_->setFocusPolicy(box_->isReadOnly() ? Qt::ClickFocus : Qt::StrongFocus); }
    QLineEdit* box_;
};

}  // namespace

void pressOnEnter(QWidget* field, QAbstractButton* button) {
    new EnterPresses(field, button);
}

void hideOnEscape(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::hide);
}

void readOnlyBoxesTakeClickFocus(QWidget* window) {
    for (QLineEdit* box : window->findChildren<QLineEdit*>())
        // A list's own box goes with its list; a box of a window this one owns, with that one.
        if (box->window() == window && !qobject_cast<QComboBox*>(box->parentWidget()))
            new ReadOnlyFocus(box);
}

}  // namespace zano
