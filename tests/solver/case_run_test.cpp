// One case run: the case is not changed, what the calculation finds is applied to a copy, a
// view that cannot be worked out is a note, and tables edited between two runs are read again.
#include "solver/case_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "properties/wall_materials.h"
#include "reference_cases.h"
#include "scratch_files.h"

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

}  // namespace
}  // namespace zano
