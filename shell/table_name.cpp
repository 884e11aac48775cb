#include "shell/table_name.h"

#include <system_error>

#include "base/plain_text.h"
#include "formats/case_file.h"
#include "properties/fluid_names.h"
#include "properties/table_import.h"
#include "properties/user_fluid.h"
#include "shell/user_prompts.h"

namespace zano {

std::optional<TableTarget> askTableTarget(QWidget* parent, const std::filesystem::path& dataDir,
                                          const std::filesystem::path& userDir,
                                          const QString& read) {
    const QString userFluid = QString::fromLatin1(kUserFluidName);
    // Each turn is the user's: the questions end with a name taken or with Cancel.
    for (QString offered = userFluid;;) {
        const QString name = askName(parent, "Import table",
                                     "Read " + read + ".\nSave the table as the fluid:", offered);
        if (name.isEmpty()) return std::nullopt;  // Cancel
        if (name == userFluid) {
            const UserFluidPlace place = userFluidPlace(dataDir, userDir);
            return TableTarget{name, place.file, place.inUserDir};
        }
        offered = name;
        const std::string text = name.toStdString();
        const auto refused = [&](const std::string& why) {
            warn(parent,
                 "The table cannot be saved as \"" + QString::fromStdString(excerpt(text)) + "\".",
                 QString::fromStdString(why));
        };
        if (const std::string why = ownTableNameRefusal(text, dataDir); !why.empty()) {
            refused(why);
            continue;
        }
        // The fluid's name is stored in the case files that use it.
        if (const std::string why = caseTextRefusal(text); !why.empty()) {
            refused("the name " + why);
            continue;
        }
        if (userDir.empty()) {
            refused(
                "there is no folder for your own tables: neither XDG_DATA_HOME nor HOME is "
                "set");
            continue;
        }
        const auto file = ownTableFile(userDir, text);
        std::error_code ec;
        if (std::filesystem::exists(file, ec) &&
            !askYesNo(parent, "The table \"" + name + "\" already exists. Replace it?"))
            continue;
        return TableTarget{name, file, true};
    }
}

}  // namespace zano
