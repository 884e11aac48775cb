#include "shell/recent_files.h"

#include <QFileInfo>
#include <QSettings>
#include <memory>

namespace zano {
namespace {

const QString kKey = QStringLiteral("recentFiles");

// An INI file in the user's configuration folder (~/.config/ZANO/ZANO.ini), opened afresh each
// time: another instance's changes are seen, and the folder set for tests is always used.
std::unique_ptr<QSettings> settings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "ZANO", "ZANO");
}

void store(QStringList files) {
    while (files.size() > kMaxRecentFiles) files.removeLast();
    settings()->setValue(kKey, files);
}

}  // namespace

QStringList recentFiles() {
    QStringList files = settings()->value(kKey).toStringList();
    files.removeAll(QString());
    while (files.size() > kMaxRecentFiles) files.removeLast();
    return files;
}

void addRecentFile(const QString& file) {
    const QString path = QFileInfo(file).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    store(files);
}

void removeRecentFile(const QString& file) {
    QStringList files = recentFiles();
    files.removeAll(file);
    store(files);
}

void clearRecentFiles() {
    store({});
}

}  // namespace zano
