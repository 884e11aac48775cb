#include "report/export_file.h"

#include <QFile>
#include <string_view>

#include "base/atomic_write.h"

namespace zano {

std::filesystem::path toPath(const QString& name) {
#ifdef _WIN32
    return std::filesystem::path(name.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(name).toStdString());
#endif
}

QString writeExportFile(const QString& name, const QByteArray& bytes) {
    // Qt's QSaveFile would replace a read-only file whenever the system allows it (always for
    // root), and keeps the rules apart from those of case files.
    const auto failure =
        writeFileAtomically(toPath(name), std::string_view(bytes.constData(), bytes.size()));
    return failure ? QString::fromStdString(writeFailureText(*failure)) : QString();
}

}  // namespace zano
