#pragma once

#include <QChar>
#include <QObject>
#include <QString>

// The key filter of the main window's numeric boxes.
namespace zano {

// filtroTasti: what a numeric box takes when `key` is typed into its `text` at `position`.
// Digits and Backspace pass; "." and "," become "," unless the text already holds a ","; a
// box of a signed quantity (temperatures) also takes "-" as the first character of a text
// without one. Everything else gives QChar(), which discards the key.
QChar filtroTasti(QChar key, const QString& text, qsizetype position = 0, bool signAllowed = false);

// Passes every key typed into the QLineEdit it is installed on through filtroTasti; keys that
// type no character (arrows, Home, Delete, Tab) pass untouched.
class NumericKeyFilter : public QObject {
    Q_OBJECT
  public:
    explicit NumericKeyFilter(bool signAllowed, QObject* parent = nullptr)
        : QObject(parent), signAllowed_(signAllowed) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool signAllowed_;
};

}  // namespace zano
