#include "properties/pipe_catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "base/number_text.h"
#include "base/plain_text.h"
#include "properties/data_file_reader.h"

namespace zano {
namespace {

constexpr std::size_t kFields = 4;

// One line's record; the reader has checked that its four fields stand on that line.
PipeSize pipeOf(const DataFileReader& reader, const std::array<DataField, kFields>& f) {
    for (std::size_t i : {0, 1})
        if (!f[i].quoted || f[i].text.empty())
            reader.fail(f[i].line, i == 0 ? "the standard is not a quoted text"
                                          : "the designation is not a quoted text");
    PipeSize p{std::string(f[0].text), std::string(f[1].text), reader.number(f[2]),
               reader.number(f[3])};
    // A pipe has a bore: a wall of at least half the diameter leaves none.
    if (!(p.od > 0 && p.od < 1e4)) reader.fail(f[2].line, "the outside diameter is not 0 to 10 m");
    if (!(p.wall > 0 && 2 * p.wall < p.od))
        reader.fail(f[3].line, "the wall is not positive and below half the outside diameter");
    return p;
}

// A typed size is a catalogue pipe's when it equals the catalogue's value to the hundredth of a
// millimetre the standards give: a wall typed "2" is no 1,65 mm wall, whatever its resolution.
constexpr double kSameSize = 0.005 * (1 + 1e-9);

}  // namespace

PipeCatalogue readPipeCatalogue(const std::filesystem::path& file) {
    DataFileReader reader(file);
    PipeCatalogue pipes;
    std::array<DataField, kFields> record;
    std::size_t filled = 0;
    DataField field;
    const auto cut = [&](std::size_t line) {
        reader.fail(line, "the line has " + std::to_string(filled) + " of 4 fields");
    };
    std::size_t lastLine = 0;  // of the last whole record
    while (reader.next(field)) {
        if (filled == 0 && field.line == lastLine)
            reader.fail(lastLine, "the line has more than 4 fields");
        if (filled > 0 && field.line != record[0].line) cut(record[0].line);
        record[filled++] = std::move(field);
        if (filled < kFields) continue;
        filled = 0;
        lastLine = record[0].line;
        PipeSize p = pipeOf(reader, record);
        if (pipeNamed(pipes, p.standard, p.designation))
            reader.fail(record[1].line, "the designation \"" + excerpt(p.designation) +
                                            "\" stands twice in " + excerpt(p.standard));
        pipes.push_back(std::move(p));
    }
    if (filled > 0) cut(record[0].line);
    return pipes;
}

const PipeSize* pipeNamed(const PipeCatalogue& pipes, std::string_view standard,
                          std::string_view designation) {
    for (const PipeSize& p : pipes)
        if (p.standard == standard && p.designation == designation) return &p;
    return nullptr;
}

std::vector<const PipeSize*> pipesMatching(const PipeCatalogue& pipes, std::string_view odText,
                                           std::string_view wallText) {
    std::vector<const PipeSize*> found;
    const auto od = parseDouble(odText);
    const auto wall = parseDouble(wallText);
    if (!od || !wall) return found;
    for (const PipeSize& p : pipes)
        if (std::abs(p.od - *od) <= kSameSize && std::abs(p.wall - *wall) <= kSameSize)
            found.push_back(&p);
    // Nearest first.
    const auto distance = [&](const PipeSize* p) {
        return std::abs(p->od - *od) + std::abs(p->wall - *wall);
    };
    std::stable_sort(found.begin(), found.end(),
                     [&](auto* a, auto* b) { return distance(a) < distance(b); });
    return found;
}

}  // namespace zano
