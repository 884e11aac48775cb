// A fault outside the calculation's own checks, memory exhausted or anything thrown, still ends the
// calculation with "Invalid data" and its cause instead of escaping to the caller.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "base/errors.h"
#include "base/faults.h"
#include "reference_cases.h"
#include "solver/driver.h"

namespace {
bool failAllocations = false;
}  // namespace

// The replacements below pair malloc with free on purpose; GCC cannot see that they are one.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

// Every allocation of this test program goes through here; while failAllocations is set, the
// large ones (the data files read whole) fail as when memory runs out.
void* operator new(std::size_t size) {
    if (failAllocations && size > 4096) throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace zano {
namespace {

TEST(DriverFaults, MemoryExhaustedEndsInInvalidData) {
    CalcState s;
    dbmateriale(s);
    CaseData c = testing_cases::waterCase();
    failAllocations = true;
    const CalcOutcome out = calculate(c, s);
    failAllocations = false;
    EXPECT_FALSE(out.ok());
    EXPECT_EQ(out.message, msg::kInvalidData);
    EXPECT_EQ(out.detail.rfind("the calculation failed unexpectedly", 0), 0u) << out.detail;
}

// Anything thrown, not only a std::exception, while a fluid table is read.
TEST(DriverFaults, AnythingThrownEndsInInvalidData) {
    CalcState s;
    dbmateriale(s);
    CaseData c = testing_cases::waterCase();
    fileFaultHook() = [](const std::filesystem::path&) { throw 42; };
    const CalcOutcome out = calculate(c, s);
    fileFaultHook() = nullptr;
    EXPECT_EQ(out.message, msg::kInvalidData);
    EXPECT_EQ(out.detail, "the calculation failed unexpectedly (an unknown fault)");
}

}  // namespace
}  // namespace zano
