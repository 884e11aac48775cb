#include "formats/units.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"

namespace zano {
namespace {

// The exact definitions the factors follow from (NIST Special Publication 811, 2008 edition,
// Appendix B.8 and B.9): the international foot and inch, the avoirdupois pound, the
// International Table British thermal unit, the degree Fahrenheit's step of 1/1,8 kelvin, the
// pound-force of standard gravity.
constexpr double kFoot = 0.3048;                             // m
constexpr double kInch = 0.0254;                             // m
constexpr double kPound = 0.45359237;                        // kg
constexpr double kBtu = 1055.05585262;                       // J, Btu (IT)
constexpr double kFahrenheitPerKelvin = 1.8;                 // a kelvin is 1,8 degrees F
constexpr double kPsi = kPound * 9.80665 / (kInch * kInch);  // Pa, lbf/in^2
constexpr double kBtuPerHour = kBtu / 3600;                  // W

constexpr const char* kSp811 = "NIST SP 811 (2008), App. B.8";

using Q = Quantity;

}  // namespace

// clang-format off
const std::array<UnitRow, kUnitCount> kUnits{{
    {Q::Size, "mm", "in", "mm", "in", 1e-3 / kInch, 0, "1 in = 25,4 mm exactly; NIST SP 811 (2008), App. B.8"},
    {Q::Length, "m", "ft", "m", "ft", 1 / kFoot, 0, "1 ft = 0,3048 m exactly; NIST SP 811 (2008), App. B.8"},
    {Q::Temperature, "°C", "°F", "C", "F", kFahrenheitPerKelvin, 32, "t/°F = 1,8 t/°C + 32; NIST SP 811 (2008), App. B.8"},
    {Q::TemperatureDifference, "K", "°F", "K", "F", kFahrenheitPerKelvin, 0, "a step of 1 °F = 5/9 K; NIST SP 811 (2008), App. B.8"},
    {Q::MassFlow, "kg/s", "lb/h", "kg_s", "lb_h", 3600 / kPound, 0, "1 lb = 0,45359237 kg exactly; NIST SP 811 (2008), App. B.8"},
    {Q::Velocity, "m/s", "ft/s", "m_s", "ft_s", 1 / kFoot, 0, kSp811},
    {Q::Pressure, "bar", "psia", "bar", "psia", 1e5 / kPsi, 0, "1 psi = 6,894757 kPa (lbf/in^2); NIST SP 811 (2008), App. B.8"},
    {Q::PressureDrop, "kPa", "psi", "kPa", "psi", 1e3 / kPsi, 0, "1 psi = 6,894757 kPa (lbf/in^2); NIST SP 811 (2008), App. B.8"},
    {Q::Capacity, "kW", "Btu/h", "kW", "Btu_h", 1e3 / kBtuPerHour, 0, "1 Btu (IT) = 1055,05585262 J; NIST SP 811 (2008), App. B.8"},
    {Q::CapacityRate, "kW/K", "Btu/(h °F)", "kW_K", "Btu_hF", 1e3 / (kBtuPerHour * kFahrenheitPerKelvin), 0, kSp811},
    {Q::Area, "m^2", "ft^2", "m2", "ft2", 1 / (kFoot * kFoot), 0, kSp811},
    {Q::Coefficient, "W/(m^2 K)", "Btu/(h ft^2 °F)", "W_m2K", "Btu_hft2F", kFoot * kFoot / (kBtuPerHour * kFahrenheitPerKelvin), 0, "1 Btu (IT)/(h ft^2 °F) = 5,678263 W/(m^2 K); NIST SP 811 (2008), App. B.8"},
    {Q::Fouling, "(m^2 K)/W", "(h ft^2 °F)/Btu", "m2K_W", "hft2F_Btu", kBtuPerHour * kFahrenheitPerKelvin / (kFoot * kFoot), 0, "1 (h ft^2 °F)/Btu (IT) = 0,1761102 (m^2 K)/W; NIST SP 811 (2008), App. B.8"},
    {Q::Density, "kg/m^3", "lb/ft^3", "kg_m3", "lb_ft3", kFoot * kFoot * kFoot / kPound, 0, kSp811},
    {Q::SpecificHeat, "kJ/(kg K)", "Btu/(lb °F)", "kJ_kgK", "Btu_lbF", 1e3 * kPound / (kBtu * kFahrenheitPerKelvin), 0, "1 Btu (IT)/(lb °F) = 4,1868 kJ/(kg K) exactly; NIST SP 811 (2008), App. B.8"},
    {Q::Conductivity, "W/(m K)", "Btu/(h ft °F)", "W_mK", "Btu_hftF", kFoot / (kBtuPerHour * kFahrenheitPerKelvin), 0, kSp811},
    {Q::Viscosity, "Pa s", "cP", "Pa_s", "cP", 1e3, 0, "1 cP = 1 mPa s exactly; NIST SP 811 (2008), App. B.8"},
}};
// clang-format on

const UnitRow* unitRow(Quantity q) {
    const auto it = std::find_if(kUnits.begin(), kUnits.end(),
                                 [q](const UnitRow& r) { return r.quantity == q; });
    return it == kUnits.end() ? nullptr : &*it;
}

std::string_view unitText(Quantity q, UnitSystem s) {
    const UnitRow* r = unitRow(q);
    if (!r) return {};
    return s == UnitSystem::US ? r->us : r->si;
}

double toShown(Quantity q, double si, UnitSystem s) {
    const UnitRow* r = unitRow(q);
    if (!r || s == UnitSystem::SI) return si;
    return si * r->factor + r->offset;
}

double toSi(Quantity q, double shown, UnitSystem s) {
    const UnitRow* r = unitRow(q);
    if (!r || s == UnitSystem::SI) return shown;
    return (shown - r->offset) / r->factor;
}

namespace {

std::string withSeparator(std::string_view text, char from, char to) {
    std::string s(text);
    std::replace(s.begin(), s.end(), from, to);
    return s;
}

bool converted(Quantity q, const Units& u) {
    return u.system == UnitSystem::US && unitRow(q) != nullptr;
}

// A converted figure at 7 significant digits. Rounding first to 9 decimals drops the dust an
// offset leaves (0 °F held as -17,7777777777778 °C comes back as -4E-14, not 0).
std::string generalUs(double shown, char sep) {
    const double x = roundTo(shown, 9);
    return formatDigits(x == 0 ? 0.0 : x, 7, sep);
}

// The decimals of a US figure rounded as its SI one is to `decimals`: as many as keep its step
// no coarser than the SI one, and no more. A factor below 1 makes the US unit larger and asks for
// more decimals (U to 0,1 Btu/(h ft^2 °F) where W/(m^2 K) is rounded to 1); a factor above 1 asks
// for fewer (a capacity to 1 Btu/h where kW is rounded to 0,001), never fewer than none.
int usDecimals(Quantity q, int decimals) {
    const UnitRow* r = unitRow(q);
    const int more = r ? static_cast<int>(std::ceil(-std::log10(r->factor) - 1e-9)) : 0;
    return std::max(0, decimals + more);
}

}  // namespace

std::string shownText(Quantity q, std::string_view caseText, const Units& u) {
    if (q == Quantity::Name || q == Quantity::Text) return std::string(caseText);
    if (!converted(q, u)) return withSeparator(caseText, ',', u.decimal);
    const auto v = parseDouble(caseText);
    if (!v) return std::string(caseText);
    return generalUs(toShown(q, *v, u.system), u.decimal);
}

std::string caseText(Quantity q, std::string_view shown, const Units& u) {
    if (q == Quantity::Name || q == Quantity::Text) return std::string(shown);
    if (!converted(q, u)) return withSeparator(shown, '.', ',');
    const auto v = parseDouble(shown);
    if (!v) return std::string(shown);
    return formatDouble(toSi(q, *v, u.system));
}

std::string shownRounded(Quantity q, float si, int decimals, const Units& u) {
    if (!converted(q, u)) return formatSingle(roundTo(si, decimals), u.decimal);
    return shownRounded(q, static_cast<double>(si), decimals, u);
}

std::string shownRounded(Quantity q, double si, int decimals, const Units& u) {
    if (!converted(q, u)) return formatDouble(roundTo(si, decimals), u.decimal);
    const double x = roundTo(toShown(q, si, u.system), usDecimals(q, decimals));
    return formatDouble(x == 0 ? 0.0 : x, u.decimal);
}

std::string shownGeneral(Quantity q, float si, const Units& u) {
    if (!converted(q, u)) return formatSingle(si, u.decimal);
    return generalUs(toShown(q, si, u.system), u.decimal);
}

std::string shownGeneral(Quantity q, double si, const Units& u) {
    if (!converted(q, u)) return formatDouble(si, u.decimal);
    return generalUs(toShown(q, si, u.system), u.decimal);
}

std::string unitKey(std::string_view key, Quantity q, UnitSystem s) {
    const UnitRow* r = unitRow(q);
    const std::string suffix = r ? std::string("_") + r->siToken : std::string();
    if (!r || s == UnitSystem::SI || !key.ends_with(suffix)) return std::string(key);
    return std::string(key.substr(0, key.size() - suffix.size())) + "_" + r->usToken;
}

std::string unitCaption(std::string_view caption, Quantity q, UnitSystem s) {
    const UnitRow* r = unitRow(q);
    std::string out(caption);
    if (!r || s == UnitSystem::SI) return out;
    const std::string bracketed = std::string("[") + r->si + "]";
    if (const auto at = out.rfind(bracketed); at != std::string::npos)
        return out.replace(at, bracketed.size(), std::string("[") + r->us + "]");
    const std::string trailing = std::string(" ") + r->si;
    if (out.ends_with(trailing))
        out.replace(out.size() - trailing.size(), trailing.size(), std::string(" ") + r->us);
    return out;
}

std::string_view systemName(UnitSystem s) {
    return s == UnitSystem::US ? "US customary" : "SI";
}

std::optional<UnitSystem> systemNamed(std::string_view token) {
    if (token == "si") return UnitSystem::SI;
    if (token == "us") return UnitSystem::US;
    return std::nullopt;
}

}  // namespace zano
