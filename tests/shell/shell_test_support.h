#pragma once

// What the window tests share: file helpers, the deferred deletions of a frame close, and a
// message handler that drops the offscreen platform's notes.
#include <QCoreApplication>
#include <QString>
#include <QtGlobal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace shell_test {

inline std::filesystem::path toPath(const QString& s) {
    return std::filesystem::path(s.toStdString());
}

inline std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeAll(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

// Runs the deletions that closing a window from its frame schedules.
inline void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The offscreen platform warns about every window operation it lacks (raise, size hints);
// those notes are dropped, every other message goes on to Qt Test's handler.
inline QtMessageHandler& qtTestHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}
inline void dropOffscreenNotes(QtMsgType type, const QMessageLogContext& context,
                               const QString& msg) {
    if (msg.startsWith("This plugin does not support")) return;
    qtTestHandler()(type, context, msg);
}
inline void installOffscreenFilter() {
    qtTestHandler() = qInstallMessageHandler(dropOffscreenNotes);
}

}  // namespace shell_test
