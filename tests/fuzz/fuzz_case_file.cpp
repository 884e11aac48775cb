// The case file reader on any bytes: either a CaseFileError or a case; a case that can be
// written again reads back field for field.
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

#include "formats/case_file.h"
#include "fuzz_support.h"

namespace {

auto fields(const zano::CaseData& c) {
    return std::tie(c.deti, c.spi, c.dete, c.spe, c.intTin, c.intTout, c.intPort, c.estTin,
                    c.estTout, c.estPort, c.L, c.intfluid, c.estfluid, c.mat, c.intSporc,
                    c.estSporc, c.intpress, c.estpress, c.q, c.intToutGiven, c.controequi, c.LGiven,
                    c.estToutGiven, c.project, c.item, c.service, c.revision, c.preparedBy,
                    c.checkedBy, c.notes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zano::CaseData c;
    try {
        c = zano::parseCaseFile(bytes);
    } catch (const zano::CaseFileError& e) {
        ZANO_FUZZ_CHECK(std::string_view(e.what()).size() > 0, "an empty reason");
        return 0;
    }
    ZANO_FUZZ_CHECK(!(c.estToutGiven && c.intToutGiven), "both outlet temperatures given");
    std::string text;
    try {
        text = zano::caseFileText(c);
    } catch (const zano::CaseFileError&) {
        return 0;  // an unquoted field may hold a double quote, which a case file cannot write
    }
    ZANO_FUZZ_CHECK(fields(zano::parseCaseFile(text)) == fields(c), text);
    ZANO_FUZZ_CHECK(zano::caseFileText(zano::parseCaseFile(text)) == text, text);
    return 0;
}
