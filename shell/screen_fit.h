#pragma once

#include <QSize>

class QScrollArea;
class QWidget;

// Windows drawn at a fixed size (the twip layouts) are shown whole where the screen holds them
// and scroll where it does not, so that a small or magnified screen (a 1366 x 768 laptop, a
// 1080-line screen at 150 %) still reaches every row and button.
namespace zano {

// A frameless scroll area showing `form` at its own fixed size, in the top left corner; its
// size hint is the whole form, so that the window around it asks for all of it.
QScrollArea* formScrollArea(QWidget* form, QWidget* parent = nullptr);

// Moves the window's controls, laid out on the window itself, onto a form of `formSize` held by
// a scroll area that fills the window. Returns the form ("client"); positions are unchanged.
QWidget* moveIntoScrollArea(QWidget* window, QSize formSize);

// The window keeps the size its contents ask for (its size hint), fixed, where the available
// area of its screen holds it with its frame. Where it does not, it opens as large as that area
// allows, with scroll bars, and may be resized up to the whole. Checked again when it is first
// shown and when it moves to another screen.
void fitFixedToScreen(QWidget* window);

// A window of free size opens at `size`, or as large as the available area allows.
void fitResizableToScreen(QWidget* window, QSize size);

// The room for a window's client area on its screen: the available area less its frame (an
// allowance for a title bar and borders while the platform has not told their size).
QSize roomOnScreen(const QWidget* window);

}  // namespace zano
