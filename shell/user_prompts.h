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

// When set, answers each question instead of a modal box: true for Yes.
std::function<bool(const MessageRequest&)>& questionHook();

// The answers to "Save changes to <case>?", asked before New, Open or closing would lose edits.
enum class SaveChoice { Save, Discard, Cancel };

// When set, answers each "Save changes" question instead of a modal box.
std::function<SaveChoice(const MessageRequest&)>& saveChangesHook();

// "Save changes to <caseName>?" with Save, Discard and Cancel; Save the default, Escape Cancel.
SaveChoice askSaveChanges(QWidget* parent, const QString& caseName);

// A question with Yes and No, No the default; true for Yes.
bool askYesNo(QWidget* parent, const QString& text, const QString& informative = {});

// The modal box for a message: its icon, title, texts and one OK button.
QMessageBox* makeMessageBox(QWidget* parent, const MessageRequest& m);

void showMessage(QWidget* parent, const MessageRequest& m);

// The system's messages: exclamation icon, the application's title. The informative text, a
// cause that the calculation or a file operation words in lower case, is shown as a sentence.
void warn(QWidget* parent, const QString& text, const QString& informative = {});

// A cause as a sentence: its first letter a capital, a full stop at its end.
QString asSentence(const QString& cause);

// Open or save dialog for case files ("*.zan"), offering `initialName`; empty on Cancel. Save
// adds ".zan" to a name without an extension and asks before it replaces an existing file (No
// brings the dialog back).
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

// Save dialog offering `filters`: the name with the chosen filter's suffix added; an existing
// file of that name is replaced only after a question (No brings the dialog back).
SaveAnswer askSaveFileName(QWidget* parent, const QString& title, const QStringList& filters,
                           const QString& initialName);

// When set, answers each open dialog of files other than cases (a fluid table to import)
// instead of QFileDialog; an empty name is Cancel.
std::function<QString(const QString& title, const QStringList& filters)>& openFileHook();

// Open dialog offering `filters`; empty on Cancel.
QString askOpenFileName(QWidget* parent, const QString& title, const QStringList& filters);

// When set, answers each question for a name (the name an imported table is saved under)
// instead of QInputDialog; an empty answer is Cancel.
std::function<QString(const QString& label, const QString& initial)>& nameHook();

// A box asking for a name, `initial` offered and selected; the answer without blanks around it,
// empty on Cancel.
QString askName(QWidget* parent, const QString& title, const QString& label,
                const QString& initial);

// The suffix of a filter's first pattern ("csv" for "CSV file (*.csv)"); empty when it has none.
QString filterSuffix(const QString& filter);

// The name with the filter's suffix added when it does not already end with it.
QString withFilterSuffix(const QString& name, const QString& filter);

}  // namespace zano
