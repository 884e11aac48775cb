#pragma once

#include <QString>
#include <QWidget>

class QPdfDocument;
class QPdfView;

// The help viewer (Form4, "Using ZANO"): the manual "Using ZANO.pdf" from the application
// directory, loaded once when the window is created.
class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* parent = nullptr);
    // A viewer of another file; a missing or unreadable file leaves the view blank.
    explicit HelpViewer(const QString& manualPath, QWidget* parent = nullptr);

    // The application directory followed by "Using ZANO.pdf".
    static QString manualPath();

    QPdfDocument* document() const { return document_; }

  private:
    QPdfDocument* document_;
    QPdfView* view_;
};

// The About box's lines joined by CR LF, the first "ZANO 1.0.2"; the program has no web page
// to name.
QString aboutText();
