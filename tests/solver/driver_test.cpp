#include "solver/driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "base/errors.h"
#include "base/number_text.h"
#include "correlations/log_mean.h"
#include "correlations/overall_coefficient.h"
#include "properties/fluid_sides.h"
#include "reference_cases.h"

namespace zano {
namespace {

using testing_cases::userFluidCase;
using testing_cases::waterCase;

CalcOutcome run(CaseData& c) {
    CalcState s;
    dbmateriale(s);
    return calculate(c, s);
}

struct MessageRow {
    const char* name;
    std::function<void(CaseData&)> change;
    const char* message;
};

TEST(Driver, ReportsEachFailureWithItsMessageInTheOrderOfTheChecks) {
    const MessageRow rows[] = {
        {"empty diameter is a conversion fault, not a geometry message",
         [](CaseData& c) { c.deti = ""; }, msg::kInvalidData},
        {"empty inlet temperature", [](CaseData& c) { c.estTin = " "; }, msg::kInvalidData},
        {"malformed fouling factor", [](CaseData& c) { c.intSporc = "1,2,3"; }, msg::kInvalidData},
        {"missing fluid table", [](CaseData& c) { c.intfluid = "Mercury"; }, msg::kInvalidData},
        {"internal pressure reported before external",
         [](CaseData& c) {
             c.intpress = "7";
             c.estpress = "9";
         },
         msg::kInvalidIntPressure},
        {"pressure differing by a rounding", [](CaseData& c) { c.intpress = "1,0000001"; },
         msg::kInvalidIntPressure},
        {"external pressure", [](CaseData& c) { c.estpress = "4"; }, msg::kInvalidEstPressure},
        {"pressures checked before the temperatures",
         [](CaseData& c) {
             c.estpress = "4";
             c.intTout = "90";
         },
         msg::kInvalidEstPressure},
        {"hot internal outlet above its inlet", [](CaseData& c) { c.intTout = "81"; },
         msg::kInvalidTemperatures},
        {"cold internal outlet below its inlet",
         [](CaseData& c) {
             c.intTin = "10";
             c.intTout = "9";
         },
         msg::kInvalidTemperatures},
        {"external outlet given running the wrong way",
         [](CaseData& c) {
             c.intToutGiven = false;
             c.estToutGiven = true;
             c.estTout = "14";
         },
         msg::kInvalidTemperatures},
        {"temperature check before the range check",
         [](CaseData& c) {
             c.intTin = "150";
             c.intTout = "160";
         },
         msg::kInvalidTemperatures},
        {"inlet above the table", [](CaseData& c) { c.intTin = "150"; }, msg::kOutOfRange},
        {"table's top row is excluded", [](CaseData& c) { c.intTin = "99"; }, msg::kOutOfRange},
        {"given outlet below the table",
         [](CaseData& c) {
             c.intTin = "10";
             c.intTout = "0,5";
             c.estTin = "5";
         },
         msg::kOutOfRange},
        {"NTUmin above 20",
         [](CaseData& c) {
             c.L = "5000";
             c.estPort = "0,01";
         },
         msg::kNtuTooHigh},
        {"capacity above the maximum duty",
         [](CaseData& c) {
             c.LGiven = false;
             c.q = "500";
         },
         msg::kCapacityTooHigh},
        {"annulus smaller than the internal pipe", [](CaseData& c) { c.dete = "20"; },
         msg::kInvalidData},
        {"no wall material of that name", [](CaseData& c) { c.mat = "copper"; }, msg::kInvalidData},
        {"zero internal mass flow",
         [](CaseData& c) {
             c.intToutGiven = false;
             c.intPort = "0";
         },
         msg::kInvalidData},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CaseData c = waterCase();
        row.change(c);
        const CaseData before = c;
        const CalcOutcome out = run(c);
        EXPECT_FALSE(out.ok());
        EXPECT_EQ(out.message, row.message) << out.detail;
        if (out.message == msg::kInvalidData) {
            EXPECT_FALSE(out.detail.empty());
        }
        // Every check comes before the first write-back.
        EXPECT_EQ(c.q, before.q);
        EXPECT_EQ(c.intPort, before.intPort);
        EXPECT_EQ(c.estTout, before.estTout);
        EXPECT_EQ(c.L, before.L);
    }
}

TEST(Driver, InvalidDataNamesItsCause) {
    struct Row {
        std::function<void(CaseData&)> change;
        const char* detailPart;
    };
    const Row rows[] = {
        {[](CaseData& c) { c.deti = ""; }, "outside diameter of the internal pipe is empty"},
        {[](CaseData& c) { c.spe = "2x"; }, "\"2x\" is not a number"},
        {[](CaseData& c) { c.L = "1E39"; }, "The length \"1E39\" is too large"},
        {[](CaseData& c) { c.intfluid = "Mercury"; }, "Mercury.dat"},
        {[](CaseData& c) { c.dete = "20"; }, "the annulus has no area"},
        {[](CaseData& c) { c.spi = "-1"; }, "wall thickness of the internal pipe is negative"},
        {[](CaseData& c) { c.spe = "-2"; }, "wall thickness of the external pipe is negative"},
        {[](CaseData& c) { c.estSporc = "-0,0001"; }, "external fouling factor is negative"},
        {[](CaseData& c) { c.intpress = ""; }, "pressure of the internal fluid is empty"},
    };
    for (const auto& row : rows) {
        CaseData c = waterCase();
        row.change(c);
        const CalcOutcome out = run(c);
        EXPECT_EQ(out.message, msg::kInvalidData);
        EXPECT_NE(out.detail.find(row.detailPart), std::string::npos) << out.detail;
    }
}

// Enthalpy of a fluid at a temperature, from its own table at the case's pressure.
double enthalpy(const std::string& fluid, const std::string& pressure, double t) {
    CalcState s;
    dbpropint(s, fluid);
    s.internal.press = *parseSingle(pressure);
    s.internal.table.reduceTo(s.internal.press);
    return propHint(s, t);
}

// The checks every sound result must pass: outlets between the inlets, the duty of each stream
// from its enthalpy change equal to the capacity, and the exchanger equation.
void expectPhysicalResult(const CaseData& c, const ResultsData& r) {
    const double lo = std::min(r.intTin, r.estTin), hi = std::max(r.intTin, r.estTin);
    EXPECT_GE(r.intTout, lo);
    EXPECT_LE(r.intTout, hi);
    EXPECT_GE(r.estTout, lo);
    EXPECT_LE(r.estTout, hi);
    const double intDuty = r.intPort * std::fabs(enthalpy(c.intfluid, c.intpress, r.intTin) -
                                                 enthalpy(c.intfluid, c.intpress, r.intTout));
    const double estDuty = r.estPort * std::fabs(enthalpy(c.estfluid, c.estpress, r.estTin) -
                                                 enthalpy(c.estfluid, c.estpress, r.estTout));
    EXPECT_NEAR(intDuty, r.q, 2e-3 * r.q);
    EXPECT_NEAR(estDuty, r.q, 2e-3 * r.q);
    const bool intHot = r.intTin > r.estTin;
    const double dtm = intHot ? dtml(r.intTin, r.intTout, r.estTin, r.estTout, r.controequi)
                              : dtml(r.estTin, r.estTout, r.intTin, r.intTout, r.controequi);
    EXPECT_NEAR(static_cast<double>(r.U) * r.a * dtm / 1000, r.q, 2e-3 * r.q);
    EXPECT_NEAR(r.a, 3.141593 * 0.025 * r.L, 1e-5 * r.a);
    EXPECT_GT(r.intDeltaP, 0);
    EXPECT_GT(r.estDeltaP, 0);
}

TEST(Driver, SolvesEveryModeArrangementAndOrientationConsistently) {
    for (const char scheme : {'A', 'B', 'C'})
        for (const bool lengthGiven : {true, false})
            for (const bool intHot : {true, false})
                for (const char* arrangement : {"contro", "equi"}) {
                    SCOPED_TRACE(std::string("scheme ") + scheme +
                                 (lengthGiven ? ", length" : ", capacity") +
                                 (intHot ? ", internal hot, " : ", external hot, ") + arrangement);
                    CaseData c = waterCase();
                    c.intToutGiven = scheme == 'A';
                    c.estToutGiven = scheme == 'B';
                    c.LGiven = lengthGiven;
                    c.controequi = arrangement;
                    if (!intHot) {
                        c.intTin = "15";
                        c.intTout = "35";
                        c.estTin = "80";
                        c.estTout = "65";
                    }
                    const CalcOutcome out = run(c);
                    ASSERT_TRUE(out.ok()) << out.message << ": " << out.detail;
                    expectPhysicalResult(c, *out.results);
                    EXPECT_EQ(out.results->controequi, arrangement);
                }
}

TEST(Driver, WritesBackRoundedTextsWithADecimalComma) {
    CaseData c = waterCase();
    const CalcOutcome out = run(c);
    ASSERT_TRUE(out.ok()) << out.detail;
    const ResultsData& r = *out.results;
    EXPECT_EQ(c.q, formatSingle(roundTo(r.q, 3)));
    EXPECT_EQ(c.intPort, formatSingle(roundTo(r.intPort, 4)));
    EXPECT_EQ(c.estTout, formatDouble(roundTo(r.estTout, 4)));
    EXPECT_NE(c.q.find(','), std::string::npos);
    EXPECT_EQ(c.intPort.find('.'), std::string::npos);
    // The given fields are never touched, and the record keeps the unrounded working values.
    EXPECT_EQ(c.intTout, "60");
    EXPECT_EQ(c.L, "6");
    EXPECT_EQ(r.deti, 25.0f);
    EXPECT_EQ(r.spi, 1.5f);
    EXPECT_EQ(r.L, 6.0f);

    CaseData byCapacity = waterCase();
    byCapacity.LGiven = false;
    byCapacity.intToutGiven = false;
    ASSERT_TRUE(run(byCapacity).ok());
    EXPECT_EQ(byCapacity.q, "15");  // the given capacity stays as typed
    EXPECT_FALSE(byCapacity.L.empty());
    EXPECT_NE(byCapacity.L, "6");
}

TEST(Driver, AFailureAfterTheWriteBackLeavesTheWrittenValues) {
    // Both flows and a capacity of 0 given: the outlets equal the inlets and are written back,
    // then the length iteration starts from a surface of 0 and faults.
    CaseData c = waterCase();
    c.intToutGiven = false;
    c.LGiven = false;
    c.q = "0";
    const CalcOutcome out = run(c);
    EXPECT_EQ(out.message, msg::kInvalidData);
    EXPECT_FALSE(out.results.has_value());
    EXPECT_EQ(c.intTout, "80");
    EXPECT_EQ(c.estTout, "15");
    EXPECT_EQ(c.L, "6");  // the length is written only after its iteration
}

TEST(Driver, OutputFieldsAreNeverParsed) {
    CaseData c = waterCase();
    c.intPort = "not a number";  // an output while the internal outlet temperature is given
    c.estTout = "?";
    c.q = "";
    EXPECT_TRUE(run(c).ok());
}

TEST(Driver, EqualInletTemperaturesTakeTheExternalHotBranch) {
    // Equal inlets pass the temperature check whichever way the given outlet runs; the solution
    // then heats the internal fluid: with its outlet given at 75 degC and the external
    // fluid at 80 degC it cannot be solved by cooling, and the log-mean difference fails.
    CaseData c = waterCase();
    c.intTin = c.estTin = "80";
    c.intTout = "75";
    const CalcOutcome cooled = run(c);
    EXPECT_EQ(cooled.message, msg::kInvalidData);
    EXPECT_NE(cooled.detail.find("cross"), std::string::npos) << cooled.detail;
    // Both mass flows given: with no difference of inlet temperatures the maximum duty is 0.
    c.intToutGiven = false;
    c.LGiven = false;
    c.q = "1";
    EXPECT_EQ(run(c).message, msg::kCapacityTooHigh);
}

TEST(Driver, RefusesACapacityEqualToTheMaximumDuty) {
    // A 1 K drop of the internal fluid makes it the large stream: the external one is Cmin and
    // the maximum duty heats it from 15 degC to the internal inlet, 80 degC.
    CaseData c = waterCase();
    c.LGiven = false;
    c.intTout = "79";
    c.estPort = "0,1";
    CalcState s;
    dbpropest(s, "Water");
    s.external.press = 1;
    s.external.table.reduceTo(1);
    const double hA = sgl(propHest(s, 15)), hB = sgl(propHest(s, 80));
    const float qmax = sgl((hB - hA) * 0.1f);
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(qmax));
    c.q = text;
    EXPECT_EQ(run(c).message, msg::kCapacityTooHigh);
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(std::nextafter(qmax, 0.0f)));
    c.q = text;
    EXPECT_NE(run(c).message, msg::kCapacityTooHigh);
}

