// Composes the month sheet for any year, month and mode, and its text, and
// holds the result to the sheet's invariants whatever the input.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>

#include "library_binding_linked.h"
#include "month_sheet.h"
#include "sheet_text.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const tenvo::LibraryBinding library = tenvo::linkedLibraryBinding();
    FuzzedDataProvider in(data, size);
    tenvo::MonthSheet sheet;
    // Several compositions in a row: the February memory and the lunar cache
    // carry over from one to the next.
    for (int round = 0; round < 3 && in.remaining_bytes() > 0; ++round) {
        sheet.year = in.ConsumeIntegral<uint16_t>();
        sheet.month = in.ConsumeBool() ? in.ConsumeIntegralInRange<uint16_t>(1, 12)
                                       : in.ConsumeIntegral<uint16_t>();
        sheet.mode = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-1, 6)
                                      : in.ConsumeIntegral<int32_t>();
        tenvo::composeMonth(sheet, library);

        for (const int32_t cls : sheet.colorClass) check(cls >= 0 && cls <= 6);
        for (int32_t cell = 0; cell < tenvo::kCells; ++cell) {
            const char* note = &sheet.noteText[static_cast<size_t>(cell) * tenvo::kNoteTextBytes];
            check(note[4] == '\0' || note[4] == ' ');
        }
        const auto text = tenvo::composeSheetText(sheet);
        check(text[420] == '\0');
        check(std::strlen(text.data()) == 420);
        for (int line = 0; line < 14; ++line) {
            check(text[static_cast<size_t>(line) * 30 + 28] == '\r');
            check(text[static_cast<size_t>(line) * 30 + 29] == '\n');
        }
    }
    return 0;
}
