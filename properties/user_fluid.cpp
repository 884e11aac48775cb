#include "properties/user_fluid.h"

#include <cmath>
#include <optional>

#include "base/atomic_write.h"
#include "base/errors.h"
#include "base/number_text.h"
#include "base/plain_text.h"
#include "properties/data_file_reader.h"
#include "properties/fluid_table.h"
#include "properties/property_bounds.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zano {
namespace {

// The three temperatures span every fluid a user is likely to define, liquid or gas.
constexpr float kTemperatures[] = {-100.0f, 0.0f, 300.0f};

// The value of a property text: a positive number within what a fluid can have of `property`,
// `what` naming the box. Bounded as typed, before the rounding to `value`'s precision: the
// single nearest to a bound (0,01) may lie just outside it, and one beyond a single is a
// magnitude like any other.
template <typename T>
T positive(const std::optional<T>& value, const std::string& text, const char* what,
           FluidProperty property) {
    const std::optional<double> typed = parseDouble(text);
    if (!(typed && std::isfinite(*typed) && *typed > 0)) {
        if (isBlankText(text)) throw UserFluidError(std::string("The ") + what + " is empty.");
        throw UserFluidError(std::string("The ") + what + " \"" + excerpt(text) +
                             "\" is not a positive number.");
    }
    std::string why = propertyBoundRefusal(property, *typed, ',');
    if (why.empty() && value) return *value;
    // "the specific heat 4200 kJ/(kg K) lies outside ...", with the box's own name.
    const std::string bound = std::string("the ") + propertyBound(property).name;
    if (why.starts_with(bound)) why.replace(0, bound.size(), std::string("The ") + what);
    if (why.empty()) why = std::string("The ") + what + " \"" + excerpt(text) + "\" is no number";
    throw UserFluidError(why + ".");
}

// The file-system fault in the words of the message.
std::string failureClause(const WriteFailure& failure) {
    switch (failure.stage) {
        case WriteFailure::ReadOnly:
            return "it is read-only";
        case WriteFailure::NoTemporaryName:
            return "no free name for a temporary file was found beside it";
        case WriteFailure::Create:
            return failure.reason.empty() ? "it cannot be created" : failure.reason;
        case WriteFailure::Write:
        case WriteFailure::Close:
            return "writing failed";
        case WriteFailure::NotAFile:
            return "it is " + failure.reason + ", not a file";
        case WriteFailure::NoReader:
            return "it is a pipe that no program reads from";
        case WriteFailure::Replace:
            break;
    }
    return failure.reason;
}

}  // namespace

UserFluid userFluidFromTexts(const std::string& dens, const std::string& cp,
                             const std::string& cond, const std::string& visc) {
    UserFluid f;
    f.dens = positive(parseSingle(dens), dens, "density", FluidProperty::Density);
    f.cp = positive(parseSingle(cp), cp, "specific heat (Cp)", FluidProperty::SpecificHeat);
    f.cond = positive(parseSingle(cond), cond, "conductivity", FluidProperty::Conductivity);
    f.visc = positive(parseDouble(visc), visc, "viscosity", FluidProperty::Viscosity);
    return f;
}

std::string userFluidText(const UserFluid& f) {
    std::string text;
    for (float t : kTemperatures) {
        // The enthalpy is a single product, as the table stores it.
        const float h = sgl(static_cast<double>(f.cp) * t, "the enthalpy of the user fluid");
        text += formatSingle(t, '.') + ",1," + formatSingle(f.dens, '.') + ',' +
                formatSingle(f.cp, '.') + ',' + formatSingle(f.cond, '.') + ',' +
                formatDouble(f.visc, '.') + ',' + formatSingle(h, '.') + '\n';
    }
    return text;
}

void writeUserFluid(const std::filesystem::path& file, const UserFluid& f) {
    const auto fail = [&](const std::string& why) {
        throw UserFluidError("Cannot save the user fluid to \"" + pathText(file) + "\": " + why +
                             ".");
    };
    std::string text;
    try {
        text = userFluidText(f);
    } catch (const CalcError& e) {
        fail(e.detail());
    }
    const auto failure = writeFileAtomically(file, text);
    if (!failure) return;
    fail(failureClause(*failure));
}

UserFluidRecord readUserFluidRecord(const std::filesystem::path& file) {
    try {
        DataFileReader reader(file);
        float v[7];
        DataField field;
        for (float& x : v) {
            if (!reader.next(field)) reader.failFile("holds less than one record");
            x = reader.single(field);
        }
        return {v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
    } catch (const CalcError& e) {
        throw UserFluidError("The user fluid cannot be read: " + e.detail() + ".");
    }
}

}  // namespace zano

namespace zano {

bool folderWritable(const std::filesystem::path& folder) {
#ifdef _WIN32
    return _waccess(folder.c_str(), 2) == 0;
#else
    return ::access(folder.c_str(), W_OK) == 0;
#endif
}

UserFluidPlace userFluidPlace(const std::filesystem::path& dataDir,
                              const std::filesystem::path& userDir,
                              const std::function<bool(const std::filesystem::path&)>& writable) {
    const auto read = fluidFile(dataDir, kUserFluidName, userDir);
    const auto shipped = fluidFile(dataDir, kUserFluidName);
    if (read != shipped) return {read, true};  // the user's own, which the calculation reads
    if (userDir.empty() || writable(dataDir)) return {shipped, false};
    return {fluidFile(userDir, kUserFluidName), true};
}

}  // namespace zano
