#include "shell/screen_fit.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace zano {
namespace {

// A narrow gap between a window and the one it opens beside, so that the frames do not merge.
constexpr int kGap = 8;
// The narrowest a window that scrolls is made to open beside another: the room beside a main
// window against the edge of a 960-pixel screen (1920 at 200 %), where a column of captions
// still reads.
constexpr QSize kNarrowest(200, 240);

// Asks for its whole form, where a plain scroll area asks for a fraction of the font's size.
class FormScrollArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        return widget() ? widget()->size() : QScrollArea::sizeHint();
    }
};

// The frame of a window as the platform draws it, or an allowance for a title bar and borders
// while the platform has not told their size.
QMargins frameOf(const QWidget* window) {
    QMargins frame;
    if (const QWindow* handle = window->windowHandle()) frame = handle->frameMargins();
    if (frame.isNull() && !window->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        const int line = window->fontMetrics().height();
        frame = QMargins(4, 2 * line + 4, 4, 4);
    }
    return frame;
}

// Puts the frame's corner of `window` at `corner`, said as such: a window's position may otherwise
// be taken as its client area's once the window is mapped. Once the frame is known, the client
// area's corner within it: a window manager may keep a frame where a first, estimated corner put
// it. False where the window has no platform window yet.
bool moveFrame(QWindow* handle, QPoint corner) {
    if (!handle) return false;
    const QMargins frame = handle->frameMargins();
    if (frame.isNull())
        handle->setFramePosition(corner);
    else
        handle->setPosition(corner + QPoint(frame.left(), frame.top()));
    return true;
}

// Sizes its window to the screen: at once, when the window is first shown (its frame may be
// known then) and whenever it moves to another screen.
class ScreenFit : public QObject {
  public:
    ScreenFit(QWidget* window, QSize size, bool fixed)
        : QObject(window), window_(window), size_(size), fixed_(fixed) {
        window->installEventFilter(this);
        apply();
    }

    // Opens the window beside `anchor` when it is first shown, once its size is settled.
    void openBeside(const QWidget* anchor) { anchor_ = anchor; }

    void refit() {
        // The scroll area asks for its form's new size.
        for (QScrollArea* area : window_->findChildren<QScrollArea*>()) area->updateGeometry();
        const int width = window_->width();
        apply();
        if (!window_->isVisible()) return;
        // A window narrowed to stand beside another keeps its width.
        if (narrowed_ && width < window_->width()) {
            window_->setMinimumWidth(std::min(window_->minimumWidth(), width));
            window_->resize(width, window_->height());
        }
        // A window that grew past an edge of the screen moves back as far as it must.
        const QRect area = window_->screen()->availableGeometry();
        const QRect outer(window_->frameGeometry().topLeft(),
                          window_->size().grownBy(frameOf(window_)));
        const QPoint corner(
            std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width())),
            std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height())));
        if (corner != outer.topLeft()) moveFrame(window_->windowHandle(), corner);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_) return false;
        if ((event->type() == QEvent::Show && !shown_) ||
            event->type() == QEvent::ScreenChangeInternal) {
            const bool first = event->type() == QEvent::Show;
            shown_ = true;
            apply();
            if (first && anchor_ && anchor_->isVisible()) {
                placeBeside();
                // The frame was an allowance: placed again once the window manager tells it.
                frameEstimated_ = !frameKnown();
            }
        } else if (frameEstimated_ && frameKnown() &&
                   (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                    event->type() == QEvent::Expose || event->type() == QEvent::WindowActivate)) {
            frameEstimated_ = false;
            if (anchor_ && anchor_->isVisible()) {
                apply();
                placeBeside();
            }
        }
        return false;
    }

  private:
    bool frameKnown() const {
        const QWindow* handle = window_->windowHandle();
        return handle && !handle->frameMargins().isNull();
    }

    // Beside the anchor, narrowed where only so it covers none of it; a window that cannot
    // scroll keeps its size.
    void placeBeside() {
        const QMargins frame = frameOf(window_);
        const QSize outer = window_->size().grownBy(frame);
        const bool scrolls = !fixed_ || window_->findChild<QScrollArea*>() != nullptr;
        const QSize smallest = scrolls ? kNarrowest.grownBy(frame) : outer;
        const QRect available = anchor_->screen()->availableGeometry();
        QRect anchor = anchor_->frameGeometry();
        // The main window steps aside where that makes room for the window beside it.
        if (const int shift = anchorShift(available, anchor, outer)) {
            anchor.translate(shift, 0);
            moveFrame(anchor_->windowHandle(), anchor.topLeft());
        }
        const QRect place = besideFrame(available, anchor, outer, smallest);
        narrowed_ = place.width() < outer.width();
        if (place.size() != outer) {
            const QSize inner = place.size().shrunkBy(frame);
            window_->setMinimumSize(kNarrowest.boundedTo(inner));
            window_->resize(inner);
        }
        if (!moveFrame(window_->windowHandle(), place.topLeft())) window_->move(place.topLeft());
    }

    void apply() {
        const QSize room = roomOnScreen(window_);
        if (!fixed_) {
            window_->resize(size_.boundedTo(room));
            return;
        }
        const QSize whole = window_->sizeHint();
        if (whole.width() <= room.width() && whole.height() <= room.height()) {
            window_->setFixedSize(whole);
            return;
        }
        // A scroll bar takes its width from the other direction: that one grows by it while the
        // screen has room, so that only the direction that does not fit scrolls.
        const int bar = window_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window_);
        QSize size = whole;
        for (int pass = 0; pass < 2; ++pass) {
            if (size.height() > room.height() && size.width() == whole.width())
                size.rwidth() += bar;
            if (size.width() > room.width() && size.height() == whole.height())
                size.rheight() += bar;
        }
        window_->setMinimumSize(QSize(320, 240).boundedTo(room));
        window_->setMaximumSize(size);
        window_->resize(size.boundedTo(room));
    }

    QWidget* window_;
    QSize size_;  // of a resizable window
    bool fixed_;
    bool shown_ = false;
    bool frameEstimated_ = false;  // placed with an allowance for the frame
    bool narrowed_ = false;        // placed narrower than it asks, beside another window
    QPointer<const QWidget> anchor_;
};

}  // namespace

