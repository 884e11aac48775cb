#pragma once

#include <QString>
#include <QWidget>

#include "core/results_data.h"

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
};
