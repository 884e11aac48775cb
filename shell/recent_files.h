#pragma once

#include <QString>
#include <QStringList>

// The case files opened or saved last, newest first, kept in the user's settings so that the
// next session offers them again.
namespace zano {

inline constexpr int kMaxRecentFiles = 8;

QStringList recentFiles();
// Puts the file first, once, and keeps the newest kMaxRecentFiles.
void addRecentFile(const QString& file);
void removeRecentFile(const QString& file);
void clearRecentFiles();

}  // namespace zano
