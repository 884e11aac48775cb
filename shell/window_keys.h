#pragma once

class QAbstractButton;
class QWidget;

// Keyboard and focus habits of a desktop program, shared by the windows.
namespace zano {

// Return or Enter in `field` (a box or an editable list) presses `button`, as a dialog's
// default button would be pressed; the key types nothing into the field.
void pressOnEnter(QWidget* field, QAbstractButton* button);

// Escape hides `window`, as its "Close" button does: what it shows is kept for the next time.
void hideOnEscape(QWidget* window);

// The boxes of `window` that are read-only, now or later, are passed over by the Tab key; a
// click still puts the cursor in them, to select and copy their text.
void readOnlyBoxesTakeClickFocus(QWidget* window);

}  // namespace zano