TEST(Driver, ReportsAComputedOutletOutsideItsTable) {
    // Hot nitrogen would boil the water in the annulus: the table of water at 1 bar ends at 99.
    CaseData c = waterCase();
    c.intfluid = "Nitrogen";
    c.intTin = "390";
    c.intToutGiven = false;
    c.intPort = "0,1";
    c.estPort = "0,02";
    c.L = "6";
    for (const bool lengthGiven : {true, false}) {
        c.LGiven = lengthGiven;
        c.q = "20";
        EXPECT_EQ(run(c).message, msg::kOutOfRange) << (lengthGiven ? "length" : "capacity");
    }
}

TEST(Driver, AFaultAfterAnOutletLeftItsTableSaysSo) {
    // Over 30 m the water in the annulus would boil: its properties, extrapolated past 99 degC,
    // turn a viscosity negative before the loops end.
    CaseData c = waterCase();
    c.intfluid = "Nitrogen";
    c.intTin = "390";
    c.intToutGiven = false;
    c.intPort = "0,1";
    c.estPort = "0,02";
    c.L = "30";
    const CalcOutcome out = run(c);
    EXPECT_EQ(out.message, msg::kInvalidData);
    EXPECT_NE(out.detail.find("the external outlet temperature had reached"), std::string::npos)
        << out.detail;
    EXPECT_NE(out.detail.find("outside its table (1 to 99 °C)"), std::string::npos) << out.detail;
}

