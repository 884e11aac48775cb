// A fault outside the calculation's own checks, memory exhausted or anything thrown, still ends the
// calculation with "Invalid data" and its cause instead of escaping to the caller.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
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

// Memory exhausted, and anything thrown (not only a std::exception) while a table is read.
TEST(DriverFaults, EndInInvalidDataWithTheCause) {
    const struct {
        const char* cause;
        bool exhausted;
        std::function<void(const std::filesystem::path&)> hook;
    } rows[] = {{"the calculation failed unexpectedly (not enough memory)", true, nullptr},
                {"the calculation failed unexpectedly (an unknown fault)", false,
                 [](const std::filesystem::path&) { throw 42; }}};
    for (const auto& r : rows) {
        CalcState s;
        dbmateriale(s);
        fileFaultHook() = r.hook;
        failAllocations = r.exhausted;
        const CalcOutcome out = calculate(testing_cases::waterCase(), s);
        failAllocations = false;
        fileFaultHook() = nullptr;
        EXPECT_EQ(out.message, msg::kInvalidData);
        EXPECT_EQ(out.detail, r.cause);
    }
}

}  // namespace
}  // namespace zano
