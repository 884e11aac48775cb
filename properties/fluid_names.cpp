#include "properties/fluid_names.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <set>
#include <system_error>

#include "base/plain_text.h"

namespace zano {

bool isFluidName(std::string_view name) {
    return std::find(std::begin(kFluidNames), std::end(kFluidNames), name) != std::end(kFluidNames);
}

bool isTableName(std::string_view name) {
    if (name.empty() || name.size() > 100 || name.front() == '.' || name == "condmat" ||
        name == "pipes")
        return false;
    for (std::size_t i = 0; i < name.size();) {
        const auto c = nextUtf8(name, i);
        if (!c || *c < 0x20 || *c == 0x7F || *c == '/' || *c == '\\' || *c == ':') return false;
    }
    return true;
}

std::string ownTableNameRefusal(std::string_view name, const std::filesystem::path& dataDir) {
    if (!isTableName(name))
        return name == "condmat" ? "\"condmat\" is the name of the wall material table"
               : name == "pipes" ? "\"pipes\" is the name of the pipe catalogue"
                                 : "a name is 1 to 100 bytes of text without / \\ : or a control "
                                   "character, and does not start with a dot";
    const auto lower = [](std::string_view s) {
        std::string out(s);
        for (char& c : out)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return out;
    };
    for (const char* fluid : kFluidNames)
        if (lower(fluid) == lower(name))
            return "\"" + std::string(fluid) + "\" is one of the fluids of the lists";
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dataDir, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::path& p = it->path();
        if (p.extension() == ".dat" && lower(p.stem().string()) == lower(name))
            return "a table \"" + p.stem().string() + "\" comes with ZANO";
    }
    return {};
}

std::vector<std::string> offeredFluids(const std::vector<std::filesystem::path>& folders) {
    std::vector<std::string> names(std::begin(kFluidNames), std::end(kFluidNames));
    std::set<std::string> others;
    for (const auto& folder : folders) {
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
             it.increment(ec)) {
            const std::filesystem::path& p = it->path();
            if (p.extension() != ".dat" || !it->is_regular_file(ec)) continue;
            const std::string name = p.stem().string();
            if (isTableName(name) && !isFluidName(name)) others.insert(name);
        }
    }
    for (const char* further : kFurtherFluidNames)
        if (others.erase(further) != 0) names.emplace_back(further);
    names.insert(names.end(), others.begin(), others.end());
    return names;
}

std::filesystem::path userDataDir() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "ZANO" / "data";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "ZANO" / "data";
    return {};
}

bool isGas(std::string_view name) {
    return name == "Air" || name == "Nitrogen" || name.ends_with(" s.h. vapor");
}

}  // namespace zano
