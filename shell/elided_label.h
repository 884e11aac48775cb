#pragma once

#include <QLabel>
#include <QPainter>
#include <QStyle>

// A one-line label that ends in "…" where its text is wider than the label, instead of being
// cut mid-letter at the window's edge; its text stays whole (the tooltip shows it).
namespace zano {

class ElidedLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect r = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
        style()->drawItemText(&painter, r, int(alignment()), palette(), isEnabled(), shown,
                              foregroundRole());
    }
};

}  // namespace zano
