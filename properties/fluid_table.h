#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace zano {

// Properties of a fluid at one temperature (W, kJ, kg, m, s as in the data files).
struct FluidProperties {
    double dens = 0;  // kg/m^3
    double cp = 0;    // kJ/(kg K)
    double cond = 0;  // W/(m K)
    double visc = 0;  // Pa s
};

// The property table of one fluid: seven parallel columns, one row per record of the data
// file, in file order; one contiguous block of rows per pressure. The same type serves the
// internal and the external side.
struct FluidTable {
    static constexpr std::size_t kMaxRows = 451;

    std::vector<double> T;     // degC
    std::vector<float> P;      // bar, only ever compared for equality
    std::vector<double> dens;  // kg/m^3
    std::vector<double> cp;    // kJ/(kg K)
    std::vector<double> cond;  // W/(m K)
    std::vector<double> visc;  // Pa s
    std::vector<double> H;     // kJ/kg, any reference

    std::size_t size() const { return T.size(); }

    // Keeps only the first block of pressure p, moved to index 0. Invalid data when no row has p.
    void reduceTo(float p);

    // Lookups at the selected pressure p, interpolated linearly between the bracketing rows.
    FluidProperties properties(double t, float p) const;
    double wallViscosity(double t, float p) const;  // held at the table's end values
    double enthalpy(double t, float p) const;
    double temperatureAt(double h, float p) const;  // inverse lookup on the enthalpy column

    // True when sgl(t) lies in [first row, last row) of the table; the top end is excluded.
    bool inRange(double t) const;

    // Index i of the interval [i, i+1] of column X that brackets v at pressure p: a bisection
    // where bisects(X, p), otherwise scanBracket.
    std::size_t bracket(const std::vector<double>& X, double v, float p) const;

    // The search row by row, the reference the bisection must agree with.
    std::size_t scanBracket(const std::vector<double>& X, double v, float p) const;

    // True when bracket bisects column X (T or H) at pressure p.
    bool bisects(const std::vector<double>& X, float p) const;

    // Notes which columns bracket may bisect; readFluidTable and reduceTo call it. A table whose
    // columns are changed afterwards must call it again.
    void noteSearchOrder();

  private:
    // The table (of notedRows_ rows) is one pressure block and the column strictly increases,
    // with every interval finite as a single: then only the last row at or below a value can
    // bracket it.
    bool tRises_ = false, hRises_ = false;
    std::size_t notedRows_ = 0;
};

// Reads a fluid data file: seven numbers per record (T, P, density, cp, conductivity,
// viscosity, enthalpy), separated by commas or line ends, "." as the decimal point.
// A missing file, a field that is no number, a record cut short, an empty file or a 452nd
// record ends with "Invalid data" naming the file and line.
FluidTable readFluidTable(const std::filesystem::path& file);
// The same on the text of a table, as the file `name` holding it would be read.
FluidTable readFluidTableText(const std::string& name, std::string text);

// Linear interpolation with the 1e-6 guard against equal abscissas and a single-precision
// slope; no clamping outside [x1, x2].
double interpola(double x, double x1, double x2, double y1, double y2);

// The directory of the running executable; data files lie in its "data" folder.
std::filesystem::path QuestaDirectory();

// The table of a fluid: <dataDir>/<name>.dat for the sixteen; for a table name of the user's
// own, that file in dataDir, else in userDir. Any other name, or a table in neither folder,
// ends with "Invalid data": no fluid of that name.
std::filesystem::path fluidFile(const std::filesystem::path& dataDir, const std::string& fluid,
                                const std::filesystem::path& userDir = {});

}  // namespace zano
