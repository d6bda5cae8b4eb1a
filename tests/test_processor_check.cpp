// test_processor_check.cpp -- the 3DNow! check over injected CPUID answers and on this processor
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/processor_check.h"

namespace {

// The answers a fake processor gives, and which functions were asked.
struct FakeProcessor {
    int32_t hasCpuid;
    uint32_t highestExtended; // EAX of 0x80000000
    uint32_t featureEdx;      // EDX of 0x80000001
    int queries, featureQueries;
} fake;

int32_t fakeExists() {
    return fake.hasCpuid;
}

CpuidRegisters fakeQuery(uint32_t function) {
    ++fake.queries;
    if (function == 0x80000000) return {fake.highestExtended, 0, 0, 0};
    if (function == 0x80000001) {
        ++fake.featureQueries;
        return {0, 0, 0, fake.featureEdx};
    }
    return {0, 0, 0, 0};
}

const CpuidSource fakeSource = {fakeExists, fakeQuery};

struct CheckCase {
    const char* name;
    int32_t hasCpuid;
    uint32_t highestExtended;
    uint32_t featureEdx;
    int32_t expected;
    bool asksFeatures;
};

const CheckCase checkCases[] = {
    {"no CPUID", 0, 0x80000008, 0x80000000, 0, false},
    // Without extended functions, 0x80000000 echoes the highest basic function's answer, and
    // 0x80000001 could answer anything, here the 3DNow! flag.
    {"no extended functions", 1, 0x0000000D, 0x80000000, 0, false},
    {"extended range ends at 0x80000000", 1, 0x80000000, 0x80000000, 0, false},
    {"EAX beyond the extended range", 1, 0xFFFFFFFF, 0x80000000, 0, false},
    {"flag clear, other flags set", 1, 0x80000008, 0x7FFFFFFF, 0, true},
    {"flag set", 1, 0x80000001, 0x80000000, 1, true},
    {"flag set with others", 1, 0x8000001B, 0xEBD3FBFF, 1, true},
};

TEST(ProcessorCheck, DecidesFromTheCpuidAnswers) {
    for (const CheckCase& c : checkCases) {
        fake = {c.hasCpuid, c.highestExtended, c.featureEdx, 0, 0};
        EXPECT_EQ(detect3DNow(fakeSource), c.expected) << c.name;
        EXPECT_EQ(fake.featureQueries > 0, c.asksFeatures) << c.name;
        if (!c.hasCpuid) {
            EXPECT_EQ(fake.queries, 0) << c.name;
        }
    }
}

uint64_t flags() {
    uint64_t value;
    asm volatile("pushfq\n\tpopq %0" : "=r"(value));
    return value;
}

TEST(ProcessorCheck, CpuidExistsAndTheIdFlagIsPutBack) {
    const uint64_t before = flags();
    EXPECT_EQ(cpuidExists(), 1);
    EXPECT_EQ(flags() & 0x200000, before & 0x200000);
}

// The kernel's list of processor flags, where the emulator does not speak for the processor.
bool kernelReports3DNow() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("flags", 0) != 0) continue;
        std::istringstream words(line.substr(line.find(':') + 1));
        std::string flag;
        while (words >> flag)
            if (flag == "3dnow") return true;
        return false;
    }
    return false;
}

TEST(ProcessorCheck, AgreesWithThisProcessor) {
    // The emulated run sets ZELVONIA_EXPECT_3DNOW: qemu-x86_64 -cpu phenom reports the flag.
    if (std::getenv("ZELVONIA_EXPECT_3DNOW"))
        EXPECT_EQ(detect3DNow(), 1);
    else
        EXPECT_EQ(detect3DNow(), kernelReports3DNow() ? 1 : 0);
}

} // namespace
