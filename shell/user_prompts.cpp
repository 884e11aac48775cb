#include "shell/user_prompts.h"

#include <QFileDialog>
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
    showMessage(parent, {QMessageBox::Warning, QString::fromLatin1(kAppTitle), text, informative});
}

QString askCaseFileName(QWidget* parent, bool save, const QString& initialName) {
    if (fileNameHook()) return fileNameHook()(save, initialName);
    const QString filter = QStringLiteral("*.zan (*.zan)");
    // The platform's titles; an existing file is replaced without asking, as case files are.
    return save ? QFileDialog::getSaveFileName(parent, {}, initialName, filter, nullptr,
                                               QFileDialog::DontConfirmOverwrite)
                : QFileDialog::getOpenFileName(parent, {}, initialName, filter);
}

std::function<SaveAnswer(const QString&, const QStringList&, const QString&)>& saveFileHook() {
    static std::function<SaveAnswer(const QString&, const QStringList&, const QString&)> hook;
    return hook;
}

SaveAnswer askSaveFileName(QWidget* parent, const QString& title, const QStringList& filters,
                           const QString& initialName) {
    if (saveFileHook()) return saveFileHook()(title, filters, initialName);
    SaveAnswer a;
    a.filter = filters.value(0);
    a.name =
        QFileDialog::getSaveFileName(parent, title, initialName, filters.join(";;"), &a.filter);
    return a;
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
