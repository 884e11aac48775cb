#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
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

// What a save dialog with a choice of file types returned: the name (empty on Cancel) and the
// filter chosen, e.g. "CSV file (*.csv)".
struct SaveAnswer {
    QString name;
    QString filter;
};

// When set, answers each save dialog of exports (results, profile charts) instead of
// QFileDialog.
std::function<SaveAnswer(const QString& title, const QStringList& filters,
                         const QString& initialName)>&
saveFileHook();

// Save dialog offering `filters`; an existing file is replaced only after the platform asks.
SaveAnswer askSaveFileName(QWidget* parent, const QString& title, const QStringList& filters,
                           const QString& initialName);

// The suffix of a filter's first pattern ("csv" for "CSV file (*.csv)"); empty when it has none.
QString filterSuffix(const QString& filter);

// The name with the filter's suffix added when it does not already end with it.
QString withFilterSuffix(const QString& name, const QString& filter);

}  // namespace zano
