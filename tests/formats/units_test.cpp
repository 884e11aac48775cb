#include "formats/units.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/number_text.h"
#include "formats/case_file.h"
#include "formats/results_display.h"
#include "golden_text.h"
#include "properties/wall_materials.h"
#include "solver/case_run.h"

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

// The value of `key` in the object `part` of a golden result ("exchanger", "internal",
// "external").
double goldenValue(const std::string& json, const std::string& part, const std::string& key) {
    const std::size_t object = json.find("\"" + part + "\": {");
    const std::size_t at = json.find("\"" + key + "\": ", object);
    return std::stod(json.substr(at + key.size() + 4));
}

// The step of a text's last digit: "28,823" -> 0,001, "25" -> 1.
double lastDigit(const std::string& text) {
    const std::size_t comma = text.find(',');
    return comma == std::string::npos ? 1 : std::pow(10.0, -double(text.size() - comma - 1));
}

// The results window's boxes with a unit, each where the golden result holds its figure: two
// a row, the internal box first where the row has two.
constexpr const char* kGoldenFigures[][4] = {
    {"exchanger", "capacity_kW", "Text23", nullptr},
    {"exchanger", "surface_m2", "Text24", nullptr},
    {"exchanger", "length_m", "Text25", nullptr},
    {"exchanger", "overallCoefficient_W_m2K", "Text26", nullptr},
    {"", "outsideDiameter_mm", "Text1", "Text2"},
    {"", "wallThickness_mm", "Text3", "Text4"},
    {"", "pressure_bar", "Text9", "Text10"},
    {"", "inletTemperature_C", "Text11", "Text12"},
    {"", "outletTemperature_C", "Text13", "Text14"},
    {"", "massFlow_kg_s", "Text15", "Text16"},
    {"", "velocity_m_s", "Text17", "Text18"},
    {"", "pressureDrop_kPa", "Text19", "Text20"},
    {"", "foulingFactor_m2K_W", "Text21", "Text22"},
};

// An example as scripts/golden calculates it: a name with "est-outlet" gives that outlet.
CaseRun goldenRun(const std::filesystem::path& zan, const DataFolder& data) {
    CaseData c = loadCaseFile(zan.string());
    if (zan.filename().string().find("est-outlet") != std::string::npos)
        c.estToutGiven = !c.intToutGiven;
    return runCase(c, data, {});
}

// Every example calculated, its results shown in US customary units with a point, read back to
// SI: each within the last digit the SI window shows of the golden result (examples/*.expected).
TEST(Units, EveryExampleShownInUsUnitsReadsBackAsItsGoldenResult) {
    CalcState state;
    state.data.dataDir = ZANO_SOURCE_DIR "/data";
    dbmateriale(state);
    int cases = 0;
    for (const auto& e : std::filesystem::directory_iterator(ZANO_SOURCE_DIR "/examples")) {
        if (e.path().extension() != ".zan") continue;
        ++cases;
        const CaseRun run = goldenRun(e.path(), state.data);
        ASSERT_TRUE(run.ok()) << e.path();
        std::ifstream in(std::filesystem::path(e.path()).replace_extension(".expected"));
        const std::string golden((std::istreambuf_iterator<char>(in)), {});
        const auto si = displayTexts(*run.out.results);
        const auto us = displayTexts(*run.out.results, {UnitSystem::US, '.'});
        for (const auto& figure : kGoldenFigures)
            for (int side = 0; side < 2 && figure[2 + side]; ++side) {
                const char* box = figure[2 + side];
                const std::string part = *figure[0] ? figure[0] : side ? "external" : "internal";
                const Quantity q =
                    std::find_if(kResultFields.begin(), kResultFields.end(), [&](auto& f) {
                        return f.box == std::string(box);
                    })->quantity;
                const double back = toSi(q, *parseDouble(boxText(us, box)), UnitSystem::US);
                EXPECT_NEAR(back, goldenValue(golden, part, figure[1]), lastDigit(boxText(si, box)))
                    << e.path().filename() << " " << box << ": " << boxText(us, box) << " "
                    << unitText(q, UnitSystem::US) << ", SI " << boxText(si, box);
            }
    }
    EXPECT_GE(cases, 10);
}

}  // namespace
}  // namespace zano