QScrollArea* formScrollArea(QWidget* form, QWidget* parent) {
    auto* area = new FormScrollArea(parent);
    area->setObjectName("scrollArea");
    area->setFrameShape(QFrame::NoFrame);
    area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Not a stop of the Tab key: the controls keep their order, and the area scrolls to the one
    // that takes the focus.
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(form);
    return area;
}

QWidget* moveIntoScrollArea(QWidget* window, QSize formSize) {
    const auto controls = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    auto* form = new QWidget;
    form->setObjectName("client");
    form->setFixedSize(formSize);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(formScrollArea(form, window));
    // Moved within the one window, so that the order of the Tab key stays as the controls were
    // made.
    for (QWidget* c : controls) c->setParent(form);
    return form;
}

void fitFixedToScreen(QWidget* window) {
    new ScreenFit(window, {}, true);
}

void refitToScreen(QWidget* window) {
    for (QObject* c : window->children())
        if (auto* fit = dynamic_cast<ScreenFit*>(c)) fit->refit();
}

void fitResizableToScreen(QWidget* window, QSize size) {
    new ScreenFit(window, size, false);
}

QSize roomOnScreen(const QWidget* window) {
    const QMargins frame = frameOf(window);
    return window->screen()->availableGeometry().size() -
           QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

namespace {

// The widths a window may take to the right and to the left of the anchor in the area.
struct RoomBeside {
    int right, left;
};
RoomBeside roomBeside(const QRect& available, const QRect& anchor) {
    return {available.right() - anchor.right() - kGap, anchor.left() - available.left() - kGap};
}

}  // namespace

int anchorShift(const QRect& available, const QRect& anchor, QSize size) {
    const auto [roomRight, roomLeft] = roomBeside(available, anchor);
    if (size.width() <= roomRight || size.width() <= roomLeft) return 0;
    if (roomRight >= roomLeft)
        return -std::clamp(size.width() - roomRight, 0, std::max(roomLeft, 0));
    return std::clamp(size.width() - roomLeft, 0, std::max(roomRight, 0));
}

QPoint besidePosition(const QRect& available, const QRect& anchor, QSize size) {
    const auto [roomRight, roomLeft] = roomBeside(available, anchor);
    int x;
    if (size.width() <= roomRight)
        x = anchor.right() + 1 + kGap;
    else if (size.width() <= roomLeft)
        x = anchor.left() - kGap - size.width();
    else if (roomRight >= roomLeft)
        x = available.right() + 1 - size.width();
    else
        x = available.left();
    const int y = std::min(anchor.top(), available.bottom() + 1 - size.height());
    return {std::max(x, available.left()), std::max(y, available.top())};
}

QRect besideFrame(const QRect& available, const QRect& anchor, QSize size, QSize minimum) {
    const auto [roomRight, roomLeft] = roomBeside(available, anchor);
    const int room = std::max(roomRight, roomLeft);
    QSize fitted = size.boundedTo(available.size());
    // Two pixels spare: at a fractional scale the position rounds to the device's pixels.
    if (size.width() > roomRight && size.width() > roomLeft && room - 2 >= minimum.width())
        fitted.setWidth(room - 2);
    fitted = fitted.expandedTo(minimum.boundedTo(available.size()));
    return {besidePosition(available, anchor, fitted), fitted};
}

void openBeside(QWidget* window, const QWidget* anchor) {
    ScreenFit* fit = nullptr;
    for (QObject* c : window->children())
        if (auto* f = dynamic_cast<ScreenFit*>(c)) fit = f;
    // A window not yet fitted to the screen is fitted at the size it has.
    if (!fit) fit = new ScreenFit(window, window->size(), false);
    fit->openBeside(anchor);
}

}  // namespace zano
