#pragma once

#include <QString>
#include <filesystem>
#include <optional>

class QWidget;

namespace zano {

// Where an imported table goes: the fluid "User defined" where it is saved (beside the shipped
// tables, or in the user's folder where those cannot be written), or a fluid of the user's own,
// under the name they chose, in their own folder.
struct TableTarget {
    QString name;
    std::filesystem::path file;
    bool inUserDir = false;  // the folder is the user's, made on first use
};

// Asks the name a table read and checked is saved under, "User defined" offered: keeping it
// replaces that fluid's table as before (see userFluidPlace), another name saves a fluid of the
// user's own in userDir (created on first use), so that they can keep several. A name that cannot
// be one is told and asked again, and so is one whose table the user would not replace. nullopt on
// Cancel. `read` says what the table holds ("20 to 100 °C, 3 rows"), so that the user names
// what they see.
std::optional<TableTarget> askTableTarget(QWidget* parent, const std::filesystem::path& dataDir,
                                          const std::filesystem::path& userDir,
                                          const QString& read);

}  // namespace zano
