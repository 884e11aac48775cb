// The shipped pipe catalogue as read, and what its lookups give for texts as a case's boxes hold
// them, set down in tests/properties/golden/pipe_catalogue.txt; broken catalogues refused by line.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/errors.h"
#include "base/number_text.h"
#include "golden_text.h"
#include "properties/data_folder.h"
#include "scratch_files.h"

namespace zano {
namespace {

std::string matches(const PipeCatalogue& pipes, const char* od, const char* wall) {
    std::string out = std::string(od) + " x " + wall + ":";
    for (const PipeSize* p : pipesMatching(pipes, od, wall))
        out += " [" + p->standard + " " + p->designation + "]";
    return out + "\n";
}

TEST(PipeCatalogue, ShippedTableReadsAsItsGoldenAndEveryRowFindsItself) {
    DataFolder data;
    data.dataDir = std::filesystem::path(ZANO_SOURCE_DIR) / "data";
    const PipeCatalogue pipes = data.pipeCatalogue();
    std::string out;
    char line[256];
    for (const PipeSize& p : pipes) {
        std::snprintf(line, sizeof line, "%s | %s | %.17g | %.17g\n", p.standard.c_str(),
                      p.designation.c_str(), p.od, p.wall);
        out += line;
        // A row's own values, as the window shows them, lead back to it.
        bool found = false;
        for (const PipeSize* m : pipesMatching(pipes, formatDouble(p.od), formatDouble(p.wall)))
            found = found || m == pipeNamed(pipes, p.standard, p.designation);
        EXPECT_TRUE(found) << p.designation;
    }
    for (auto [od, wall] : {std::pair{"33,4", "3,38"},
                            {"33,40", "3,4"},
                            {" 22 ", "1"},
                            {"42,16", "3,56"},
                            {"60", "4"},
                            {"", "1"},
                            {"2,1E1", "1"}})
        out += matches(pipes, od, wall);
    EXPECT_EQ(golden_text::mismatch("properties/golden/pipe_catalogue.txt", out), "");
}

using BrokenCatalogue = testing::ScratchTest;

TEST_F(BrokenCatalogue, IsRefusedWithItsLineAndReadAgainOnceChanged) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"A\",\"1\",10,1\n\"A\",\"2\",10\n", "line 2: the line has 3 of 4 fields"},
        {"\"A\",\"1\",10,1,2\n", "line 1: the line has more than 4 fields"},
        {"A,\"1\",10,1\n", "line 1: the standard is not a quoted text"},
        {"\"A\",\"1\",10,5\n", "line 1: the wall is not positive and below half the outside"},
        {"\"A\",\"1\",ten,1\n", "line 1: \"ten\" is not a number"},
        {"\"A\",\"1\",10,1\n\n\"A\",\"1\",12,1\n", "line 3: the designation \"1\" stands twice"},
    };
    DataFolder data;
    data.dataDir = dir_;
    write("pipes.dat", "\"A\",\"1\",10,1\n");
    EXPECT_EQ(data.pipeCatalogue().size(), 1u);
    for (const auto& [text, cause] : cases) {
        write("pipes.dat", text);
        try {
            data.pipeCatalogue();
            ADD_FAILURE() << text;
        } catch (const CalcError& e) {
            EXPECT_NE(e.detail().find(cause), std::string::npos) << e.detail();
            EXPECT_STREQ(e.what(), msg::kInvalidData);
        }
    }
}

}  // namespace
}  // namespace zano
