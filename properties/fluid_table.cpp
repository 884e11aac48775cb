#include "properties/fluid_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <system_error>

#include "base/errors.h"
#include "base/number_text.h"
#include "base/plain_text.h"
#include "properties/data_file_reader.h"
#include "properties/fluid_names.h"
#include "properties/property_bounds.h"
#include "properties/user_fluid.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace zano {
namespace {

constexpr std::size_t kFieldsPerRecord = 7;

// The records of a fluid table, from a file or from a text about to be saved.
FluidTable readRecords(DataFileReader& reader);

// The rows s..e (inclusive) of the first contiguous block of pressure p.
struct Block {
    bool found = false;
    std::size_t first = 0, last = 0;
};

Block firstBlock(const std::vector<float>& P, float p) {
    Block b;
    std::size_t s = 0;
    while (s < P.size() && P[s] != p) ++s;
    if (s == P.size()) return b;
    std::size_t e = s;
    while (e + 1 < P.size() && P[e + 1] == p) ++e;
    return {true, s, e};
}

template <typename F>
void forEachColumn(FluidTable& t, F f) {
    f(t.T), f(t.P), f(t.dens), f(t.cp), f(t.cond), f(t.visc), f(t.H);
}

// A table put together by hand could have ragged columns; a lookup would then read past one.
void checkColumns(const FluidTable& t) {
    const auto n = t.T.size();
    if (t.P.size() != n || t.dens.size() != n || t.cp.size() != n || t.cond.size() != n ||
        t.visc.size() != n || t.H.size() != n)
        invalidData("the columns of the fluid table differ in length");
}

std::string pressureText(float p) {
    return formatSingle(p) + " bar";
}

bool risesStrictly(const std::vector<double>& X) {
    if (X.size() < 2) return false;
    for (std::size_t i = 0; i + 1 < X.size(); ++i)
        if (!(X[i] < X[i + 1]) || !std::isfinite(static_cast<float>(X[i + 1] - X[i]))) return false;
    return true;
}

// True when v minus every row of X rounds to a finite single, so that the scan would not have
// failed on a distance: the differences to the first and the last searched row bound them all.
bool distancesFitSingle(const std::vector<double>& X, double v) {
    return std::isfinite(static_cast<float>(v - X.front())) &&
           std::isfinite(static_cast<float>(v - X[X.size() - 2]));
}

}  // namespace

FluidTable readFluidTable(const std::filesystem::path& file) {
    DataFileReader reader(file);
    return readRecords(reader);
}

FluidTable readFluidTableText(const std::string& name, std::string text) {
    DataFileReader reader(name, std::move(text));
    return readRecords(reader);
}

namespace {

FluidTable readRecords(DataFileReader& reader) {
    FluidTable t;
    std::array<DataField, kFieldsPerRecord> record;
    std::size_t filled = 0;
    DataField field;
    while (reader.next(field)) {
        if (filled == 0 && t.size() == FluidTable::kMaxRows)
            reader.fail(field.line,
                        "more than " + std::to_string(FluidTable::kMaxRows) + " records");
        record[filled++] = std::move(field);
        if (filled < kFieldsPerRecord) continue;
        filled = 0;
        // Convert all seven first, so that a bad field leaves no half-appended row behind.
        const double T = reader.number(record[0]);
        const float P = reader.single(record[1]);  // matched for equality only, as single
        const double dens = reader.number(record[2]);
        const double cp = reader.number(record[3]);
        const double cond = reader.number(record[4]);
        const double visc = reader.number(record[5]);
        const double H = reader.number(record[6]);
        // A table that no fluid has would give a calculation that no exchanger has: magnitudes
        // outside what any fluid has, or rows of one pressure whose temperature or enthalpy does
        // not rise (the lookups and their inverse need both to increase).
        const std::pair<double, FluidProperty> properties[] = {
            {T, FluidProperty::Temperature},     {P, FluidProperty::Pressure},
            {dens, FluidProperty::Density},      {cp, FluidProperty::SpecificHeat},
            {cond, FluidProperty::Conductivity}, {visc, FluidProperty::Viscosity}};
        for (const auto& [value, property] : properties)
            if (const std::string why = propertyBoundRefusal(property, value, '.'); !why.empty())
                reader.fail(record[0].line, why);
        if (t.size() > 0 && t.P.back() == P) {
            if (!(T > t.T.back()))
                reader.fail(record[0].line,
                            "the temperature does not rise within the block of " + pressureText(P));
            if (!(H > t.H.back()))
                reader.fail(record[0].line,
                            "the enthalpy does not rise within the block of " + pressureText(P));
        }
        t.T.push_back(T);
        t.P.push_back(P);
        t.dens.push_back(dens);
        t.cp.push_back(cp);
        t.cond.push_back(cond);
        t.visc.push_back(visc);
        t.H.push_back(H);
    }
    if (filled != 0)
        reader.fail(record[filled - 1].line, "the file ends within a record (" +
                                                 std::to_string(filled) + " of " +
                                                 std::to_string(kFieldsPerRecord) + " fields)");
    if (t.size() == 0) reader.failFile("holds no records");
    t.noteSearchOrder();
    return t;
}

}  // namespace

