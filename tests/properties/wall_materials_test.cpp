#include "properties/wall_materials.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "properties/calc_state.h"
#include "temp_files.h"

namespace zano {
namespace {

using WallMaterials = testing::TempDataDir;

const char* const kEleven =
    "\"Carbon steel\",50,0.000045\n"
    "\"Steel, galvanised\",45.5,0.00015\n"  // a quoted name may hold a comma
    "Copper,401,0.0000015\n"                // unquoted names are allowed
    "\"copper\",350,0.000002\n"             // differs only in case: another material
    "\"Brass\",110,0.0000015\n"
    "\"Aluminium\",237,0.0000015\n"
    "\"Titanium\",21.9,0.0000015\n"
    "\"Cupronickel 90/10\",40,0.0000015\n"
    "\"Nickel\",90.7,0.0000015\n"
    "\"Glass\",1.2,0.0000015\n"
    "\"PVC\",0.17,0.0000016\n";

TEST_F(WallMaterials, ElevenRecordsAllFoundByExactName) {
    write("condmat.dat", kEleven);
    CalcState s;
    s.dataDir = dir_;
    const auto names = dbmateriale(s);
    ASSERT_EQ(names.size(), 11u);
    EXPECT_EQ(names[1], "Steel, galvanised");
    const struct Row {
        const char* name;
        float cond;
        double rug;
    } rows[] = {
        {"Carbon steel", 50, 0.000045}, {"Steel, galvanised", 45.5f, 0.00015},
        {"Copper", 401, 0.0000015},     {"copper", 350, 0.000002},
        {"Titanium", 21.9f, 0.0000015}, {"PVC", 0.17f, 0.0000016},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        s.inizializza();
        proptubo(s, r.name);
        EXPECT_EQ(s.condTubo, r.cond);
        EXPECT_EQ(s.rugTubo, r.rug);
    }
}

TEST_F(WallMaterials, NoMatchLeavesTheValues) {
    write("condmat.dat", kEleven);
    CalcState s;
    s.dataDir = dir_;
    dbmateriale(s);
    s.condTubo = 7;
    s.rugTubo = 0.5;
    for (const char* name : {"COPPER", "Copper ", "", "Steel"}) {
        SCOPED_TRACE(name);
        proptubo(s, name);
        EXPECT_EQ(s.condTubo, 7);
        EXPECT_EQ(s.rugTubo, 0.5);
    }
}

TEST_F(WallMaterials, DuplicateNameTakesTheLastEntry) {
    const auto m = readMaterialFile(write("condmat.dat",
                                          "\"Brass\",110,0.0000015\n"
                                          "\"Copper\",401,0.0000015\n"
                                          "\"Brass\",120,0.000003\n"));
    CalcState s;
    s.materials = m;
    proptubo(s, "Brass");
    EXPECT_EQ(s.condTubo, 120);
    EXPECT_EQ(s.rugTubo, 0.000003);
}

TEST_F(WallMaterials, MalformedFilesFail) {
    const struct Row {
        const char* name;
        std::string content;
        std::string detail;
    } rows[] = {
        {"a twelfth record", std::string(kEleven) + "\"Lead\",35,0.0000015\n",
         "data file \"condmat.dat\", line 12: more than 11 materials"},
        {"conductivity no number", "\"Copper\",abc,0.0000015\n", "line 1: \"abc\" is not a number"},
        {"record cut short", "\"Copper\",401\n", "line 1: the file ends within a record"},
        {"text after a quoted name", "\"Copper\" pipe,401,0.0000015\n", "line 1: text follows"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto file = write("condmat.dat", r.content);
        try {
            readMaterialFile(file);
            ADD_FAILURE() << "no error";
        } catch (const CalcError& e) {
            EXPECT_NE(e.detail().find(r.detail), std::string::npos) << e.detail();
        }
    }
    CalcState s;
    s.dataDir = dir_ / "missing";
    EXPECT_THROW(dbmateriale(s), CalcError);
}

TEST(ShippedMaterials, ElevenMaterialsBesideTheProgram) {
    CalcState s;  // the data folder beside the executable
    const auto names = dbmateriale(s);
    ASSERT_EQ(names.size(), kMaxMaterials);
    proptubo(s, "Carbon steel");
    EXPECT_EQ(s.condTubo, 50);
    EXPECT_EQ(s.rugTubo, 0.000045);
}

}  // namespace
}  // namespace zano
