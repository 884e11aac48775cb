#pragma once

#include <QByteArray>
#include <QString>
#include <filesystem>

// Files the windows write besides case files: the exported results, the profile chart and the
// report as PDF.
namespace zano {

// The name as the system's path, whatever its characters.
std::filesystem::path toPath(const QString& name);

// Puts the bytes in place through the program's one save: whole or not at all, a symbolic link
// followed, the permission bits kept, a read-only file refused. Empty when the file is written;
// otherwise the cause, a sentence for the message's secondary text.
QString writeExportFile(const QString& name, const QByteArray& bytes);

}  // namespace zano
