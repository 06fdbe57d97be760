// Divination lookups on stems, branches and sexagenary numbers: ten deities,
// void pairs, hidden stems and the twelve five-day zones.
//
// Every function is a lookup or a step of arithmetic on small numbers. A
// caller may pass any 32-bit value, so each checks its arguments against its
// table first and gives -1 (numbers) or a null pointer (names) outside it.

#include <cstddef>
#include <cstdint>

#include "tables/divination_tables.h"
#include "vorane2.h"

namespace {

namespace t = vorane2::tables;

constexpr int32_t kNoResult = -1;

bool isStem(int32_t n) { return n >= 0 && n <= 9; }
bool isBranchOrZone(int32_t n) { return n >= 0 && n <= 11; }

// Sexagenary numbers are 0..59 with 0 standing for the sixtieth pair 癸亥;
// 60 is accepted as that same pair. Returns 1..60, or 0 outside 0..60.
int32_t pairOrdinal(int32_t n) {
    if (n < 0 || n > 60) return 0;
    return n == 0 ? 60 : n;
}

}  // namespace

extern "C" {

int32_t VRN_CALL e102hen(int32_t other_stem, int32_t self_stem) {
    if (!isStem(other_stem) || !isStem(self_stem)) return kNoResult;
    return t::kTenDeities[static_cast<std::size_t>(self_stem)]
                         [static_cast<std::size_t>(other_stem)];
}

const char* VRN_CALL hno2name(int32_t deity) { return t::lookupName(t::kTenDeityNames, deity); }

const char* VRN_CALL eto2kubo(int32_t sexagenary) {
    const int32_t n = pairOrdinal(sexagenary);
    if (n == 0) return nullptr;
    return t::lookupName(t::kVoidPairNames, (n - 1) / 10);
}

int32_t VRN_CALL zoukan(int32_t day_count, int32_t branch) {
    if (day_count < 1 || day_count > t::kHiddenStemLastDay || !isBranchOrZone(branch)) {
        return kNoResult;
    }
    const t::HiddenStemRow& row = t::kHiddenStems[static_cast<std::size_t>(branch)];
    for (int32_t i = 0; i < row.runCount; ++i) {
        const t::HiddenStemRun& run = row.runs[static_cast<std::size_t>(i)];
        if (day_count <= run.lastDay) return run.stem;
    }
    return kNoResult;  // unreachable: every row's last run ends on day 31
}

int32_t VRN_CALL eto2zone(int32_t sexagenary) {
    const int32_t n = pairOrdinal(sexagenary);
    if (n == 0) return kNoResult;
    return (n - 1) / 5;
}

const char* VRN_CALL zno2name(int32_t zone) { return t::lookupName(t::kZoneNames, zone); }

int32_t VRN_CALL zone2msg(int32_t first_zone, int32_t second_zone) {
    if (!isBranchOrZone(first_zone) || !isBranchOrZone(second_zone)) return kNoResult;
    return 12 * first_zone + second_zone;
}

}  // extern "C"
