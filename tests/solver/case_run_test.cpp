// One case run: the case is not changed, what the calculation finds is applied to a copy, a
// view that cannot be worked out is a note, and tables edited between two runs are read again.
#include "solver/case_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "formats/case_file.h"
#include "properties/wall_materials.h"
#include "reference_cases.h"
#include "scratch_files.h"
#include "solver/case_values.h"

namespace zano {
namespace {

namespace fs = std::filesystem;

DataFolder shippedData() {
    CalcState s;
    s.data.dataDir = ZANO_SOURCE_DIR "/data";
    dbmateriale(s);
    return s.data;
}

TEST(CaseRun, AppliesWhatItFindsToACopyAndNotesTheViewsItCannotAdd) {
    const DataFolder data = shippedData();
    // The internal outlet, the external flow and the length given: the internal flow, the
    // external outlet and the capacity found.
    CaseData c = testing_cases::waterCase();
    c.q = "stale";
    const CaseData given = c;
    const CaseRun run = runCase(c, data, {10, true});
    ASSERT_TRUE(run.ok()) << run.out.detail;
    EXPECT_EQ(c.q, given.q);
    EXPECT_EQ(run.entered.q + run.entered.intPort + run.entered.estTout, "");
    std::string found;
    for (const FieldText& w : run.out.written) found += std::string(w.field->name) + " ";
    EXPECT_EQ(found, "q intPort estTout ");
    EXPECT_EQ(run.solved.q, run.out.written[0].text);
    EXPECT_EQ(run.solved.L, given.L);
    EXPECT_EQ(run.profile->points.size(), 11u);
    EXPECT_TRUE(run.otherSet.has_value());
    // The views add no note to those of the case's ground, which the run without them has.
    const std::size_t groundNotes = runCase(c, data, {}).notes.size();
    EXPECT_EQ(run.notes.size(), groundNotes);

    c.hairpinLength = "60";  // a leg longer than any hairpin built: refused, the results stand
    const CaseRun noted = runCase(c, data, {});
    ASSERT_TRUE(noted.ok()) << noted.out.detail;
    ASSERT_EQ(noted.notes.size(), groundNotes + 1);
    EXPECT_EQ(noted.notes[0].rfind("the hairpins: ", 0), 0u) << noted.notes[0];
    EXPECT_FALSE(noted.hairpins.has_value());
}

TEST(CaseRun, ATableEditedBetweenTwoRunsIsReadAgain) {
    const testing::ScratchDir scratch;
    const fs::path& dir = scratch.path;
    fs::copy(ZANO_SOURCE_DIR "/data", dir, fs::copy_options::recursive);
    DataFolder data = shippedData();
    data.dataDir = dir;
    const CaseData c = testing_cases::waterCase();
    const CaseRun before = runCase(c, data, {});
    ASSERT_TRUE(before.ok()) << before.out.detail;

    // The conductivity of water a tenth higher at every row, written in place with the same
    // size and modification time: only the change time tells the file apart.
    const fs::path water = dir / "Water.dat";
    const auto modified = fs::last_write_time(water);
    const std::string s = testing::fileBytes(water);
    std::string edited;
    std::istringstream lines(s);
    for (std::string line; std::getline(lines, line);) {
        std::size_t comma = 0;
        for (int k = 0; k < 4; ++k) comma = line.find(',', comma) + 1;
        if (line.compare(comma, 3, "0.5") == 0) line[comma + 2] = '6';
        edited += line + "\n";
    }
    ASSERT_EQ(edited.size(), s.size());
    std::ofstream(water, std::ios::binary | std::ios::in) << edited;
    fs::last_write_time(water, modified);

    const CaseRun after = runCase(c, data, {});
    ASSERT_TRUE(after.ok()) << after.out.detail;
    EXPECT_NE(after.out.results->U, before.out.results->U);
    DataFolder fresh = data;
    fresh.tables = std::make_shared<FileCache<FluidTable>>();
    EXPECT_EQ(runCase(c, fresh, {}).out.results->U, after.out.results->U);
}

// Every shipped example, solved in its own mode and then given its outlet (the internal one where
// it gives both flows) with both flows found: the duty from that outlet sizes the exchanger as
// the capacity mode does given that duty, to the last bit, and is the example's own duty within
// the heat balance's tolerance.
TEST(CaseRun, TheDutyFromAnOutletSizesAsTheCapacityItFinds) {
    const DataFolder data = shippedData();
    int turned = 0;
    for (const auto& e : fs::directory_iterator(ZANO_SOURCE_DIR "/examples")) {
        if (e.path().extension() != ".zan") continue;
        const std::string name = e.path().stem().string();
        CaseData c = loadCaseFile(e.path());
        c.estToutGiven = !c.intToutGiven && name.find("est-outlet") != std::string::npos;
        const CaseRun own = runCase(c, data, {});
        ASSERT_TRUE(own.ok()) << name << ": " << own.out.detail;
        const ResultsData& r = *own.out.results;
        CaseData duty = own.solved;
        duty.intPort = exactText(r.intPort), duty.estPort = exactText(r.estPort);
        const bool internal = c.intToutGiven || !c.estToutGiven;
        if (!c.intToutGiven && !c.estToutGiven) duty.intTout = exactText(r.intTout);
        ASSERT_TRUE(setDutyFrom(duty, internal ? "internal" : "external"));
        const CaseRun found = runCase(duty, data, {});
        ASSERT_TRUE(found.ok()) << name << ": " << found.out.detail;
        EXPECT_NEAR(found.out.results->q, r.q, 0.005 * r.q) << name;

        CaseData capacity = duty;
        capacity.dutyFrom = DutyFrom::None;
        capacity.intToutGiven = capacity.estToutGiven = false;
        capacity.q = exactText(found.out.results->q);
        const CaseRun sized = runCase(capacity, data, {});
        ASSERT_TRUE(sized.ok()) << name << ": " << sized.out.detail;
        EXPECT_EQ(found.out.results->L, sized.out.results->L) << name;
        ++turned;
    }
    EXPECT_GE(turned, 10);
}

// The duty worked by hand on the rows of the water table at 1 bar: the internal water from
// h(80) = 335.0542 to h(60) = 251.2476 kJ/kg at 0,3 kg/s gives 0.3 x 83.8066 = 25.14198 kW;
// the external water at 0,5 kg/s takes it from h(15) = 63.07556 to 63.07556 + 25.14198 / 0.5 =
// 113.35952 kJ/kg, between the rows of 27 (113.2808) and 28 degC (117.4612):
// 27 + 0.07872 / 4.1804 = 27.01883 degC.
TEST(CaseRun, TheDutyFromTheInternalOutletIsItsEnthalpyChange) {
    CaseData c = testing_cases::waterCase();
    ASSERT_TRUE(setDutyFrom(c, "Internal"));
    const CaseRun run = runCase(c, shippedData(), {});
    ASSERT_TRUE(run.ok()) << run.out.detail;
    EXPECT_NEAR(run.out.results->q, 25.14198, 1e-4);
    EXPECT_NEAR(run.out.results->estTout, 27.01883, 1e-4);
    // The capacity written back as found; the outlet and both flows stay as typed.
    EXPECT_EQ(run.solved.q + " " + run.solved.intTout + " " + run.solved.intPort + " " +
                  run.solved.estPort,
              "25,142 60 0,3 0,5");
}

}  // namespace
}  // namespace zano
