// Calls one export of the library per input with arbitrary arguments. The
// sanitizers report any read outside a table and any undefined behaviour
// (a NaN or out-of-range double converted to an integer included); the
// checks below hold the results to their documented ranges.

#include <cstring>
#include <initializer_list>

#include "fuzz_inputs.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// A name is a short NUL-terminated string; reading it all lets the address
// sanitizer see a pointer past its table.
void checkName(const char* name) {
    if (name != nullptr) check(std::strlen(name) <= 8);
}

void checkFlag(char flag) { check(flag == 'Y' || flag == 'N'); }

using DateToInt = int32_t(VRN_CALL*)(CalendarDate);
using DateToDate = CalendarDate(VRN_CALL*)(CalendarDate);
using DateToFlag = char(VRN_CALL*)(CalendarDate);
using IntToName = const char*(VRN_CALL*)(int32_t);
using IntToInt = int32_t(VRN_CALL*)(int32_t);
using YearToDay = int32_t(VRN_CALL*)(int32_t, double);
using YearToDate = CalendarDate(VRN_CALL*)(int32_t, double);
using DoubleToDouble = double(VRN_CALL*)(double);

constexpr DateToInt kDateToInt[] = {ad2youbi, ad2setu, ad2neto,    ad2teto,    ad2heto,   ad26you,
                                    adto28,   adto27,  ad2nkyusei, ad2tkyusei, ad2hkyusei};
constexpr DateToDate kDateToDate[] = {ad2saku, ad2sakur, duncan, duncan2, duncan3};
constexpr DateToFlag kDateToFlag[] = {tensyabi, kurobi,    sanrinbo,  fujyojyu,
                                      teniti,   fujyojyuL, fujyojyuS, fujyojyuH};
constexpr IntToName kIntToName[] = {yno2name,  eno2name, e102name, e122name, rno2name, A28toname,
                                    A27toname, kno2name, hno2name, eto2kubo, zno2name};
constexpr IntToInt kIntToInt[] = {bc2ad, eno210no, eno212no, eto2zone};
constexpr YearToDay kYearToDay[] = {y2risyun, y2usui,   y2ktitu,  y2syunbn, y2seimei, y2kokuu,
                                    y2rikka,  y2syoman, y2bousyu, y2gesi,   y2syusyo, y2taisyo,
                                    y2risyuu, y2syosyo, y2hakuro, y2syuubn, y2kanro,  y2soukou,
                                    y2rittou, y2syostu, y2taistu, y2touji,  y2syokan, y2taikan};
