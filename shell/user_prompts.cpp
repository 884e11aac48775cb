#include "shell/user_prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <memory>

namespace zano {

std::function<void(const MessageRequest&)>& messageHook() {
    static std::function<void(const MessageRequest&)> hook;
    return hook;
}

std::function<QString(bool, const QString&)>& fileNameHook() {
    static std::function<QString(bool, const QString&)> hook;
    return hook;
}

std::function<bool(const MessageRequest&)>& questionHook() {
    static std::function<bool(const MessageRequest&)> hook;
    return hook;
}

bool askYesNo(QWidget* parent, const QString& text, const QString& informative) {
    const MessageRequest m{QMessageBox::Question, QString::fromLatin1(kAppTitle), text,
                           informative};
    if (questionHook()) return questionHook()(m);
    std::unique_ptr<QMessageBox> box(makeMessageBox(parent, m));
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::No);
    return box->exec() == QMessageBox::Yes;
}

std::function<SaveChoice(const MessageRequest&)>& saveChangesHook() {
    static std::function<SaveChoice(const MessageRequest&)> hook;
    return hook;
}

SaveChoice askSaveChanges(QWidget* parent, const QString& caseName) {
    const MessageRequest m{QMessageBox::Warning, QString::fromLatin1(kAppTitle),
                           "Save changes to " + caseName + "?",
                           "Your changes will be lost if you don't save them."};
    if (saveChangesHook()) return saveChangesHook()(m);
    std::unique_ptr<QMessageBox> box(makeMessageBox(parent, m));
    box->setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Save);
    box->setEscapeButton(QMessageBox::Cancel);
    switch (box->exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:  // Cancel, Escape, or the box closed from its frame
            return SaveChoice::Cancel;
    }
}

namespace {

// Asked before a save puts a new file in the place of an existing one.
bool mayReplace(QWidget* parent, const QString& name) {
    if (!QFileInfo::exists(name)) return true;
    return askYesNo(parent,
                    "\"" + QDir::toNativeSeparators(name) + "\" already exists. Replace it?");
}

}  // namespace

QMessageBox* makeMessageBox(QWidget* parent, const MessageRequest& m) {
    auto* box = new QMessageBox(m.icon, m.title, m.text, QMessageBox::Ok, parent);
    box->setInformativeText(m.informative);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

void showMessage(QWidget* parent, const MessageRequest& m) {
    if (messageHook()) {
        messageHook()(m);
        return;
    }
    std::unique_ptr<QMessageBox> box(makeMessageBox(parent, m));
    box->exec();
}

void warn(QWidget* parent, const QString& text, const QString& informative) {
    showMessage(parent, {QMessageBox::Warning, QString::fromLatin1(kAppTitle), text,
                         asSentence(informative)});
}

QString asSentence(const QString& cause) {
    QString s = cause.trimmed();
    if (s.isEmpty()) return s;
    s[0] = s[0].toUpper();
    if (!s.endsWith('.') && !s.endsWith('!') && !s.endsWith('?')) s += '.';
    return s;
}

QString askCaseFileName(QWidget* parent, bool save, const QString& initialName) {
    const QString filter = QStringLiteral("*.zan (*.zan)");
    const auto ask = [&](const QString& offered) {
        if (fileNameHook()) return fileNameHook()(save, offered);
        // The platform's titles; the question before replacing a file is asked below, about the
        // name with its extension.
        return save ? QFileDialog::getSaveFileName(parent, {}, offered, filter, nullptr,
                                                   QFileDialog::DontConfirmOverwrite)
                    : QFileDialog::getOpenFileName(parent, {}, offered, filter);
    };
    if (!save) return ask(initialName);
    for (QString name = initialName;;) {
        name = ask(name);
        if (name.isEmpty()) return name;  // Cancel
        if (QFileInfo(name).suffix().isEmpty()) name = withFilterSuffix(name, filter);
        if (mayReplace(parent, name)) return name;
    }
}

std::function<SaveAnswer(const QString&, const QStringList&, const QString&)>& saveFileHook() {
    static std::function<SaveAnswer(const QString&, const QStringList&, const QString&)> hook;
    return hook;
}

SaveAnswer askSaveFileName(QWidget* parent, const QString& title, const QStringList& filters,
                           const QString& initialName) {
    for (QString offered = initialName;;) {
        SaveAnswer a;
        if (saveFileHook()) {
            a = saveFileHook()(title, filters, offered);
        } else {
            a.filter = filters.value(0);
            a.name = QFileDialog::getSaveFileName(parent, title, offered, filters.join(";;"),
                                                  &a.filter, QFileDialog::DontConfirmOverwrite);
        }
        if (a.name.isEmpty()) return a;  // Cancel
        a.name = withFilterSuffix(a.name, a.filter);
        if (mayReplace(parent, a.name)) return a;
        offered = a.name;
    }
}

std::function<QString(const QString&, const QStringList&)>& openFileHook() {
    static std::function<QString(const QString&, const QStringList&)> hook;
    return hook;
}

QString askOpenFileName(QWidget* parent, const QString& title, const QStringList& filters) {
    if (openFileHook()) return openFileHook()(title, filters);
    return QFileDialog::getOpenFileName(parent, title, {}, filters.join(";;"));
}

std::function<QString(const QString&, const QString&)>& nameHook() {
    static std::function<QString(const QString&, const QString&)> hook;
    return hook;
}

QString askName(QWidget* parent, const QString& title, const QString& label,
                const QString& initial) {
    if (nameHook()) return nameHook()(label, initial).trimmed();
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(initial);
    // Wide enough for a long name (a supplier's product and its sheet) to be read whole; the
    // dialog takes its width from its box.
    if (auto* box = dialog.findChild<QLineEdit*>())
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 72);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue().trimmed() : QString();
}

QString filterSuffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch m = pattern.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString withFilterSuffix(const QString& name, const QString& filter) {
    const QString suffix = filterSuffix(filter);
    if (suffix.isEmpty() || name.endsWith('.' + suffix, Qt::CaseInsensitive)) return name;
    return name + '.' + suffix;
}

}  // namespace zano