void FluidTable::reduceTo(float p) {
    checkColumns(*this);
    const Block b = firstBlock(P, p);
    if (!b.found) invalidData("the fluid table has no rows at " + pressureText(p));
    forEachColumn(*this, [&](auto& column) {
        column.assign(column.begin() + static_cast<std::ptrdiff_t>(b.first),
                      column.begin() + static_cast<std::ptrdiff_t>(b.last + 1));
    });
    noteSearchOrder();
}

void FluidTable::noteSearchOrder() {
    checkColumns(*this);
    bool onePressure = size() > 0;
    for (const float rowP : P) onePressure = onePressure && rowP == P.front();
    tRises_ = onePressure && risesStrictly(T);
    hRises_ = onePressure && risesStrictly(H);
    notedRows_ = size();
}

bool FluidTable::bisects(const std::vector<double>& X, float p) const {
    const bool rises = &X == &T ? tRises_ : &X == &H ? hRises_ : false;
    // A row count other than the noted one is a table changed since: it is scanned.
    return rises && size() == notedRows_ && P.size() == notedRows_ && P.front() == p;
}

std::size_t FluidTable::bracket(const std::vector<double>& X, double v, float p) const {
    if (!bisects(X, p)) return scanBracket(X, v, p);
    checkColumns(*this);
    finite(v, "the value looked up in the fluid table");
    if (!distancesFitSingle(X, v)) return scanBracket(X, v, p);  // it fails as the scan does

    // In one block of strictly rising rows the scan's answer is the last row k at or below v
    // (k at most n-2), or row 0 below the block. Every earlier row lies at least one interval
    // width below v, and rounding both to single keeps that order, so only k can pass the
    // scan's test; where k fails it (v within a single rounding below row k+1, on the last row
    // or beyond it) the fallback's nearest interval is k again.
    if (v < X.front()) return 0;
    const auto lastSearched = X.begin() + static_cast<std::ptrdiff_t>(size() - 1);
    return static_cast<std::size_t>(std::upper_bound(X.begin(), lastSearched, v) - X.begin()) - 1;
}

std::size_t FluidTable::scanBracket(const std::vector<double>& X, double v, float p) const {
    checkColumns(*this);
    if (X.size() != size()) invalidData("the searched column does not belong to the fluid table");
    finite(v, "the value looked up in the fluid table");
    const std::size_t n = size();

    // The distances are compared in single precision: this rounding decides which interval a
    // value just below a row falls in.
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const float fromRow = sgl(v - X[i], "a distance in the fluid table");
        const float width = sgl(X[i + 1] - X[i], "an interval of the fluid table");
        if (fromRow < width && v - X[i] >= 0 && P[i] == p) return i;
    }

    // No interval holds the value (it lies outside the block, on its last row, or within a
    // single-precision rounding below a row): take the nearest interval of the block, so that
    // a value past either end extrapolates from the end it is past.
    const Block b = firstBlock(P, p);
    if (b.found && b.last > b.first) {
        if (v < X[b.first]) return b.first;
        if (v >= X[b.last]) return b.last - 1;
        for (std::size_t k = b.first; k < b.last; ++k)
            if (X[k] <= v && v < X[k + 1]) return k;
        return b.first;  // not reached: X(first) <= v < X(last) always has an enclosing pair
    }

    // No block to interpolate in (pressure absent, or a block of one row): the first rows of
    // the table, as the lookups on a table not reduced yet expect.
    if (n == 0) invalidData("the fluid table is empty");
    if (n == 1) invalidData("the fluid table has a single row; interpolation needs two");
    return 0;
}

double interpola(double x, double x1, double x2, double y1, double y2) {
    // The 1e-6 keeps two rows of equal abscissa from dividing by zero; the slope is kept in
    // single precision.
    const double x2Guarded = x2 + 1e-6;
    const float slope = sgl((y2 - y1) / (x2Guarded - x1), "an interpolation slope");
    return finite(y1 + (x - x1) * static_cast<double>(slope), "an interpolated value");
}

