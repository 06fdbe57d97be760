// The calendar library as the month sheet and the day's lore see it: one
// pointer for each export they call, and nothing else. The model never calls the library
// directly, so the same code runs against the library linked into a native
// program and against the DLL that the Windows program binds by ordinal.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

#include "vorane2.h"

namespace tenvo {

using LunisolarFn = LunisolarDate(VRN_CALL*)(CalendarDate date);
using DateCodeFn = int32_t(VRN_CALL*)(CalendarDate date);
using NameFn = const char*(VRN_CALL*)(int32_t index);
using TermDayFn = int32_t(VRN_CALL*)(int32_t year, double longitude);
using VersionFn = const char*(VRN_CALL*)(void);
using LunarDayFn = CalendarDate(VRN_CALL*)(LunisolarDate date);
using MonthDaysFn = int32_t(VRN_CALL*)(int32_t year, int32_t month, char leap);
using CourtCodeFn = int32_t(VRN_CALL*)(CalendarDate date, int32_t court);
using IndexCodeFn = int32_t(VRN_CALL*)(int32_t index);
using DateFn = CalendarDate(VRN_CALL*)(CalendarDate date);
using RiseSetFn = RiseSetTimes(VRN_CALL*)(CalendarDate date, double latitude, double longitude);

// Every member is null until bound; isComplete() tells whether all are set.
struct LibraryBinding {
    LunisolarFn adto9rek = nullptr;    // 5
    TermDayFn y2risyun = nullptr;      // 19
    TermDayFn y2usui = nullptr;        // 20
    TermDayFn y2ktitu = nullptr;       // 21
    TermDayFn y2syunbn = nullptr;      // 22
    TermDayFn y2seimei = nullptr;      // 23
    TermDayFn y2kokuu = nullptr;       // 24
    TermDayFn y2rikka = nullptr;       // 25
    TermDayFn y2syoman = nullptr;      // 26
    TermDayFn y2bousyu = nullptr;      // 27
    TermDayFn y2gesi = nullptr;        // 28
    TermDayFn y2syusyo = nullptr;      // 29
    TermDayFn y2taisyo = nullptr;      // 30
    TermDayFn y2risyuu = nullptr;      // 31
    TermDayFn y2syosyo = nullptr;      // 32
    TermDayFn y2hakuro = nullptr;      // 33
    TermDayFn y2syuubn = nullptr;      // 34
    TermDayFn y2kanro = nullptr;       // 35
    TermDayFn y2soukou = nullptr;      // 36
    TermDayFn y2rittou = nullptr;      // 37
    TermDayFn y2syostu = nullptr;      // 38
    TermDayFn y2taistu = nullptr;      // 39
    TermDayFn y2touji = nullptr;       // 40
    TermDayFn y2syokan = nullptr;      // 41
    TermDayFn y2taikan = nullptr;      // 42
    DateCodeFn ad2youbi = nullptr;     // 53
    NameFn yno2name = nullptr;         // 54
    DateCodeFn ad2neto = nullptr;      // 55
    DateCodeFn ad2teto = nullptr;      // 56
    DateCodeFn ad2heto = nullptr;      // 57
    NameFn eno2name = nullptr;         // 59
    NameFn rno2name = nullptr;         // 65
    DateCodeFn ad2nkyusei = nullptr;   // 73
    DateCodeFn ad2tkyusei = nullptr;   // 74
    DateCodeFn ad2hkyusei = nullptr;   // 75
    NameFn kno2name = nullptr;         // 76
    DateCodeFn adto28 = nullptr;       // 79
    NameFn A28toname = nullptr;        // 80
    VersionFn VRNVER = nullptr;        // 81
    DateCodeFn adto27 = nullptr;       // 82
    NameFn A27toname = nullptr;        // 83
    LunisolarFn adto9rekL = nullptr;   // 84: adto9rek up to 2100
    DateCodeFn adto27L = nullptr;      // 86: adto27 up to 2100
    LunisolarFn adto9rekS = nullptr;   // 88: adto9rekL, months from 冬至
    DateCodeFn adto27S = nullptr;      // 90: adto27L, months from 冬至
    DateCodeFn ad2rekicyu = nullptr;   // 92: the almanac items as a bit set
    DateCodeFn ad2rekicyuS = nullptr;  // 93: ad2rekicyu, 不成就日 with months from 冬至
    DateCodeFn ad2getrei = nullptr;    // 94
    DateCodeFn ad2sekki = nullptr;     // 95
    NameFn rek2name = nullptr;         // 96
    NameFn sek2name = nullptr;         // 97
    DateCodeFn ad2cyoku = nullptr;     // 98: the 直 0 建 .. 11 閉
    DateCodeFn ad2gedan = nullptr;     // 99: the lower-row items as a bit set
    DateCodeFn ad2gedanS = nullptr;    // 100: ad2gedan, 凶会日 with months from 冬至
    NameFn cyo2name = nullptr;         // 101
    NameFn ged2name = nullptr;         // 102
    LunisolarFn adto9rekH = nullptr;   // 103: the published calendar 445..2100
    LunarDayFn kyu2ad = nullptr;       // 104: its reverse
    MonthDaysFn kyu2days = nullptr;    // 105: days of a published month
    CourtCodeFn ad2gengo = nullptr;    // 106: the era in force in a court
    CourtCodeFn ad2gennen = nullptr;   // 107: the era's year
    NameFn gen2name = nullptr;         // 108
    IndexCodeFn gen2first = nullptr;   // 109: the era's 元年
    IndexCodeFn gen2last = nullptr;    // 110: its last year
    IndexCodeFn gen2line = nullptr;    // 111: its court
    DateFn ad2jul = nullptr;           // 112: Gregorian to Julian
    DateFn jul2ad = nullptr;           // 113: Julian to Gregorian
    RiseSetFn ad2hinode = nullptr;     // 114: the Sun's rise, transit and set
    RiseSetFn ad2tukide = nullptr;     // 115: the Moon's, by its centre
    RiseSetFn ad2tukideU = nullptr;    // 116: the Moon's, by its upper limb
    DateCodeFn ad2kou = nullptr;       // 117: the pentad of the day
    NameFn kou2name = nullptr;         // 118
    NameFn kou2yomi = nullptr;         // 119
    NameFn eno2natin = nullptr;        // 120: 納音 of a sexagenary number
    DateCodeFn ad2ehou = nullptr;      // 121: 恵方 of the year from 立春
    NameFn eho2name = nullptr;         // 122
    NameFn eho2houi = nullptr;         // 123
    IndexCodeFn eho2kaku = nullptr;    // 124: its bearing in degrees
    DateCodeFn adto27H = nullptr;      // 126: 二十七宿 of the published date
    DateCodeFn ad2rekicyuH = nullptr;  // 128: ad2rekicyu, 不成就日 by the published months
    DateCodeFn ad2gedanH = nullptr;    // 129: ad2gedan, 凶会日 by the published months
};

// The untyped form in which a loader hands over an export's address (for
// example GetProcAddress's result, cast with reinterpret_cast). Casting to
// and from a pointer to a function of no arguments is well defined and does
// not trip -Wcast-function-type.
using RawExport = void (*)(void);

// One export the sheet needs: its fixed ordinal, its name, how to store its
// address in the binding with the member's own type, and whether it is set.
struct BindingSlot {
    int32_t ordinal;
    const char* name;
    void (*store)(LibraryBinding& binding, RawExport address);
    bool (*isSet)(const LibraryBinding& binding);
};

namespace detail {
template <auto Member>
void storeExport(LibraryBinding& binding, RawExport address) {
    using Pointer = std::remove_reference_t<decltype(binding.*Member)>;
    binding.*Member = reinterpret_cast<Pointer>(address);
}
template <auto Member>
bool isExportSet(const LibraryBinding& binding) {
    return binding.*Member != nullptr;
}
}  // namespace detail

// The 81 exports the sheet and the day's lore bind, in ordinal order.
inline constexpr std::array<BindingSlot, 81> kBindingSlots{{
    {5, "adto9rek", &detail::storeExport<&LibraryBinding::adto9rek>,
     &detail::isExportSet<&LibraryBinding::adto9rek>},
    {19, "y2risyun", &detail::storeExport<&LibraryBinding::y2risyun>,
     &detail::isExportSet<&LibraryBinding::y2risyun>},
    {20, "y2usui", &detail::storeExport<&LibraryBinding::y2usui>,
     &detail::isExportSet<&LibraryBinding::y2usui>},
    {21, "y2ktitu", &detail::storeExport<&LibraryBinding::y2ktitu>,
     &detail::isExportSet<&LibraryBinding::y2ktitu>},
    {22, "y2syunbn", &detail::storeExport<&LibraryBinding::y2syunbn>,
     &detail::isExportSet<&LibraryBinding::y2syunbn>},
    {23, "y2seimei", &detail::storeExport<&LibraryBinding::y2seimei>,
     &detail::isExportSet<&LibraryBinding::y2seimei>},
    {24, "y2kokuu", &detail::storeExport<&LibraryBinding::y2kokuu>,
     &detail::isExportSet<&LibraryBinding::y2kokuu>},
    {25, "y2rikka", &detail::storeExport<&LibraryBinding::y2rikka>,
     &detail::isExportSet<&LibraryBinding::y2rikka>},
    {26, "y2syoman", &detail::storeExport<&LibraryBinding::y2syoman>,
     &detail::isExportSet<&LibraryBinding::y2syoman>},
    {27, "y2bousyu", &detail::storeExport<&LibraryBinding::y2bousyu>,
     &detail::isExportSet<&LibraryBinding::y2bousyu>},
    {28, "y2gesi", &detail::storeExport<&LibraryBinding::y2gesi>,
     &detail::isExportSet<&LibraryBinding::y2gesi>},
    {29, "y2syusyo", &detail::storeExport<&LibraryBinding::y2syusyo>,
     &detail::isExportSet<&LibraryBinding::y2syusyo>},
    {30, "y2taisyo", &detail::storeExport<&LibraryBinding::y2taisyo>,
     &detail::isExportSet<&LibraryBinding::y2taisyo>},
    {31, "y2risyuu", &detail::storeExport<&LibraryBinding::y2risyuu>,
     &detail::isExportSet<&LibraryBinding::y2risyuu>},
    {32, "y2syosyo", &detail::storeExport<&LibraryBinding::y2syosyo>,
     &detail::isExportSet<&LibraryBinding::y2syosyo>},
    {33, "y2hakuro", &detail::storeExport<&LibraryBinding::y2hakuro>,
     &detail::isExportSet<&LibraryBinding::y2hakuro>},
    {34, "y2syuubn", &detail::storeExport<&LibraryBinding::y2syuubn>,
     &detail::isExportSet<&LibraryBinding::y2syuubn>},
    {35, "y2kanro", &detail::storeExport<&LibraryBinding::y2kanro>,
     &detail::isExportSet<&LibraryBinding::y2kanro>},
    {36, "y2soukou", &detail::storeExport<&LibraryBinding::y2soukou>,
     &detail::isExportSet<&LibraryBinding::y2soukou>},
    {37, "y2rittou", &detail::storeExport<&LibraryBinding::y2rittou>,
     &detail::isExportSet<&LibraryBinding::y2rittou>},
    {38, "y2syostu", &detail::storeExport<&LibraryBinding::y2syostu>,
     &detail::isExportSet<&LibraryBinding::y2syostu>},
    {39, "y2taistu", &detail::storeExport<&LibraryBinding::y2taistu>,
     &detail::isExportSet<&LibraryBinding::y2taistu>},
    {40, "y2touji", &detail::storeExport<&LibraryBinding::y2touji>,
     &detail::isExportSet<&LibraryBinding::y2touji>},
    {41, "y2syokan", &detail::storeExport<&LibraryBinding::y2syokan>,
     &detail::isExportSet<&LibraryBinding::y2syokan>},
    {42, "y2taikan", &detail::storeExport<&LibraryBinding::y2taikan>,
     &detail::isExportSet<&LibraryBinding::y2taikan>},
    {53, "ad2youbi", &detail::storeExport<&LibraryBinding::ad2youbi>,
     &detail::isExportSet<&LibraryBinding::ad2youbi>},
    {54, "yno2name", &detail::storeExport<&LibraryBinding::yno2name>,
     &detail::isExportSet<&LibraryBinding::yno2name>},
    {55, "ad2neto", &detail::storeExport<&LibraryBinding::ad2neto>,
     &detail::isExportSet<&LibraryBinding::ad2neto>},
    {56, "ad2teto", &detail::storeExport<&LibraryBinding::ad2teto>,
     &detail::isExportSet<&LibraryBinding::ad2teto>},
    {57, "ad2heto", &detail::storeExport<&LibraryBinding::ad2heto>,
     &detail::isExportSet<&LibraryBinding::ad2heto>},
    {59, "eno2name", &detail::storeExport<&LibraryBinding::eno2name>,
     &detail::isExportSet<&LibraryBinding::eno2name>},
    {65, "rno2name", &detail::storeExport<&LibraryBinding::rno2name>,
     &detail::isExportSet<&LibraryBinding::rno2name>},
    {73, "ad2nkyusei", &detail::storeExport<&LibraryBinding::ad2nkyusei>,
     &detail::isExportSet<&LibraryBinding::ad2nkyusei>},
    {74, "ad2tkyusei", &detail::storeExport<&LibraryBinding::ad2tkyusei>,
     &detail::isExportSet<&LibraryBinding::ad2tkyusei>},
    {75, "ad2hkyusei", &detail::storeExport<&LibraryBinding::ad2hkyusei>,
     &detail::isExportSet<&LibraryBinding::ad2hkyusei>},
    {76, "kno2name", &detail::storeExport<&LibraryBinding::kno2name>,
     &detail::isExportSet<&LibraryBinding::kno2name>},
    {79, "adto28", &detail::storeExport<&LibraryBinding::adto28>,
     &detail::isExportSet<&LibraryBinding::adto28>},
    {80, "A28toname", &detail::storeExport<&LibraryBinding::A28toname>,
     &detail::isExportSet<&LibraryBinding::A28toname>},
    {81, "VRNVER", &detail::storeExport<&LibraryBinding::VRNVER>,
     &detail::isExportSet<&LibraryBinding::VRNVER>},
    {82, "adto27", &detail::storeExport<&LibraryBinding::adto27>,
     &detail::isExportSet<&LibraryBinding::adto27>},
    {83, "A27toname", &detail::storeExport<&LibraryBinding::A27toname>,
     &detail::isExportSet<&LibraryBinding::A27toname>},
    {84, "adto9rekL", &detail::storeExport<&LibraryBinding::adto9rekL>,
     &detail::isExportSet<&LibraryBinding::adto9rekL>},
    {86, "adto27L", &detail::storeExport<&LibraryBinding::adto27L>,
     &detail::isExportSet<&LibraryBinding::adto27L>},
    {88, "adto9rekS", &detail::storeExport<&LibraryBinding::adto9rekS>,
     &detail::isExportSet<&LibraryBinding::adto9rekS>},
    {90, "adto27S", &detail::storeExport<&LibraryBinding::adto27S>,
     &detail::isExportSet<&LibraryBinding::adto27S>},
    {92, "ad2rekicyu", &detail::storeExport<&LibraryBinding::ad2rekicyu>,
     &detail::isExportSet<&LibraryBinding::ad2rekicyu>},
    {93, "ad2rekicyuS", &detail::storeExport<&LibraryBinding::ad2rekicyuS>,
     &detail::isExportSet<&LibraryBinding::ad2rekicyuS>},
    {94, "ad2getrei", &detail::storeExport<&LibraryBinding::ad2getrei>,
     &detail::isExportSet<&LibraryBinding::ad2getrei>},
    {95, "ad2sekki", &detail::storeExport<&LibraryBinding::ad2sekki>,
     &detail::isExportSet<&LibraryBinding::ad2sekki>},
    {96, "rek2name", &detail::storeExport<&LibraryBinding::rek2name>,
     &detail::isExportSet<&LibraryBinding::rek2name>},
    {97, "sek2name", &detail::storeExport<&LibraryBinding::sek2name>,
     &detail::isExportSet<&LibraryBinding::sek2name>},
    {98, "ad2cyoku", &detail::storeExport<&LibraryBinding::ad2cyoku>,
     &detail::isExportSet<&LibraryBinding::ad2cyoku>},
    {99, "ad2gedan", &detail::storeExport<&LibraryBinding::ad2gedan>,
     &detail::isExportSet<&LibraryBinding::ad2gedan>},
    {100, "ad2gedanS", &detail::storeExport<&LibraryBinding::ad2gedanS>,
     &detail::isExportSet<&LibraryBinding::ad2gedanS>},
    {101, "cyo2name", &detail::storeExport<&LibraryBinding::cyo2name>,
     &detail::isExportSet<&LibraryBinding::cyo2name>},
    {102, "ged2name", &detail::storeExport<&LibraryBinding::ged2name>,
     &detail::isExportSet<&LibraryBinding::ged2name>},
    {103, "adto9rekH", &detail::storeExport<&LibraryBinding::adto9rekH>,
     &detail::isExportSet<&LibraryBinding::adto9rekH>},
    {104, "kyu2ad", &detail::storeExport<&LibraryBinding::kyu2ad>,
     &detail::isExportSet<&LibraryBinding::kyu2ad>},
    {105, "kyu2days", &detail::storeExport<&LibraryBinding::kyu2days>,
     &detail::isExportSet<&LibraryBinding::kyu2days>},
    {106, "ad2gengo", &detail::storeExport<&LibraryBinding::ad2gengo>,
     &detail::isExportSet<&LibraryBinding::ad2gengo>},
    {107, "ad2gennen", &detail::storeExport<&LibraryBinding::ad2gennen>,
     &detail::isExportSet<&LibraryBinding::ad2gennen>},
    {108, "gen2name", &detail::storeExport<&LibraryBinding::gen2name>,
     &detail::isExportSet<&LibraryBinding::gen2name>},
    {109, "gen2first", &detail::storeExport<&LibraryBinding::gen2first>,
     &detail::isExportSet<&LibraryBinding::gen2first>},
    {110, "gen2last", &detail::storeExport<&LibraryBinding::gen2last>,
     &detail::isExportSet<&LibraryBinding::gen2last>},
    {111, "gen2line", &detail::storeExport<&LibraryBinding::gen2line>,
     &detail::isExportSet<&LibraryBinding::gen2line>},
    {112, "ad2jul", &detail::storeExport<&LibraryBinding::ad2jul>,
     &detail::isExportSet<&LibraryBinding::ad2jul>},
    {113, "jul2ad", &detail::storeExport<&LibraryBinding::jul2ad>,
     &detail::isExportSet<&LibraryBinding::jul2ad>},
    {114, "ad2hinode", &detail::storeExport<&LibraryBinding::ad2hinode>,
     &detail::isExportSet<&LibraryBinding::ad2hinode>},
    {115, "ad2tukide", &detail::storeExport<&LibraryBinding::ad2tukide>,
     &detail::isExportSet<&LibraryBinding::ad2tukide>},
    {116, "ad2tukideU", &detail::storeExport<&LibraryBinding::ad2tukideU>,
     &detail::isExportSet<&LibraryBinding::ad2tukideU>},
    {117, "ad2kou", &detail::storeExport<&LibraryBinding::ad2kou>,
     &detail::isExportSet<&LibraryBinding::ad2kou>},
    {118, "kou2name", &detail::storeExport<&LibraryBinding::kou2name>,
     &detail::isExportSet<&LibraryBinding::kou2name>},
    {119, "kou2yomi", &detail::storeExport<&LibraryBinding::kou2yomi>,
     &detail::isExportSet<&LibraryBinding::kou2yomi>},
    {120, "eno2natin", &detail::storeExport<&LibraryBinding::eno2natin>,
     &detail::isExportSet<&LibraryBinding::eno2natin>},
    {121, "ad2ehou", &detail::storeExport<&LibraryBinding::ad2ehou>,
     &detail::isExportSet<&LibraryBinding::ad2ehou>},
    {122, "eho2name", &detail::storeExport<&LibraryBinding::eho2name>,
     &detail::isExportSet<&LibraryBinding::eho2name>},
    {123, "eho2houi", &detail::storeExport<&LibraryBinding::eho2houi>,
     &detail::isExportSet<&LibraryBinding::eho2houi>},
    {124, "eho2kaku", &detail::storeExport<&LibraryBinding::eho2kaku>,
     &detail::isExportSet<&LibraryBinding::eho2kaku>},
    {126, "adto27H", &detail::storeExport<&LibraryBinding::adto27H>,
     &detail::isExportSet<&LibraryBinding::adto27H>},
    {128, "ad2rekicyuH", &detail::storeExport<&LibraryBinding::ad2rekicyuH>,
     &detail::isExportSet<&LibraryBinding::ad2rekicyuH>},
    {129, "ad2gedanH", &detail::storeExport<&LibraryBinding::ad2gedanH>,
     &detail::isExportSet<&LibraryBinding::ad2gedanH>},
}};

// True when every export of the binding is set. The program does not start
// with an incomplete binding: the sheet calls every member without a check.
inline bool isComplete(const LibraryBinding& binding) {
    for (const BindingSlot& slot : kBindingSlots) {
        if (!slot.isSet(binding)) return false;
    }
    return true;
}

}  // namespace tenvo
