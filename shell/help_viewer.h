#pragma once

#include <QString>
#include <QWidget>

// The help viewer (Form4, "Using ZANO"): the manual "Using ZANO.pdf" from the application
// directory, loaded once when the window is created.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
};

// The About box's four lines joined by CR LF, the first "ZANO 1.0.2".
QString aboutText();
