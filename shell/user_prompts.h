#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// Every message box and case-file dialog of the windows passes through here, so that a test
// can answer them without a modal loop.
namespace zano {

// The title of the windows' message boxes.
inline constexpr const char* kAppTitle = "ZANO";

struct MessageRequest {
    QMessageBox::Icon icon = QMessageBox::Warning;
    QString title;
    QString text;
    QString informative;  // secondary text, e.g. the cause of "Invalid data"
};

// When set, receives each message instead of a modal box.
std::function<void(const MessageRequest&)>& messageHook();

// When set, answers each case-file dialog instead of QFileDialog; an empty name is Cancel.
std::function<QString(bool save, const QString& initialName)>& fileNameHook();

// The modal box for a message: its icon, title, texts and one OK button.
QMessageBox* makeMessageBox(QWidget* parent, const MessageRequest& m);

void showMessage(QWidget* parent, const MessageRequest& m);

// The system's messages: exclamation icon, the application's title.
void warn(QWidget* parent, const QString& text, const QString& informative = {});

// Open or save dialog for case files ("*.zan"), offering `initialName`; empty on Cancel.
QString askCaseFileName(QWidget* parent, bool save, const QString& initialName);

}  // namespace zano
