#pragma once

// What the window tests share: file helpers, the deferred deletions of a frame close, and a
// message handler that drops the offscreen platform's notes.
#include <QCoreApplication>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace shell_test {

inline std::filesystem::path toPath(const QString& s) {
    return std::filesystem::path(s.toStdString());
}

inline std::string readAll(const std::filesystem::path& file) {
    std::ostringstream s;
    s << std::ifstream(file, std::ios::binary).rdbuf();
    return s.str();
}

// Runs the deletions that closing a window from its frame schedules.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The program's settings (the recent case files) go to `folder`, never to the user's own.
inline void useScratchSettings(const QString& folder) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}
// ... to a scratch folder that lasts as long as the test.
inline void useScratchSettings() {
    static QTemporaryDir folder;
    useScratchSettings(folder.path());
}

// The offscreen platform warns about every window operation it lacks (raise, size hints);
// those notes are dropped, every other message goes on to Qt Test's handler.
inline void installOffscreenFilter() {
    static QtMessageHandler next = nullptr;
    next =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& c, const QString& m) {
            if (!m.startsWith("This plugin does not support")) next(type, c, m);
        });
}

}  // namespace shell_test