constexpr YearToDate kYearToDate[] = {geshi2koushi, touji2koushi, geshi2kougo, touji2kougo};
constexpr DoubleToDouble kDoubleToDouble[] = {jd2mjd, rad2do,  do2rad,   fns,      fnc,     jd2sok,
                                              jd2mok, jd2saku, jd2saku2, jd2sakur, jd2sak2r};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    using namespace fuzzinput;
    switch (in.ConsumeIntegralInRange<int>(0, 16)) {
        case 0: {
            const CalendarDate date = anyDate(in);
            (void)in.PickValueInArray(kDateToInt)(date);
            const int32_t sixDay = ad26you(date);
            check(sixDay == -999 || (sixDay >= 0 && sixDay <= 5));
            const int32_t mansion = adto27(date);
            check(mansion == -999 || (mansion >= 0 && mansion <= 26));
            const int32_t sixDayLong = ad26youL(date);
            check(sixDayLong == -999 || (sixDayLong >= 0 && sixDayLong <= 5));
            const int32_t mansionLong = adto27L(date);
            check(mansionLong == -999 || (mansionLong >= 0 && mansionLong <= 26));
            const int32_t sixDaySolstice = ad26youS(date);
            check(sixDaySolstice == -999 || (sixDaySolstice >= 0 && sixDaySolstice <= 5));
            const int32_t mansionSolstice = adto27S(date);
            check(mansionSolstice == -999 || (mansionSolstice >= 0 && mansionSolstice <= 26));
            break;
        }
        case 1:
            (void)in.PickValueInArray(kDateToDate)(anyDate(in));
            break;
        case 2:
            checkFlag(in.PickValueInArray(kDateToFlag)(anyDate(in)));
            break;
        case 3:
            checkName(in.PickValueInArray(kIntToName)(anyInt(in)));
            break;
        case 4:
            (void)in.PickValueInArray(kIntToInt)(anyInt(in));
            break;
        case 5: {
            const int32_t year = anyInt(in);
            const int32_t day = in.PickValueInArray(kYearToDay)(year, anyDouble(in));
            check(day >= 3 && day <= 25);  // every term stays inside its window
            break;
        }
        case 6: {
            const int32_t year = anyInt(in);
            (void)in.PickValueInArray(kYearToDate)(year, anyDouble(in));
            break;
        }
        case 7: {
            const double r = in.PickValueInArray(kDoubleToDouble)(anyDouble(in));
            (void)r;
            break;
        }
        case 8: {
            const double jd = anyDouble(in);
            (void)jd2ad(jd, anyDouble(in));
            break;
        }
        case 9:
            (void)ad2jd(anyDate(in));
            break;
        case 10: {
            const CalendarDate date = anyDate(in);
            for (const LunisolarDate l : {adto9rek(date), adto9rekL(date)}) {
                check(l.leap == 'Y' || l.leap == 'N');
                check(l.month == -999 || (l.month >= 1 && l.month <= 12));
                check(l.day == -999 || (l.day >= 1 && l.day <= 30));
            }
            // The solstice reading has the months of adto9rekL: the same days.
            const LunisolarDate solstice = adto9rekS(date);
            check(solstice.leap == 'Y' || solstice.leap == 'N');
            check(solstice.month == -999 || (solstice.month >= 1 && solstice.month <= 12));
            check(solstice.day == adto9rekL(date).day);
            break;
        }
        case 11: {
            const int32_t a = anyInt(in);
            const int32_t b = anyInt(in);
            const int32_t hourPair = ht2teto(a, b);
            check(hourPair >= 0 && hourPair <= 59);
            const int32_t deity = e102hen(a, b);
            check(deity >= -1 && deity <= 9);
            const int32_t hidden = zoukan(a, b);
            check(hidden >= -1 && hidden <= 9);
            const int32_t message = zone2msg(a, b);
            check(message >= -1 && message <= 143);
            break;
        }
        case 12: {
            const double s = jd2sok(anyDouble(in));
            check(std::isnan(s) || (s >= 0.0 && s < 360.0));
            break;
        }
        case 13: {
            // The almanac: item sets of 29 bits, the two readings differing
            // in the 不成就日 alone, the age in tenths, the term of the day.
            const CalendarDate date = anyDate(in);
            const int32_t items = ad2rekicyu(date);
            const int32_t itemsS = ad2rekicyuS(date);
            check(items == -999 || (items >= 0 && items < (1 << VRN_ALMANAC_ITEMS)));
            check((items == -999) == (itemsS == -999));
            check(items == -999 || ((items ^ itemsS) & ~(1 << VRN_FUJOJU)) == 0);
            const int32_t itemsH = ad2rekicyuH(date);
            check((items == -999) == (itemsH == -999));
            check(items == -999 || ((items ^ itemsH) & ~(1 << VRN_FUJOJU)) == 0);
            const int32_t age = ad2getrei(date);
            check((age == -999) == (items == -999));
            check(age == -999 || (age >= 0 && age <= 299));
            const int32_t term = ad2sekki(date);
            check(term >= -1 ? term <= 23 : term == -999);
            const int32_t n = anyInt(in);
            for (const char* name : {rek2name(n), sek2name(n), cyo2name(n), ged2name(n)}) {
                if (name != nullptr) check(std::strlen(name) <= 12);
            }
            // The two rows: the 直 0..11, lower-row sets of 17 bits whose
            // readings differ in 凶会日 alone, over the same span.
            const int32_t choku = ad2cyoku(date);
            const int32_t lower = ad2gedan(date);
            const int32_t lowerS = ad2gedanS(date);
            check((choku == -999) == (items == -999) && (lower == -999) == (items == -999));
            check(choku == -999 || (choku >= 0 && choku <= 11));
            check(lower == -999 || (lower >= 0 && lower < (1 << VRN_LOWER_ROW_ITEMS)));
            check(lower == -999 || ((lower ^ lowerS) & ~(1 << VRN_KUE)) == 0);
            const int32_t lowerH = ad2gedanH(date);
            check((lower == -999) == (lowerH == -999));
            check(lower == -999 || ((lower ^ lowerH) & ~(1 << VRN_KUE)) == 0);
            break;
        }
        case 14: {
            // The calendar as published: a date of its span reads back from
            // its lunisolar date to the same day (but for the days after the
            // cut month 12 of 1872), and any lunisolar date that names a
            // day is that day's; eras and their years inside the table.
            CalendarDate date = anyDate(in);
            if (in.ConsumeBool()) date.year = in.ConsumeIntegralInRange<int32_t>(400, 2150);
            const CalendarDate gregorian = jul2ad(ad2jul(date));  // the fields run on
            const LunisolarDate h = adto9rekH(date);
            check(h.longitude == 135.0 && (h.leap == 'Y' || h.leap == 'N'));
            check((h.year == -999) == (h.month == -999) && (h.month == -999) == (h.day == -999));
            // The cycles of the published date answer over the same span.
            const int32_t sixDay = ad26youH(date);
            const int32_t mansion = adto27H(date);
            const char fujoju = fujyojyuH(date);
            check(h.year == -999 ? sixDay == -999 && mansion == -999 && fujoju == 'N'
                                 : sixDay >= 0 && sixDay <= 5 && mansion >= 0 && mansion <= 26 &&
                                       (fujoju == 'Y' || fujoju == 'N'));
            if (h.year != -999) {
                const int32_t days = kyu2days(h.year, h.month, h.leap);
                check(h.month >= 1 && h.month <= 12 && h.day >= 1 && h.day <= 30);
                const CalendarDate back = kyu2ad(h);
                check(h.day <= days ? back.year == gregorian.year &&
                                          back.month == gregorian.month && back.day == gregorian.day
                                    : back.year == -999 && h.year == 1872 && days == 2);
            }
            LunisolarDate any{static_cast<char>(in.ConsumeIntegral<uint8_t>()), anyInt(in),
                              anyInt(in), anyInt(in), anyDouble(in)};
            if (in.ConsumeBool()) any.leap = in.ConsumeBool() ? 'Y' : 'N';
            if (in.ConsumeBool()) any.month = in.ConsumeIntegralInRange<int32_t>(0, 13);
            if (in.ConsumeBool()) any.day = in.ConsumeIntegralInRange<int32_t>(0, 31);
            const CalendarDate day = kyu2ad(any);
            check(day.longitude == 135.0 && day.hour == 0.0);
            if (day.year != -999) {
                const LunisolarDate again = adto9rekH(day);
                check(again.year == any.year && again.month == any.month &&
                      again.leap == any.leap && again.day == any.day);
            }
            const int32_t days = kyu2days(any.year, any.month, any.leap);
            check(days == 0 || days == 2 || days == 29 || days == 30);

            const int32_t court =
                in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(-1, 3) : anyInt(in);
            const int32_t era = ad2gengo(date, court);
            const int32_t year = ad2gennen(date, court);
            check((era == -999) == (year == -999));
            check(era == -999 || (era >= 0 && era <= 274 && year >= 1 && year <= gen2last(era)));
            const int32_t n = anyInt(in);
            checkName(gen2name(n));
            check((gen2first(n) == -999) == (gen2name(n) == nullptr));
            check(gen2line(n) == -999 || (gen2line(n) >= VRN_SOUTH && gen2line(n) <= VRN_BOTH));

            // The two calendars: each the other's reverse wherever it answers.
            const CalendarDate julian = ad2jul(date);
            if (julian.year != -999) {
                const CalendarDate twice = ad2jul(jul2ad(julian));
                check(twice.year == julian.year && twice.month == julian.month &&
                      twice.day == julian.day);
            }
            break;
        }
        case 15: {
            // The Sun and the Moon over a place: times inside the day or
            // none, the error result all at once, the transit's altitude a
            // true altitude; the pentads, 納音 and 恵方 inside their tables.
            CalendarDate date = anyDate(in);
            if (in.ConsumeBool()) date.longitude = 135.0;
            const double latitude = in.ConsumeBool()
                                        ? in.ConsumeFloatingPointInRange<double>(-90.0, 90.0)
                                        : anyDouble(in);
            const double longitude = in.ConsumeBool()
                                         ? in.ConsumeFloatingPointInRange<double>(-180.0, 180.0)
                                         : anyDouble(in);
            using RiseSet = RiseSetTimes(VRN_CALL*)(CalendarDate, double, double);
            const RiseSet body = in.PickValueInArray<RiseSet>({ad2hinode, ad2tukide, ad2tukideU});
            const RiseSetTimes t = body(date, latitude, longitude);
            const int32_t items = ad2rekicyu(date);
            const bool placed =
                latitude >= -90.0 && latitude <= 90.0 && longitude >= -180.0 && longitude <= 180.0;
            check((t.above == VRN_RISE_SET_ERROR) == (items == -999 || !placed));
            if (t.above == VRN_RISE_SET_ERROR) {
                check(t.rise == VRN_RISE_SET_ERROR && t.transit == VRN_RISE_SET_ERROR &&
                      t.set == VRN_RISE_SET_ERROR && t.altitude == -999.0);
            } else {
                check(t.above == 0 || t.above == 1);
                for (const int32_t time : {t.rise, t.transit, t.set})
                    check(time == VRN_NO_EVENT || (time >= 0 && time <= 86399));
                check(t.transit == VRN_NO_EVENT ? t.altitude == -999.0
                                                : t.altitude >= -90.0 && t.altitude <= 90.0);
            }
            const int32_t kou = ad2kou(date);
            check((kou == -999) == (items == -999));
            check(kou == -999 || (kou % VRN_KOU_BEGINS >= 0 && kou % VRN_KOU_BEGINS < 72 &&
                                  kou < 2 * VRN_KOU_BEGINS));
            const int32_t direction = ad2ehou(date);
            check((direction == -999) == (items == -999));
            check(direction == -999 || (direction >= 0 && direction <= 3));
            const int32_t n = anyInt(in);
            checkName(eno2natin(n));
            check((eho2kaku(n) == -999) == (eho2name(n) == nullptr));
            // The pentads' and the 恵方's names run longer than the others.
            for (const char* name : {kou2name(n), kou2yomi(n), eho2name(n), eho2houi(n)})
                check(name == nullptr || std::strlen(name) <= 32);
            break;
        }
        default:
            checkName(VRNVER());
            break;
    }
    return 0;
}
