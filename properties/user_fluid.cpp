#include "properties/user_fluid.h"

#include <cerrno>
#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
#include <system_error>

#include "base/errors.h"
#include "base/number_text.h"
#include "properties/data_file_reader.h"

namespace zano {
namespace {

// The three temperatures span every fluid a user is likely to define, liquid or gas.
constexpr float kTemperatures[] = {-100.0f, 0.0f, 300.0f};

std::string display(const std::filesystem::path& file) {
    const auto u8 = file.u8string();
    return std::string(u8.begin(), u8.end());
}

template <typename T>
T positive(const std::optional<T>& value, const std::string& text, const char* what) {
    if (value && std::isfinite(*value) && *value > 0) return *value;
    if (text.find_first_not_of(" \t") == std::string::npos)
        throw UserFluidError(std::string("The ") + what + " is empty.");
    throw UserFluidError(std::string("The ") + what + " \"" + text +
                         "\" is not a positive number.");
}

}  // namespace

UserFluid userFluidFromTexts(const std::string& dens, const std::string& cp,
                             const std::string& cond, const std::string& visc) {
    UserFluid f;
    f.dens = positive(parseSingle(dens), dens, "density");
    f.cp = positive(parseSingle(cp), cp, "specific heat (Cp)");
    f.cond = positive(parseSingle(cond), cond, "conductivity");
    f.visc = positive(parseDouble(visc), visc, "viscosity");
    // The enthalpy at the top temperature must still be a single.
    if (static_cast<double>(f.cp) * kTemperatures[2] > std::numeric_limits<float>::max())
        throw UserFluidError("The specific heat (Cp) \"" + cp + "\" is too large.");
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
        throw UserFluidError("Cannot save the user fluid to \"" + display(file) + "\": " + why +
                             ".");
    };
    std::string text;
    try {
        text = userFluidText(f);
    } catch (const CalcError& e) {
        fail(e.detail());
    }

    std::filesystem::path temp = file;
    temp += ".~" + std::to_string(std::random_device{}() % 1000000) + ".tmp";
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) fail(errno ? std::generic_category().message(errno) : "it cannot be created");
        out << text;
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            fail("writing failed");
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        fail(ec.message());
    }
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
