#include "formats/film_display.h"

#include <cmath>

#include "base/number_text.h"

namespace zano {
namespace {

// `digits` significant digits, as the window shows numbers (decimal comma).
std::string significant(double v, int digits) {
    if (v == 0 || !std::isfinite(v)) return formatDouble(v);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    return formatDouble(roundTo(v, digits - 1 - magnitude));
}

// A resistance and its share of their sum, 1/U: "0,0002874 (27,1 %)".
std::string resistance(double r, double total) {
    return significant(r, 4) + " (" + formatDouble(roundTo(100 * r / total, 1)) + " %)";
}

}  // namespace

std::vector<FilmRow> filmRows(const FilmBreakdown& f) {
    const SideFilm &i = f.internal, &e = f.external;
    const double total =
        f.internalFilm + f.internalFouling + f.wall + f.externalFouling + f.externalFilm;
    return {
        {"Flow regime", "", i.regime, e.regime},
        {"Reynolds number", "", formatDouble(roundTo(i.re, 0)), formatDouble(roundTo(e.re, 0))},
        {"Prandtl number", "", significant(i.pr, 4), significant(e.pr, 4)},
        {"Nusselt number", "", significant(i.nu, 4), significant(e.nu, 4)},
        {"Film coefficient", "W/(m^2 K)", significant(i.h, 4), significant(e.h, 4)},
        {"Wall temperature", "°C", formatDouble(roundTo(f.wallTemperature, 2)), ""},
        {"Film resistance", "(m^2 K)/W", resistance(f.internalFilm, total),
         resistance(f.externalFilm, total)},
        {"Fouling resistance", "(m^2 K)/W", resistance(f.internalFouling, total),
         resistance(f.externalFouling, total)},
        {"Wall resistance", "(m^2 K)/W", resistance(f.wall, total), ""},
    };
}

}  // namespace zano
