#include "formats/units.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/number_text.h"
#include "golden_text.h"

namespace zano {
namespace {

using Q = Quantity;

// One US unit in SI, as NIST SP 811 (2008), Appendix B.8 prints it (7 significant digits).
TEST(Units, OneUsUnitIsWhatNistPrints) {
    const struct {
        Q q;
        double si;
    } nist[] = {
        {Q::Size, 25.4},
        {Q::Length, 0.3048},
        {Q::MassFlow, 1.259979e-4},
        {Q::Velocity, 0.3048},
        {Q::Pressure, 6.894757e-2},
        {Q::PressureDrop, 6.894757},
        {Q::Capacity, 2.930711e-4},
        {Q::CapacityRate, 5.275279e-4},
        {Q::Area, 9.290304e-2},
        {Q::Coefficient, 5.678263},
        {Q::Fouling, 0.1761102},
        {Q::Density, 16.01846},
        {Q::SpecificHeat, 4.1868},
        {Q::Conductivity, 1.730735},
        {Q::Viscosity, 1e-3},
        {Q::TemperatureDifference, 5.0 / 9.0},
    };
    for (const auto& n : nist) {
        const double si = toSi(n.q, 1, UnitSystem::US) - toSi(n.q, 0, UnitSystem::US);
        EXPECT_NEAR(si / n.si, 1, 5e-7) << unitText(n.q, UnitSystem::US);
    }
    EXPECT_DOUBLE_EQ(toShown(Q::Temperature, 100, UnitSystem::US), 212);
    EXPECT_DOUBLE_EQ(toSi(Q::Temperature, 32, UnitSystem::US), 0);
}

// tests/formats/golden/units.txt: every unit with its factor, offset and source, then texts as
// the boxes show them and as the case stores what is typed, in each system and separator.
TEST(Units, ConversionTableAndTextsRoundTrip) {
    std::string out = "# quantity: SI unit -> US unit, shown = SI * factor + offset; source\n";
    for (const UnitRow& r : kUnits)
        out += std::string(r.si) + " -> " + r.us + ": factor " + golden_text::shown(r.factor) +
               ", offset " + golden_text::shown(r.offset) + "; " + r.source + "\n";
    const std::string file = "formats/golden/units.txt";
    const std::string texts = "formats/golden/unit_texts.txt";
    const std::string rows =
        golden_text::table(texts, [](const std::string& op, const std::string& arg) {
            const auto blank = arg.find(' ');
            const UnitRow& r = kUnits.at(std::stoul(arg.substr(0, blank)));
            const std::string text = arg.substr(blank + 1);
            const Units us{UnitSystem::US, op.back()}, si{UnitSystem::SI, op.back()};
            if (op.starts_with("typed us")) {
                const std::string stored = caseText(r.quantity, text, us);
                return stored + " -> " + shownText(r.quantity, stored, us);
            }
            if (op.starts_with("typed si")) return caseText(r.quantity, text, si);
            if (op.starts_with("rounded")) {
                const double v = *parseDouble(text);
                return shownRounded(r.quantity, static_cast<float>(v), 3, si) + " | " +
                       shownRounded(r.quantity, static_cast<float>(v), 3, us);
            }
            return shownText(r.quantity, text, us);
        });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
    EXPECT_EQ(golden_text::mismatch(texts, rows), "");
}

}  // namespace
}  // namespace zano
