// Reads any text as a date (EraTable::readDate): an era date in digits or
// kanji numerals, YYYY-MM-DD in either calendar, or anything else. Whatever
// the bytes, the reader ends with a day of the calendar's span or with an
// error and a one-line message; never a crash, a read out of bounds or an
// exception. A day it reads writes back (warekiOfDay) as a text that reads
// as the same day again, in either court.

#include <cstdint>
#include <string>
#include <string_view>

#include "library_binding_linked.h"
#include "wareki.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

const tenvo::LibraryBinding& library() {
    static const tenvo::LibraryBinding binding = tenvo::linkedLibraryBinding();
    return binding;
}

const tenvo::EraTable& eras() {
    static const tenvo::EraTable table(library());
    return table;
}

void readsBackAs(const std::string& text, const tenvo::CivilDate& day) {
    const tenvo::DateReading again = eras().readDate(text, tenvo::IsoCalendar::Gregorian);
    check(again.error == tenvo::DateTextError::None && again.date == day);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the calendar of an ISO date; the rest is the text.
    const auto calendar =
        (data[0] & 1) != 0 ? tenvo::IsoCalendar::Julian : tenvo::IsoCalendar::Gregorian;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const tenvo::DateReading reading = eras().readDate(text, calendar);
    if (reading.error != tenvo::DateTextError::None) {
        check(!reading.message.empty() && reading.message.find('\n') == std::string::npos);
        return 0;
    }
    check(reading.message.empty());
    check(tenvo::isHistoryDay(reading.date));
    const tenvo::DayWareki written = tenvo::warekiOfDay(library(), reading.date);
    if (written.twoCourts()) {
        readsBackAs(eras().warekiTextUtf8(written.south) + "（南朝）", reading.date);
        readsBackAs(eras().warekiTextUtf8(written.north) + "（北朝）", reading.date);
    } else {
        readsBackAs(eras().dayWarekiUtf8(written), reading.date);
    }
    return 0;
}
