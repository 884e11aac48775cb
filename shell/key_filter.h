#pragma once

#include <QChar>
#include <QObject>
#include <QString>

class QAction;
class QLineEdit;
class QMenu;

// The key filter of the main window's numeric boxes.
namespace zano {

// filtroTasti: what a numeric box takes when `key` is typed into its `text` at `position`.
// Digits and Backspace pass; "." and "," become the decimal separator the user chose (a comma
// unless they chose a point) unless the text already holds one; a box of a signed quantity
// (temperatures) also takes "-" as the first character of a text without one. Everything else
// gives QChar(), which discards the key.
QChar filtroTasti(QChar key, const QString& text, qsizetype position = 0, bool signAllowed = false,
                  QChar separator = u',');

// Why filtroTasti discards a typed character, for the status line: "a number holds one decimal
// comma, and this box has one already"; empty for a character it takes.
QString refusalOfKey(QChar key, const QString& text, qsizetype position, bool signAllowed,
                     QChar separator = u',');

// What a box takes of `text` put into it other than by typing (pasted, dropped): each character
// as if typed in turn at the cursor, replacing the selection; Backspace and the other control
// characters are discarded.
QString filteredInsertion(const QString& text, const QString& boxText, qsizetype selectionStart,
                          qsizetype selectionLength, bool signAllowed, QChar separator = u',');

// The Paste entry of a line edit's standard context menu; nullptr when it has none (read-only).
QAction* pasteAction(const QMenu* menu);

// Passes every key typed into the QLineEdit it is installed on through filtroTasti, with the
// decimal separator of the user's units as it stands when the key is typed; keys that
// type no character (arrows, Home, Delete, Tab) and the editing shortcuts (copy, cut, select
// all, undo, redo) pass untouched. Text that arrives otherwise (paste by keyboard, by the
// context menu or by the middle button, a drop, an input method) is filtered character by
// character by the same rule.
class NumericKeyFilter : public QObject {
    Q_OBJECT
  public:
    explicit NumericKeyFilter(bool signAllowed, QObject* parent = nullptr)
        : QObject(parent), signAllowed_(signAllowed) {}

  signals:
    // A typed character was discarded, for the reason given (refusalOfKey).
    void keyRefused(const QString& why);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Inserts what the box takes of `text` at its cursor, replacing its selection, as one step
    // that Undo takes back.
    void insertFiltered(QLineEdit* box, const QString& text) const;
    // The same at the point `at` of the box, the selection dropped first.
    void insertFilteredAt(QLineEdit* box, QPoint at, const QString& text) const;
    void pasteInto(QLineEdit* box) const;
    static QChar separator();  // the user's decimal separator

    bool signAllowed_;
};

}  // namespace zano