TEST(Driver, SchemeCWithLargeNtuStillIteratesTheOutletTemperatures) {
    // NTU about 10: the scaled start of the log-mean difference falls within 0.001 of 0.
    CaseData c = waterCase();
    c.intToutGiven = false;
    c.intPort = "0,02";
    c.estPort = "0,3";
    c.L = "30";
    const CalcOutcome out = run(c);
    ASSERT_TRUE(out.ok()) << out.message << ": " << out.detail;
    EXPECT_GT(out.results->q, 0);
    expectPhysicalResult(c, *out.results);
}

TEST(Driver, ConstantPropertyCaseMatchesAHandCalculation) {
    // User fluid on both sides (rho 1000, cp 4.2, k 0.6, mu 0.001, Pr 7), both flows turbulent,
    // capacity 20 kW. By hand: Re_i = 17362, Re_e = 14346, Nu = 0.027 Re^0.8 Pr^(1/3);
    // hio = 3054.6, he = 3121.7, wall 0.0015/14.9*25/22, fouling 0.0003: U = 941.52 W/(m^2 K).
    // Outlets 80 - 20/(0.3*4.2) = 64.127 and 15 + 20/(0.8*4.2) = 20.952 degC;
    // countercurrent LMTD 53.935 K, surface 0.39385 m^2, length 5.0146 m.
    CaseData c = userFluidCase();
    const CalcOutcome out = run(c);
    ASSERT_TRUE(out.ok()) << out.detail;
    const ResultsData& r = *out.results;
    EXPECT_NEAR(r.intTout, 64.12698, 2e-4);
    EXPECT_NEAR(r.estTout, 20.95238, 2e-4);
    EXPECT_NEAR(r.Rei, 17362.36, 0.05);
    EXPECT_NEAR(r.Ree, 14346.36, 0.05);
    EXPECT_NEAR(r.U, 941.5228, 0.01);
    EXPECT_NEAR(r.a, 0.393845, 1e-5);
    EXPECT_NEAR(r.L, 5.014596, 5e-5);
    EXPECT_EQ(c.L, "5,015");
    EXPECT_NEAR(r.intVel, 0.789198, 1e-6);
    EXPECT_NEAR(r.estVel, 0.683160, 1e-6);
    EXPECT_NEAR(r.intDeltaP, 1.912423, 1e-4);

    c.controequi = "equi";  // equicurrent LMTD 53.345 K: a longer exchanger
    const CalcOutcome equi = run(c);
    ASSERT_TRUE(equi.ok());
    EXPECT_NEAR(equi.results->L, 5.070065, 5e-5);
}

}  // namespace
}  // namespace zano
