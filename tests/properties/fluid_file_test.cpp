#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "properties/fluid_table.h"
#include "temp_files.h"

namespace zano {
namespace {

using FluidFile = testing::TempDataDir;

const std::string kTwoBlocks = std::string(ZANO_TEST_DATA) + "/Two blocks.dat";

// The detail of the CalcError that f throws, or "(no error)".
template <typename F>
std::string failure(F f) {
    try {
        f();
    } catch (const CalcError& e) {
        EXPECT_EQ(e.message(), msg::kInvalidData);
        return e.detail();
    }
    return "(no error)";
}

std::string records(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += std::to_string(i) + ",1,1000,4.2,0.6,0.001," + std::to_string(4 * i) + "\n";
    return s;
}

TEST_F(FluidFile, AcceptsLayoutVariations) {
    const std::string canonical = "0,1,1000,4.2,0.6,0.001,0\n10,2.5,990,4.19,0.61,0.0009,42\n";
    const struct Row {
        const char* name;
        std::string content;
    } rows[] = {
        {"canonical", canonical},
        {"CR LF line ends", "0,1,1000,4.2,0.6,0.001,0\r\n10,2.5,990,4.19,0.61,0.0009,42\r\n"},
        {"blanks and tabs around fields",
         " 0 ,\t1, 1000 ,4.2,0.6 ,0.001,0\n10 , 2.5,990,4.19,0.61,0.0009,  42  \n"},
        {"blank lines", "\n0,1,1000,4.2,0.6,0.001,0\n\n   \n10,2.5,990,4.19,0.61,0.0009,42\n\n"},
        {"a record over two lines", "0,1,1000,4.2\n0.6,0.001,0\n10,2.5,990,4.19,0.61,0.0009,42"},
        {"two records on one line", "0,1,1000,4.2,0.6,0.001,0,10,2.5,990,4.19,0.61,0.0009,42\n"},
        {"exponents", "0,1,1E3,4.2,0.6,1e-3,0\n1e1,2.5,990,4.19,0.61,9E-4,42\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const FluidTable t = readFluidTable(write("f.dat", r.content));
        EXPECT_EQ(t.T, (std::vector<double>{0, 10}));
        EXPECT_EQ(t.P, (std::vector<float>{1, 2.5f}));
        EXPECT_EQ(t.dens, (std::vector<double>{1000, 990}));
        EXPECT_EQ(t.cp, (std::vector<double>{4.2, 4.19}));
        EXPECT_EQ(t.cond, (std::vector<double>{0.6, 0.61}));
        EXPECT_EQ(t.visc, (std::vector<double>{0.001, 0.0009}));
        EXPECT_EQ(t.H, (std::vector<double>{0, 42}));
    }
}

TEST_F(FluidFile, MalformedFilesNameFileAndLine) {
    const struct Row {
        const char* name;
        std::string content;
        std::string detail;
    } rows[] = {
        {"empty file", "", "data file \"bad.dat\" holds no records"},
        {"only blank lines", "\n  \r\n\n", "data file \"bad.dat\" holds no records"},
        {"a word for a number", "0,1,abc,4.2,0.6,0.001,0\n",
         "data file \"bad.dat\", line 1: \"abc\" is not a number"},
        {"bad field counted after a blank line",
         "0,1,1000,4.2,0.6,0.001,0\n\n10,1,990,4.2,0.6,0.001,4x\n",
         "data file \"bad.dat\", line 3: \"4x\" is not a number"},
        {"empty field", "0,1,,4.2,0.6,0.001,0\n", "line 1: a number is missing"},
        {"record cut short", "0,1,1000,4.2,0.6,0.001,0\n10,1,990,4.2\n",
         "line 2: the file ends within a record (4 of 7 fields)"},
        {"trailing comma leaves an empty eighth field", "0,1,1000,4.2,0.6,0.001,0,\n",
         "line 1: the file ends within a record (1 of 7 fields)"},
        {"quoted number", "0,\"1\",1000,4.2,0.6,0.001,0\n", "line 1: a quoted text"},
        {"pressure beyond single range", "0,1e39,1000,4.2,0.6,0.001,0\n",
         "line 1: \"1e39\" is too large"},
        {"unclosed quote", "0,1,1000,4.2,0.6,0.001,\"0\n", "line 1: a quoted text is not closed"},
        {"452 records", records(452), "data file \"bad.dat\", line 452: more than 451 records"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto file = write("bad.dat", r.content);
        EXPECT_NE(failure([&] { readFluidTable(file); }).find(r.detail), std::string::npos)
            << failure([&] { readFluidTable(file); });
    }
}

TEST_F(FluidFile, HoldsUpTo451Records) {
    const FluidTable t = readFluidTable(write("full.dat", records(451)));
    ASSERT_EQ(t.size(), 451u);
    EXPECT_EQ(t.T.back(), 450);
    EXPECT_EQ(t.H.back(), 1800);
}

TEST_F(FluidFile, MissingOrUnreadable) {
    EXPECT_EQ(failure([&] { readFluidTable(dir_ / "nowhere.dat"); }),
              "data file \"nowhere.dat\" is missing or unreadable");
    std::filesystem::create_directory(dir_ / "folder.dat");
    EXPECT_EQ(failure([&] { readFluidTable(dir_ / "folder.dat"); }),
              "data file \"folder.dat\" is missing or unreadable");
}

TEST(FluidTableReduce, KeepsExactlyTheSelectedBlock) {
    const FluidTable full = readFluidTable(kTwoBlocks);
    ASSERT_EQ(full.size(), 7u);

    FluidTable first = full;
    first.reduceTo(1);
    EXPECT_EQ(first.T, (std::vector<double>{10, 20, 40}));
    EXPECT_EQ(first.P, (std::vector<float>{1, 1, 1}));
    EXPECT_EQ(first.H, (std::vector<double>{40, 80.5, 164.5}));

    FluidTable last = full;  // the block that ends at the last record keeps its last row
    last.reduceTo(5);
    EXPECT_EQ(last.T, (std::vector<double>{0, 20, 30, 50}));
    EXPECT_EQ(last.P, (std::vector<float>{5, 5, 5, 5}));
    EXPECT_EQ(last.dens, (std::vector<double>{1010, 1000, 985, 950}));
    EXPECT_EQ(last.cp, (std::vector<double>{3.9, 4.0, 4.2, 4.5}));
    EXPECT_EQ(last.cond, (std::vector<double>{0.45, 0.50, 0.60, 0.70}));
    EXPECT_EQ(last.visc, (std::vector<double>{0.0030, 0.0020, 0.0016, 0.0011}));
    EXPECT_EQ(last.H, (std::vector<double>{1, 81, 122, 209}));

    FluidTable absent = full;
    EXPECT_THROW(absent.reduceTo(7), CalcError);
}

TEST(FluidTableReduce, OnlyTheFirstBlockOfARepeatedPressure) {
    FluidTable t;
    t.T = {0, 10, 0, 10, 0, 10};
    t.P = {1, 1, 2, 2, 1, 1};
    t.dens = {1, 2, 3, 4, 5, 6};
    t.cp = t.cond = t.visc = t.H = t.dens;
    t.reduceTo(1);
    EXPECT_EQ(t.dens, (std::vector<double>{1, 2}));
}

TEST(FluidTableReduce, LookupsOnTheUnreducedTableMatchTheirPressure) {
    const FluidTable t = readFluidTable(kTwoBlocks);
    struct Row {
        const char* name;
        double value;
        double expected;
    } rows[] = {
        {"5 bar density inside its block", t.properties(25, 5).dens, 992.5000005960464},
        {"absent pressure: rows 0 and 1, no failure", t.enthalpy(15, 7), 60.249998569488525},
        {"5 bar above its block: its last interval", t.enthalpy(60, 5), 252.49999713897705},
        {"1 bar at its last row: its last interval", t.enthalpy(40, 1), 164.49999618530273},
        {"1 bar wall viscosity past its block, below the table's last row", t.wallViscosity(45, 1),
         0.000875000015788828},
        {"wall viscosity holds the last row of the whole table", t.wallViscosity(50, 1), 0.0011},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_DOUBLE_EQ(r.value, r.expected);
    }
}

TEST_F(FluidFile, OneRowBlockFailsOnlyWhenReduced) {
    FluidTable t = readFluidTable(write("one.dat",
                                        "5,1,1000,4.2,0.6,0.001,21\n"
                                        "0,3,1000,4.2,0.6,0.001,0\n"
                                        "10,3,990,4.2,0.6,0.001,42\n"));
    EXPECT_NO_THROW(t.properties(5, 1));  // unreduced: rows 0 and 1 serve
    t.reduceTo(1);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(failure([&] { t.properties(5, 1); }),
              "the fluid table has a single row; interpolation needs two");
}

}  // namespace
}  // namespace zano
