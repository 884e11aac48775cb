#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "core/results_data.h"
#include "shell/twip_layout.h"

class QCloseEvent;

// The results window (Form3): the last calculation's results, one box per quantity.
class ResultsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ResultsWindow(QWidget* parent = nullptr);

    // Writes all 28 boxes from the record, each with its own conversion, then shows the window
    // without blocking.
    void Risultati(const zano::ResultsData& r);

    // The text a box shows ("Text1" ... "Text28"); empty before the first results.
    QString boxText(const QString& boxName) const;

    // The factor by which the twip layout was enlarged so that every caption and box fits the
    // current font (1 when the layout fits as drawn).
    double layoutScale() const { return scale_; }

  protected:
    // Closing from the frame discards the window with its contents; "Close" only hides it.
    void closeEvent(QCloseEvent* event) override;

  private:
    void place(QWidget* w, int left, int top, int width, int height);
    double scaleForContents() const;

    std::vector<zano::TwipPlace> places_;
    double scale_ = 1.0;
};
