#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The comma-separated sequential text shared by the fluid tables and the material table.
namespace zano {

// A fluid table holds at most 451 records of seven numbers. Written at full double precision
// ("-1.2345678901234567e-100", 24 characters) with a comma and a blank each, a record takes
// under 256 bytes, so 451 records fit in 113 KiB; four times that leaves room for blank lines
// and indentation. A larger file is no data file and is refused before it is read into memory.
inline constexpr std::uintmax_t kMaxDataFileBytes = 512 * 1024;

// One field of a data file: blanks around it removed, and the quotes of a quoted text.
struct DataField {
    std::string_view text;  // into the reader's copy of the file
    bool quoted = false;
    std::size_t line = 0;  // 1-based
};

// Reads a data file field by field: fields are separated by commas or line ends, blanks
// around a field are ignored, lines end in LF, CR LF or CR, blank lines are skipped, and a text
// field may be enclosed in double quotes (then it may hold commas). Every fault ends with
// "Invalid data" naming the file and, where there is one, the line.
class DataFileReader {
  public:
    // Reads the whole file at once; fails when it is missing or unreadable, is not a regular
    // file or is larger than kMaxDataFileBytes.
    explicit DataFileReader(const std::filesystem::path& file);
    // Reads `data` as the file `name` would be read: a table about to be saved, checked first.
    DataFileReader(std::string name, std::string data);

    // The next field; false at the end of the data.
    bool next(DataField& field);

    // A numeric field; a quoted, empty or malformed one fails.
    double number(const DataField& field) const;
    float single(const DataField& field) const;  // read straight to single precision

    [[noreturn]] void fail(std::size_t line, const std::string& cause) const;
    [[noreturn]] void failFile(const std::string& cause) const;

  private:
    bool nextLine();
    void checkNumberField(const DataField& field) const;

    std::string name_;        // the file name as messages show it
    std::string data_;        // the whole file
    std::size_t next_ = 0;    // start of the next line in data_
    std::size_t lineNo_ = 0;  // 1-based number of the current line
    std::string_view line_;   // the rest of the current line
    bool inLine_ = false;     // another field stands on the current line
};

}  // namespace zano
