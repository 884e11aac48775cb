#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

// The fluid "User defined": four constant properties typed by the user, kept as a small
// property table in the fluid file format so that it loads like any other fluid.
namespace zano {

inline constexpr const char* kUserFluidName = "User defined";

struct UserFluid {
    float dens = 0;   // kg/m^3
    float cp = 0;     // kJ/(kg K)
    float cond = 0;   // W/(m K)
    double visc = 0;  // Pa s
};

// The first record of the user fluid file, every field read to single precision.
struct UserFluidRecord {
    float T = 0, P = 0, dens = 0, cp = 0, cond = 0, visc = 0, H = 0;
};

// A user fluid that cannot be taken from its texts, written or read; what() tells the user why.
class UserFluidError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The four property texts (decimal comma, as in the windows) as a user fluid. A text that is
// not a positive number, or a magnitude that no fluid has (property_bounds.h), is refused
// naming the property.
UserFluid userFluidFromTexts(const std::string& dens, const std::string& cp,
                             const std::string& cond, const std::string& visc);

// The three records: -100, 0 and 300 degC at 1 bar, the constant properties, and the enthalpy
// cp * T in single precision, so that h is linear in T with zero at 0 degC.
std::string userFluidText(const UserFluid& f);

// Writes the table through a temporary file renamed over `file`, so that a failed write never
// leaves a broken table behind.
void writeUserFluid(const std::filesystem::path& file, const UserFluid& f);

UserFluidRecord readUserFluidRecord(const std::filesystem::path& file);

// True when this user may create and replace files in `folder` (access(2) with W_OK).
bool folderWritable(const std::filesystem::path& folder);

// Where "User defined" is saved, and whether that is in the user's folder, made on first use.
struct UserFluidPlace {
    std::filesystem::path file;
    bool inUserDir = false;
};

// The file the calculation reads "User defined" from (fluidFile): the user's own where they
// saved one, else the one beside the shipped tables. Where that folder cannot be written (an
// installed package), the user's folder instead, so that the fluid is theirs and the shipped
// file stays the default for every other user. Without a user's folder, the program's.
UserFluidPlace userFluidPlace(
    const std::filesystem::path& dataDir, const std::filesystem::path& userDir,
    const std::function<bool(const std::filesystem::path&)>& writable = folderWritable);

}  // namespace zano
