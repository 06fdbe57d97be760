// Calls every function of the C++ interface with any date (std::chrono
// accepts day 0..255 and month 0..255), any year, meridian, rule and mode,
// and holds each answer to what the interface promises: nothing, or a
// result inside its table with a name of the library's. Era dates read
// back to the day they were written for, and so do Julian dates. The times
// of the Sun and the Moon take any latitude and longitude besides, and a
// day's seasonal items are named from their tables.

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_inputs.h"
#include "vorane2.hpp"

namespace {

using namespace std::chrono;

void check(bool ok) {
    if (!ok) __builtin_trap();
}

void checkNamed(const std::optional<vorane2::named>& n, int32_t count) {
    if (n) check(n->number >= 0 && n->number < count && !n->name.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool nearTables = in.ConsumeBool();
    const int y =
        nearTables ? in.ConsumeIntegralInRange<int>(440, 2110) : in.ConsumeIntegral<int16_t>();
    const year_month_day date{year{y}, month{in.ConsumeIntegral<uint8_t>()},
                              day{in.ConsumeIntegral<uint8_t>()}};
    const double longitude = fuzzinput::anyDouble(in);
    constexpr vorane2::month_rule kRules[] = {
        vorane2::month_rule::terms, vorane2::month_rule::solstice, vorane2::month_rule::published};
    const auto rule = kRules[in.ConsumeIntegralInRange<size_t>(0, 2)];

    // Each court's era date of a day reads back to that day; a Julian date
    // converts back to the Gregorian one.
    for (const auto court : {vorane2::court::south, vorane2::court::north}) {
        if (const auto text = vorane2::wareki(date, court)) {
            const auto back = vorane2::from_wareki(*text);
            check(date.ok() && back && back.date == date);
        }
    }
    if (const auto j = vorane2::to_julian(date)) check(vorane2::from_julian(*j) == date);
    const std::string text = in.ConsumeRandomLengthString(64);
    const auto reading = vorane2::from_wareki(text);
    check(reading ? reading.date.ok() && reading.message.empty() : !reading.message.empty());

    const auto l = vorane2::lunisolar(date, rule);
    if (l) check(date.ok() && l->month >= 1 && l->month <= 12 && l->day >= 1 && l->day <= 30);
    const auto six = vorane2::rokuyo(date, rule);
    check(six.has_value() == l.has_value());
    checkNamed(six, 6);
    checkNamed(vorane2::mansion27(date, rule), 27);
    checkNamed(vorane2::mansion28(date), 28);
    for (const double at : {longitude, vorane2::japan_meridian}) {
        if (const auto k = vorane2::kanshi(date, at)) {
            checkNamed(k->year, 60);
            checkNamed(k->month, 60);
            checkNamed(k->day, 60);
        }
        if (const auto s = vorane2::kyusei(date, at)) {
            checkNamed(s->year, 9);
            checkNamed(s->month, 9);
            checkNamed(s->day, 9);
        }
        if (vorane2::selected(date, rule, at)) check(l.has_value() && date.ok());
        if (const auto terms = vorane2::solar_terms(year{y}, at)) {
            for (const auto& t : *terms) check(t.date.ok() && !t.name.empty());
        }
        if (const auto t = vorane2::solar_term_on(date, at)) check(t->date == date);
        // The 直 and the lower row answer over the same days; the rule moves
        // 凶会日 alone.
        const auto choku = vorane2::choku(date, at);
        checkNamed(choku, 12);
        const auto lower = vorane2::lower_row(date, rule, at);
        check(lower.has_value() == choku.has_value());
        if (lower) {
            for (const auto& item : *lower) check(item.number >= 0 && item.number < 17);
        }
    }
    if (const auto h = vorane2::holidays(year{y})) {
        for (const auto& day_off : *h) check(day_off.date.ok() && day_off.date.year() == year{y});
    }
    // Any day at any latitude and longitude: nothing, or events within the
    // day, an altitude at each transit and none without one.
    const auto coordinate = [&](double limit) {
        return in.ConsumeBool() ? in.ConsumeFloatingPointInRange(-limit, limit)
                                : fuzzinput::anyDouble(in);
    };
    const double latitude = coordinate(90.0);
    const vorane2::place where{latitude, coordinate(180.0), ""};
    if (const auto t = vorane2::sun_moon_times(date, where)) {
        check(date.ok() && date >= vorane2::sun_moon_first_day &&
              date <= vorane2::sun_moon_last_day);
        check(where.latitude >= -90.0 && where.latitude <= 90.0 && where.longitude >= -180.0 &&
              where.longitude <= 180.0);
        for (const auto& event :
             {t->sunrise, t->solar_transit, t->sunset, t->moonrise, t->lunar_transit, t->moonset}) {
            if (event) check(event->count() >= 0 && event->count() <= 86399);
        }
        check(t->solar_transit.has_value() == t->solar_transit_altitude.has_value());
        check(t->lunar_transit.has_value() == t->lunar_transit_altitude.has_value());
    }
    if (const auto s = vorane2::seasons(date)) {
        check(date.ok() && s->pentad && s->pentad->number >= 0 && s->pentad->number < 72 &&
              !s->pentad->name.empty() && !s->pentad->reading.empty() && !s->day_natin.empty());
        if (s->eho) check(s->eho->bearing % 90 == 75 && !s->eho->compass.empty());
        for (const auto& o : s->observances) check(o.number >= 0 && o.number < 9);
    }
    const auto mode = static_cast<vorane2::sheet_mode>(in.ConsumeIntegralInRange<int32_t>(-2, 8));
    const bool byLaw = in.ConsumeBool();
    if (const auto sheet = vorane2::sheet(year{y} / date.month(), mode, {rule, byLaw})) {
        unsigned days = 0;
        for (const auto& cell : sheet->cells) {
            if (cell.day != 0) check(cell.day == ++days && cell.colour <= 6);
        }
        check(days >= 28 && days <= 31 && sheet->shift_jis_text[420] == '\0');
        check(sheet->text().size() >= 14);
    }
    return 0;
}
