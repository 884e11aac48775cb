#pragma once

#include <QPoint>
#include <QRect>
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

// Fits a window fitted by fitFixedToScreen again, after its contents changed size.
void refitToScreen(QWidget* window);

// A window of free size opens at `size`, or as large as the available area allows.
void fitResizableToScreen(QWidget* window, QSize size);

// The room for a window's client area on its screen: the available area less its frame (an
// allowance for a title bar and borders while the platform has not told their size).
QSize roomOnScreen(const QWidget* window);

// Where a window whose frame is `size` opens beside the frame `anchor`, inside the `available`
// area: to its right when the room there holds it, else to its left, else as far towards the
// side with more room as the area allows. It stands level with the anchor's top, raised where
// it would reach below the area; one larger than the area starts at its top left corner.
QPoint besidePosition(const QRect& available, const QRect& anchor, QSize size);

// The frame of a window that opens beside the frame `anchor`: at besidePosition where either
// side holds `size`; where neither does, narrowed to the larger side's room (no narrower than
// `minimum`, below which it stands against that edge, over the anchor) and shortened to the
// area, so that it covers none of the anchor. A window narrowed so scrolls.
QRect besideFrame(const QRect& available, const QRect& anchor, QSize size, QSize minimum);

// How far the frame `anchor` moves sideways so that a window whose frame is `size` stands whole
// beside it in the `available` area: none where a side holds it already; else towards the side
// with more room, as far as the area lets it.
int anchorShift(const QRect& available, const QRect& anchor, QSize size);

// `window` opens beside `anchor` (the main window) on the anchor's screen, so that it covers
// none of it where the screen has room: the anchor steps aside where the two fit side by side
// but neither side holds the window, and the window is narrowed where the room is still too
// small (a window that scrolls: a resizable one, or one whose form lies in a scroll area). Placed
// when first shown, and again once the window manager has told the frame's size, which a first
// placement can only estimate; after that it stays where the user moves it.
void openBeside(QWidget* window, const QWidget* anchor);

}  // namespace zano