FluidProperties FluidTable::properties(double t, float p) const {
    const auto i = bracket(T, t, p);
    FluidProperties r;
    r.dens = interpola(t, T[i], T[i + 1], dens[i], dens[i + 1]);
    r.cp = interpola(t, T[i], T[i + 1], cp[i], cp[i + 1]);
    r.cond = interpola(t, T[i], T[i + 1], cond[i], cond[i + 1]);
    r.visc = interpola(t, T[i], T[i + 1], visc[i], visc[i + 1]);
    return r;
}

double FluidTable::wallViscosity(double t, float p) const {
    checkColumns(*this);
    if (size() == 0) invalidData("the fluid table is empty");
    finite(t, "the wall temperature");
    // The wall temperature is never range-checked, and viscosity extrapolated far beyond a
    // table can turn negative: hold the end values instead.
    if (t < T.front()) return visc.front();
    if (t >= T.back()) return visc.back();
    const auto i = bracket(T, t, p);
    return interpola(t, T[i], T[i + 1], visc[i], visc[i + 1]);
}

double FluidTable::enthalpy(double t, float p) const {
    const auto i = bracket(T, t, p);
    return interpola(t, T[i], T[i + 1], H[i], H[i + 1]);
}

double FluidTable::temperatureAt(double h, float p) const {
    const auto i = bracket(H, h, p);
    return interpola(h, H[i], H[i + 1], T[i], T[i + 1]);
}

bool FluidTable::inRange(double t) const {
    if (T.empty()) invalidData("the fluid table is empty");
    // Compared in single precision: a temperature that rounds to the first row is inside,
    // one that rounds to the last row is outside.
    const float lo = sgl(T.front(), "the first temperature of the fluid table");
    const float hi = sgl(T.back(), "the last temperature of the fluid table");
    const float ts = sgl(t, "the temperature");
    return ts >= lo && ts < hi;
}

namespace {

std::optional<std::filesystem::path> executableDirectory() {
#ifdef _WIN32
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 6; ++attempt) {  // the buffer doubles up to 32 x MAX_PATH
        const DWORD len =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (len == 0) break;
        if (len < buffer.size()) {
            buffer.resize(len);
            return std::filesystem::path(buffer).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
#else
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
#endif
    return std::nullopt;
}

}  // namespace

std::filesystem::path QuestaDirectory() {
    // The program stays where it was started: looked up once, not for every calculation's state
    // (a design search makes thousands).
    static const std::optional<std::filesystem::path> exe = executableDirectory();
    if (exe) return *exe;
    // Without the executable's path the working directory is the best guess.
    std::error_code cwdError;
    auto cwd = std::filesystem::current_path(cwdError);
    return cwdError ? std::filesystem::path(".") : cwd;
}

std::filesystem::path fluidFile(const std::filesystem::path& dataDir, const std::string& fluid,
                                const std::filesystem::path& userDir) {
    // Appended as text after a separator, so that no fluid name can replace the directory.
    const auto in = [&](const std::filesystem::path& dir) {
        auto file = dir / "";
        file += fluid + ".dat";
        return file;
    };
    std::error_code ec;
    // "User defined" saved where the program's folder cannot be written (an installed package)
    // lies in the user's folder, and is theirs: it comes before the shipped one.
    if (fluid == kUserFluidName && !userDir.empty() &&
        std::filesystem::is_regular_file(in(userDir), ec))
        return in(userDir);
    if (isFluidName(fluid)) return in(dataDir);
    if (!isTableName(fluid)) invalidData("no fluid of that name: \"" + excerpt(fluid) + "\"");
    // A table of the user's own, beside the shipped ones or in the user's folder.
    std::string found;  // what stands in the first folder that holds something else
    for (const auto& dir : {dataDir, userDir}) {
        if (dir.empty()) continue;
        if (std::filesystem::is_regular_file(in(dir), ec)) return in(dir);
        if (const std::string kind = entryKind(std::filesystem::status(in(dir), ec));
            !kind.empty() && found.empty())
            found = "\"" + pathText(in(dir)) + "\" is " + kind + ", not a table";
    }
    if (!found.empty()) invalidData("no fluid of that name: \"" + fluid + "\" (" + found + ")");
    invalidData("no fluid of that name: \"" + fluid + "\" (no table \"" + fluid +
                ".dat\" in the data folders)");
}

}  // namespace zano
