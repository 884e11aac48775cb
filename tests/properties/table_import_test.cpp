// Tables of the user's own: read as a spreadsheet gives them, refused with the line and the
// reason, and written so that they load like a shipped table.
#include "properties/table_import.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/errors.h"
#include "base/number_text.h"
#include "golden_text.h"
#include "hostile_files.h"
#include "properties/fluid_names.h"
#include "properties/fluid_table.h"
#include "scratch_files.h"

namespace zano {
namespace {

using TableImport = testing::ScratchTest;

std::string enthalpyColumn(const std::string& table) {
    std::string column, line;
    std::istringstream in(table);
    while (std::getline(in, line)) column += line.substr(line.rfind(',') + 1) + " ";
    return column;
}

// With a constant specific heat the integrated enthalpy is cp (T - T0), to the last rounding of
// the single the table stores.
TEST_F(TableImport, ConstantSpecificHeatGivesLinearEnthalpy) {
    const auto rows = parseFluidTable(
        "T;rho;cp;k;mu\r\n-20;900;2,1;0,13;0,09\r\n0;890;2,1;0,13;0,05\r\n15,5;880;2,1;0,13;"
        "0,03\r\n\r\n40;870;2,1;0,13;0,012\r\n100;840;2,1;0,13;0,004\r\n");
    ASSERT_EQ(rows.size(), 5u);
    std::string expected;
    for (const ImportedRow& r : rows)
        expected +=
            formatSingle(static_cast<float>(2.1 * (static_cast<double>(r.T) + 20)), '.') + " ";
    // 2.1 is no exact binary number: cp is the single nearest to 2.1, as the table stores it.
    EXPECT_EQ(enthalpyColumn(importedTableText(rows)), expected);

    // Written, it loads like a shipped table and answers at a temperature between its rows.
    const auto file = dir_ / "Oil.dat";
    writeImportedTable(file, rows);
    const FluidTable t = readFluidTable(file);
    const FluidProperties p = t.properties(27.75, 1);
    EXPECT_NEAR(p.visc, 0.021, 1e-9);  // halfway between 0.03 and 0.012
    EXPECT_NEAR(t.enthalpy(27.75, 1), 2.1 * 47.75, 1e-4);
}

// Reading, saving and naming a table, each case and what it gives set down in
// tests/properties/golden/table_import.txt.
TEST_F(TableImport, ReadsSavesAndNamesAsTheGoldenTableSays) {
    write("Engine oil.dat", "0,1,1,1,1,1,0\n");
    write("condmat.dat", "\"Copper\",401,0.0000015\n");
    const std::string file = "properties/golden/table_import.txt";
    const std::string out =
        golden_text::table(file, [&](const std::string& op, const std::string& argument) {
            const std::string text = golden_text::unescaped(argument);
            if (op == "name") {
                const std::string refusal = ownTableNameRefusal(text, dir_);
                return refusal.empty() ? std::string("may be saved") : refusal;
            }
            try {
                const std::vector<ImportedRow> rows = parseFluidTable(text);
                if (op == "save") {
                    readFluidTable(write("saved-table.dat", importedTableText(rows)));
                    return std::string("saved, and it loads");
                }
                std::string read;
                for (const ImportedRow& r : rows)
                    read += std::string(read.empty() ? "" : " ") + formatSingle(r.T, '.') + "/" +
                            formatSingle(r.dens, '.') + "/" + formatSingle(r.cp, '.') + "/" +
                            formatSingle(r.cond, '.') + "/" + formatDouble(r.visc, '.');
                return read;
            } catch (const TableImportError& e) {
                return std::string(e.what());
            }
        });
    EXPECT_EQ(golden_text::mismatch(file, out), "");
    std::string many;  // one row more than a table holds
    for (int t = 0; t <= 451; ++t) many += std::to_string(t) + ";1;1;1;1\n";
    EXPECT_THROW(parseFluidTable(many), TableImportError);
    EXPECT_EQ(ownTableNameRefusal("Engine oil", {}), "");  // no shipped folder: nothing beside it
}

// Only a regular file is read, and no more of it than a table can take: a pipe would wait for a
// writer for ever, a device such as /dev/zero never ends.
TEST_F(TableImport, ReadsOnlyARegularFileOfATablesSize) {
    const std::string table =
        "\xEF\xBB\xBF"
        "20;998;4,18;0,6;0,001\r40;992;4,18;0,63;0,00065\r";
    const std::string out = testing::hostileAnswers(
        dir_, kMaxTableFileBytes, table, [&](const std::filesystem::path& file) -> std::string {
            try {
                const std::string bytes = readTableFile(file);
                const bool whole = bytes.rfind(table, 0) == 0 && bytes.size() == kMaxTableFileBytes;
                return whole ? "read whole" : "read other bytes";
            } catch (const TableFileError& e) {
                return e.what();
            }
        });
    EXPECT_EQ(golden_text::mismatch("properties/golden/hostile_table_files.txt", out), "");
    try {
        readTableFile(dir_ / "missing.csv");
        ADD_FAILURE() << "a missing file was read";
    } catch (const TableFileError& e) {
        EXPECT_STREQ(e.what(), "No such file or directory.");
    }
}

// A table that cannot be saved leaves the old one byte for byte.
TEST_F(TableImport, AFailedSaveLeavesTheOldTable) {
    const auto file = write("Oil.dat", "old");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    const auto rows = parseFluidTable("0;1;1;1;1\n10;1;1;1;1\n");
    try {
        writeImportedTable(file, rows);
        ADD_FAILURE() << "a read-only table was replaced";
    } catch (const TableImportError& e) {
        EXPECT_NE(std::string(e.what()).find("The file is read-only"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(testing::fileBytes(file), "old");
}

// The engine oil that comes with the program is the import of its published table
// (examples/engine-oil.csv), byte for byte; make golden writes it again from the CSV.
TEST(ShippedTables, EngineOilIsTheImportOfItsCsv) {
    const std::string csv = testing::fileBytes(ZANO_SOURCE_DIR "/examples/engine-oil.csv");
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(
        golden_text::mismatch("../data/Engine oil.dat", importedTableText(parseFluidTable(csv))),
        "");
}

}  // namespace
}  // namespace zano
