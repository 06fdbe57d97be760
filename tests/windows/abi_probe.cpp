// Calls every built export of the calendar library with a fixed set of
// arguments and prints each result in an exact, platform-neutral form
// (doubles as their bit patterns, name strings as hex bytes), one line per
// call. The same source is built natively (binding the shared object by name
// with dlopen/dlsym) and with MinGW (binding vorane2.dll by ordinal and by
// name); the two outputs must be identical byte for byte, which shows that
// the DLL's calling convention, record layouts and arithmetic agree with the
// native build.
//
// Usage: abi_probe LIBRARY BUILT_EXPORTS
//   LIBRARY        path of libvorane2.so or vorane2.dll
//   BUILT_EXPORTS  the build's built_exports.txt ("ordinal:name" per line)
//
// Besides the results, the Windows build checks that every export resolves
// to the same address by ordinal and by name, and that the DLL's export
// directory holds exactly the built exports; the native build checks that
// no name of the export table outside the built list resolves. Any such
// fault is printed to stderr and gives exit status 1.

#include <charconv>
#include <cinttypes>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../support/export_signatures.h"
#include "vorane2.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

// ---- Signatures of the exports ----------------------------------------

using FnIntOfInt = int32_t(VRN_CALL*)(int32_t);
using FnIntOfIntInt = int32_t(VRN_CALL*)(int32_t, int32_t);
using FnIntOfYearLon = int32_t(VRN_CALL*)(int32_t, double);
using FnIntOfDate = int32_t(VRN_CALL*)(CalendarDate);
using FnFlagOfDate = char(VRN_CALL*)(CalendarDate);
using FnDoubleOfDouble = double(VRN_CALL*)(double);
using FnDoubleOfDate = double(VRN_CALL*)(CalendarDate);
using FnDateOfDoubleDouble = CalendarDate(VRN_CALL*)(double, double);
using FnDateOfDate = CalendarDate(VRN_CALL*)(CalendarDate);
using FnDateOfYearLon = CalendarDate(VRN_CALL*)(int32_t, double);
using FnLunisolarOfDate = LunisolarDate(VRN_CALL*)(CalendarDate);
using FnDateOfLunisolar = CalendarDate(VRN_CALL*)(LunisolarDate);
using FnIntOfIntIntChar = int32_t(VRN_CALL*)(int32_t, int32_t, char);
using FnIntOfDateInt = int32_t(VRN_CALL*)(CalendarDate, int32_t);
using FnRiseSetOfDatePlace = RiseSetTimes(VRN_CALL*)(CalendarDate, double, double);
using FnNameOfInt = const char*(VRN_CALL*)(int32_t);
using FnNameOfVoid = const char*(VRN_CALL*)(void);

using exportsig::ExportSignature;
using exportsig::kSignatures;
using exportsig::Sig;

constexpr size_t kExportCount = sizeof(kSignatures) / sizeof(kSignatures[0]);
static_assert(kExportCount == 129, "the library has 129 exports");

// ---- Arguments --------------------------------------------------------

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr int32_t kInts[] = {0,  1,  2,  3,  4,  5,   6,   7,    8,         9,        10,
                             11, 12, 13, 23, 26, 27,  28,  29,   30,        59,       60,
                             61, -1, -2, -7, -9, -60, 100, 1997, INT32_MIN, INT32_MAX};

struct IntPair {
    int32_t a;
    int32_t b;
};
constexpr IntPair kIntPairs[] = {
    {23, 55},
    {0, 55},
    {1, 55},
    {22, 55},
    {22, 5},
    {12, 0},
    {1, 1},
    {0, 0},
    {5, 10},
    {10, 5},
    {9, 3},
    {31, 11},
    {1, 0},
    {7, 2},
    {3, 8},
    {-1, 0},
    {24, 7},
    {0, -1},
    {-5, -5},
    {12, 12},
    {99, 100},
    {INT32_MIN, INT32_MAX},
    {INT32_MAX, INT32_MIN},
};

struct YearLon {
    int32_t year;
    double lon;
};
constexpr YearLon kYearLons[] = {
    {1870, 135.0},  {1997, 135.0}, {2000, 135.0}, {2019, 135.0},      {2020, 135.0},
    {2100, 135.0},  {1998, 0.0},   {1582, 0.0},   {-4712, 0.0},       {0, 135.0},
    {2000, -180.0}, {2000, kNaN},  {2000, kInf},  {INT32_MIN, 135.0}, {INT32_MAX, 135.0},
};

constexpr double kDoubles[] = {
    0.0,       -0.0,      1.0,       -1.5,      0.5,       3.141592653589793,
    -0.1,      30.0,      -30.0,     90.0,      360.0,     450.0,
    2451545.0, 2451544.5, 2299160.5, 2299161.5, 2488128.5, 2450449.125,
    2415020.0, 2458850.0, 1e6,       -1e6,      1e300,     -1e300,
    kInf,      -kInf,     kNaN,      4.9e-324,
};

constexpr CalendarDate date(int32_t y, int32_t m, int32_t d, double h = 0.0, double mi = 0.0,
                            double s = 0.0, double lon = 135.0) {
    CalendarDate c{};
    c.year = y;
    c.month = m;
    c.day = d;
    c.hour = h;
    c.minute = mi;
    c.second = s;
    c.longitude = lon;
    return c;
}

const CalendarDate kDates[] = {
    date(2000, 1, 1),
    date(2000, 1, 1, 12.0, 0.0, 0.0, 0.0),
    date(1997, 1, 1),
    date(1997, 2, 4),
    date(1998, 2, 28, 12.0, 34.0, 56.5),
    date(1870, 2, 1),
    date(1870, 1, 31),
    date(1884, 4, 25),
    date(1908, 9, 26),
    date(1945, 8, 15),
    date(1989, 1, 8),
    date(2019, 12, 31, 23.0, 59.0, 59.0),
    date(2020, 12, 14),
    date(2020, 12, 15),
    date(2100, 3, 1),
    date(2026, 12, 9),
    date(2033, 12, 22),
    date(2034, 3, 19),
    date(2100, 12, 30),
    date(2100, 12, 31),
    date(1582, 10, 15, 0.0, 0.0, 0.0, 0.0),
    date(1582, 10, 4, 0.0, 0.0, 0.0, 0.0),
    date(-4712, 1, 1, 12.0, 0.0, 0.0, 0.0),
    date(2000, 0, 1),
    date(2000, 13, 1),
    date(2000, 3, 0),
    date(2000, 1, 32),
    date(2000, -7, -40),
    date(2000, 6, 15, kNaN, 0.0, 0.0, 135.0),
    date(2000, 6, 15, 0.0, 0.0, 0.0, kNaN),
    date(2000, 6, 15, kInf, 0.0, 0.0, 135.0),
    date(2000, 6, 15, 0.0, 0.0, 0.0, -kInf),
    date(INT32_MIN, 1, 1),
    date(INT32_MAX, 12, 31),
    date(2000, INT32_MIN, INT32_MAX),
    date(2000, INT32_MAX, INT32_MIN),
    // Almanac days: a 癸 equinox day after noon (2024-03-20), a 土用の丑の日
    // (2024-07-24), a new moon (2024-06-06), and meridians at both ends and
    // between whole minutes.
    date(2024, 3, 25),
    date(2024, 7, 24),
    date(2024, 6, 6),
    date(2024, 3, 19, 0.0, 0.0, 0.0, -180.0),
    date(2024, 3, 21, 0.0, 0.0, 0.0, 180.0),
    date(2024, 6, 6, 0.0, 0.0, 0.0, 33.3),
    date(1870, 1, 1),
    date(1869, 12, 31),
    date(2101, 1, 1),
    // The historical calendar: its first day and the day before, the two
    // courts, the last day of the old calendar, a moved month's first day.
    date(445, 1, 25),
    date(445, 1, 24),
    date(1350, 4, 12),
    date(1872, 12, 31),
    date(1873, 1, 1),
    date(2017, 2, 26),
    date(1000000, 12, 31),
    date(1000001, 1, 1),
};

// Lunisolar dates: the two ends of the historical calendar, its cut last
// month, leap months that exist and that do not, flags and fields no
// calendar has.
constexpr LunisolarDate kLunisolarDates[] = {
    {'N', 445, 1, 1, 135.0},
    {'N', 444, 12, 30, 135.0},
    {'N', 1333, 5, 25, 0.0},
    {'N', 1872, 12, 2, 135.0},
    {'N', 1872, 12, 3, 135.0},
    {'Y', 2017, 5, 1, 135.0},
    {'Y', 2018, 5, 1, 135.0},
    {'N', 2017, 2, 1, kNaN},
    {'N', 2100, 11, 30, 135.0},
    {'N', 2100, 12, 1, 135.0},
    {'y', 2000, 1, 1, 135.0},
    {'\0', 2000, 1, 1, 135.0},
    {'N', 2000, 0, 1, 135.0},
    {'N', 2000, 13, 1, 135.0},
    {'N', 2000, 1, 0, 135.0},
    {'N', 2000, 1, 31, 135.0},
    {'N', INT32_MIN, INT32_MIN, INT32_MIN, 135.0},
    {'Y', INT32_MAX, INT32_MAX, INT32_MAX, -kInf},
};

// ---- Exact printing ---------------------------------------------------

// A double as its bit pattern, then (for finite values) the shortest
// decimal that reads back to it; std::to_chars prints the same text on
// every platform, unlike the C libraries' printf.
std::string formatDouble(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    char out[64];
    std::snprintf(out, sizeof out, "%016" PRIx64, bits);
    std::string text = out;
    if (std::isfinite(value)) {
        char decimal[64];
        auto result = std::to_chars(decimal, decimal + sizeof decimal, value);
        text += '(';
        text.append(decimal, result.ptr);
        text += ')';
    }
    return text;
}

std::string formatInt(int32_t value) { return std::to_string(value); }

// Strings are appended rather than chained with operator+ from a literal,
// on which g++ 12 warns falsely (-Wrestrict) when optimising.
std::string formatYmd(const CalendarDate& d) {
    std::string text = "{";
    text += formatInt(d.year);
    text += ',';
    text += formatInt(d.month);
    text += ',';
    text += formatInt(d.day);
    return text;
}

std::string formatDate(const CalendarDate& d) {
    return formatYmd(d) + "," + formatDouble(d.hour) + "," + formatDouble(d.minute) + "," +
           formatDouble(d.second) + "," + formatDouble(d.longitude) + "}";
}

// Names are printed as their bytes in hex; at most 64 bytes are read, which
// is far beyond any name of the library.
std::string formatName(const char* name) {
    if (name == nullptr) return "null";
    std::string text = "\"";
    char byte[4];
    size_t i = 0;
    for (; i < 64 && name[i] != '\0'; ++i) {
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(name[i]));
        text += byte;
    }
    if (i == 64) text += "...";
    return text + "\"";
}

std::string formatFlag(char flag) {
    char out[8];
    std::snprintf(out, sizeof out, "0x%02x", static_cast<unsigned char>(flag));
    return out;
}

std::string formatLunisolar(const LunisolarDate& r) {
    std::string fields = "{";
    for (const std::string& field :
         {formatFlag(r.leap), formatInt(r.year), formatInt(r.month), formatInt(r.day)})
        fields += field + ",";
    return fields + formatDouble(r.longitude) + "}";
}

std::string formatRiseSet(const RiseSetTimes& t) {
    std::string fields = "{";
    for (const int32_t field : {t.rise, t.transit, t.set, t.above})
        fields += formatInt(field) + ",";
    return fields + formatDouble(t.altitude) + "}";
}

// Places for the rising and setting: Tokyo, beyond the polar circle, the
// south, the pole, and coordinates outside their ranges.
struct LatLon {
    double latitude;
    double longitude;
};
constexpr LatLon kPlaces[] = {{35.6577, 139.7415}, {70.0, 25.0}, {-33.9, 151.2}, {90.0, -180.0},
                              {90.5, 0.0},         {0.0, 180.5}, {kNaN, 0.0},    {0.0, -kInf}};

// ---- Calling ----------------------------------------------------------

template <typename Fn>
Fn as(void* address) {
    Fn fn;
    static_assert(sizeof fn == sizeof address);
    std::memcpy(&fn, &address, sizeof fn);
    return fn;
}

void emit(const ExportSignature& e, const std::string& args, const std::string& result) {
    std::printf("%d %s(%s) = %s\n", e.ordinal, e.name, args.c_str(), result.c_str());
}

void callWithAllArguments(const ExportSignature& e, void* address) {
    switch (e.sig) {
        case Sig::IntOfInt:
            for (int32_t v : kInts) emit(e, formatInt(v), formatInt(as<FnIntOfInt>(address)(v)));
            break;
        case Sig::IntOfIntInt:
            for (const IntPair& p : kIntPairs)
                emit(e, formatInt(p.a) + "," + formatInt(p.b),
                     formatInt(as<FnIntOfIntInt>(address)(p.a, p.b)));
            break;
        case Sig::IntOfYearLon:
            for (const YearLon& p : kYearLons)
                emit(e, formatInt(p.year) + "," + formatDouble(p.lon),
                     formatInt(as<FnIntOfYearLon>(address)(p.year, p.lon)));
            break;
        case Sig::IntOfDate:
            for (const CalendarDate& d : kDates)
                emit(e, formatDate(d), formatInt(as<FnIntOfDate>(address)(d)));
            break;
        case Sig::FlagOfDate:
            // Only the low byte of the result is defined.
            for (const CalendarDate& d : kDates)
                emit(e, formatDate(d), formatFlag(as<FnFlagOfDate>(address)(d)));
            break;
        case Sig::DoubleOfDouble:
            for (double v : kDoubles)
                emit(e, formatDouble(v), formatDouble(as<FnDoubleOfDouble>(address)(v)));
            break;
        case Sig::DoubleOfDate:
            for (const CalendarDate& d : kDates)
                emit(e, formatDate(d), formatDouble(as<FnDoubleOfDate>(address)(d)));
            break;
        case Sig::DateOfDoubleDouble:
            for (double jd : kDoubles)
                for (double lon : {135.0, 0.0, -90.5, kNaN})
                    emit(e, formatDouble(jd) + "," + formatDouble(lon),
                         formatDate(as<FnDateOfDoubleDouble>(address)(jd, lon)));
            break;
        case Sig::DateOfDate:
            for (const CalendarDate& d : kDates)
                emit(e, formatDate(d), formatDate(as<FnDateOfDate>(address)(d)));
            break;
        case Sig::DateOfDateYmdOnly:
            for (const CalendarDate& d : kDates)
                emit(e, formatDate(d), formatYmd(as<FnDateOfDate>(address)(d)) + "}");
            break;
        case Sig::DateOfDateNewMoon:
            for (const CalendarDate& d : kDates) {
                CalendarDate r = as<FnDateOfDate>(address)(d);
                emit(e, formatDate(d), r.year == -999 ? formatYmd(r) + "}" : formatDate(r));
            }
            break;
        case Sig::DateOfYearLon:
            for (const YearLon& p : kYearLons)
                emit(e, formatInt(p.year) + "," + formatDouble(p.lon),
                     formatDate(as<FnDateOfYearLon>(address)(p.year, p.lon)));
            break;
        case Sig::LunisolarOfDate:
            for (const CalendarDate& d : kDates)
                emit(e, formatDate(d), formatLunisolar(as<FnLunisolarOfDate>(address)(d)));
            break;
        case Sig::DateOfLunisolar:
            for (const LunisolarDate& d : kLunisolarDates)
                emit(e, formatLunisolar(d), formatDate(as<FnDateOfLunisolar>(address)(d)));
            break;
        case Sig::IntOfIntIntChar:
            for (const LunisolarDate& d : kLunisolarDates)
                emit(e, formatInt(d.year) + "," + formatInt(d.month) + "," + formatFlag(d.leap),
                     formatInt(as<FnIntOfIntIntChar>(address)(d.year, d.month, d.leap)));
            break;
        case Sig::IntOfDateInt:
            for (const CalendarDate& d : kDates)
                for (int32_t court :
                     {int32_t{VRN_SOUTH}, int32_t{VRN_NORTH}, int32_t{VRN_BOTH}, -1, INT32_MIN})
                    emit(e, formatDate(d) + "," + formatInt(court),
                         formatInt(as<FnIntOfDateInt>(address)(d, court)));
            break;
        case Sig::RiseSetOfDatePlace:
            for (const CalendarDate& d : kDates)
                for (const LatLon& p : kPlaces)
                    emit(e,
                         formatDate(d) + "," + formatDouble(p.latitude) + "," +
                             formatDouble(p.longitude),
                         formatRiseSet(
                             as<FnRiseSetOfDatePlace>(address)(d, p.latitude, p.longitude)));
            break;
        case Sig::NameOfInt:
            for (int32_t v : kInts) emit(e, formatInt(v), formatName(as<FnNameOfInt>(address)(v)));
            break;
        case Sig::NameOfVoid:
            emit(e, "", formatName(as<FnNameOfVoid>(address)()));
            break;
    }
}

// ---- The built export list --------------------------------------------

bool readBuiltExports(const char* path, std::map<int, std::string>& built) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "abi_probe: cannot read %s\n", path);
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        size_t colon = line.find(':');
        int ordinal = 0;
        auto parsed = std::from_chars(line.data(), line.data() + colon, ordinal);
        if (colon == std::string::npos || parsed.ec != std::errc() ||
            parsed.ptr != line.data() + colon) {
            std::fprintf(stderr, "abi_probe: bad line in %s: %s\n", path, line.c_str());
            return false;
        }
        built[ordinal] = line.substr(colon + 1);
    }
    return true;
}

const ExportSignature* findSignature(int ordinal) {
    for (const ExportSignature& e : kSignatures)
        if (e.ordinal == ordinal) return &e;
    return nullptr;
}

// ---- Binding ----------------------------------------------------------

#ifdef _WIN32

HMODULE gLibrary = nullptr;

bool openLibrary(const char* path) {
    gLibrary = LoadLibraryA(path);
    if (gLibrary == nullptr) {
        std::fprintf(stderr, "abi_probe: LoadLibraryA(%s) failed (%lu)\n", path,
                     static_cast<unsigned long>(GetLastError()));
        return false;
    }
    return true;
}

// The address of an export by ordinal, after checking that the same name
// resolves to the same address.
void* bindExport(const ExportSignature& e, int& faults) {
    FARPROC byOrdinal = GetProcAddress(gLibrary, MAKEINTRESOURCEA(e.ordinal));
    FARPROC byName = GetProcAddress(gLibrary, e.name);
    if (byOrdinal == nullptr || byName == nullptr || byOrdinal != byName) {
        std::fprintf(stderr, "abi_probe: %s: ordinal %d gives %p, name gives %p\n", e.name,
                     e.ordinal, reinterpret_cast<void*>(byOrdinal),
                     reinterpret_cast<void*>(byName));
        ++faults;
        return nullptr;
    }
    return reinterpret_cast<void*>(byOrdinal);
}

// The DLL's export directory must hold exactly the built exports: each at
// its ordinal, under its name, and nothing else (no decorated duplicates).
int checkExportDirectory(const std::map<int, std::string>& built) {
    int faults = 0;
    const auto* base = reinterpret_cast<const unsigned char*>(gLibrary);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.VirtualAddress == 0) {
        std::fprintf(stderr, "abi_probe: the DLL has no export directory\n");
        return 1;
    }
    const auto* dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const auto* functions = reinterpret_cast<const DWORD*>(base + dir->AddressOfFunctions);
    const auto* names = reinterpret_cast<const DWORD*>(base + dir->AddressOfNames);
    const auto* nameOrdinals = reinterpret_cast<const WORD*>(base + dir->AddressOfNameOrdinals);

    std::set<int> exportedOrdinals;
    for (DWORD i = 0; i < dir->NumberOfFunctions; ++i)
        if (functions[i] != 0) exportedOrdinals.insert(static_cast<int>(dir->Base + i));
    std::map<int, std::string> namedOrdinals;
    for (DWORD i = 0; i < dir->NumberOfNames; ++i) {
        int ordinal = static_cast<int>(dir->Base + nameOrdinals[i]);
        std::string name = reinterpret_cast<const char*>(base + names[i]);
        auto it = built.find(ordinal);
        if (it == built.end() || it->second != name) {
            std::fprintf(stderr, "abi_probe: unexpected export %s at ordinal %d\n", name.c_str(),
                         ordinal);
            ++faults;
        }
        if (!namedOrdinals.emplace(ordinal, name).second) {
            std::fprintf(stderr, "abi_probe: ordinal %d has a second name %s\n", ordinal,
                         name.c_str());
            ++faults;
        }
    }
    for (int ordinal : exportedOrdinals)
        if (built.count(ordinal) == 0) {
            std::fprintf(stderr, "abi_probe: unexpected export at ordinal %d\n", ordinal);
            ++faults;
        }
    for (const auto& [ordinal, name] : built)
        if (namedOrdinals.count(ordinal) == 0) {
            std::fprintf(stderr, "abi_probe: %s is not exported by name at ordinal %d\n",
                         name.c_str(), ordinal);
            ++faults;
        }
    return faults;
}

int checkUnbuiltNames(const std::map<int, std::string>&) { return 0; }

#else

void* gLibrary = nullptr;

bool openLibrary(const char* path) {
    gLibrary = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (gLibrary == nullptr) {
        std::fprintf(stderr, "abi_probe: dlopen(%s) failed: %s\n", path, dlerror());
        return false;
    }
    return true;
}

void* bindExport(const ExportSignature& e, int& faults) {
    void* address = dlsym(gLibrary, e.name);
    if (address == nullptr) {
        std::fprintf(stderr, "abi_probe: %s does not resolve\n", e.name);
        ++faults;
    }
    return address;
}

int checkExportDirectory(const std::map<int, std::string>&) { return 0; }

// A name of the table that is not built yet must not resolve either.
int checkUnbuiltNames(const std::map<int, std::string>& built) {
    int faults = 0;
    for (const ExportSignature& e : kSignatures)
        if (built.count(e.ordinal) == 0 && dlsym(gLibrary, e.name) != nullptr) {
            std::fprintf(stderr, "abi_probe: %s resolves but is not in the built list\n", e.name);
            ++faults;
        }
    return faults;
}

#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: abi_probe LIBRARY BUILT_EXPORTS\n");
        return 2;
    }
#ifdef _WIN32
    // Plain LF line ends, as in the native output.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::map<int, std::string> built;
    if (!readBuiltExports(argv[2], built)) return 1;
    if (!openLibrary(argv[1])) return 1;

    int faults = 0;
    for (const auto& [ordinal, name] : built) {
        const ExportSignature* e = findSignature(ordinal);
        if (e == nullptr || name != e->name) {
            std::fprintf(stderr, "abi_probe: built export %d:%s is not in the export table\n",
                         ordinal, name.c_str());
            ++faults;
        }
    }
    faults += checkExportDirectory(built);
    faults += checkUnbuiltNames(built);

    int called = 0;
    for (const ExportSignature& e : kSignatures) {
        auto it = built.find(e.ordinal);
        if (it == built.end() || it->second != e.name) continue;
        void* address = bindExport(e, faults);
        if (address == nullptr) continue;
        callWithAllArguments(e, address);
        ++called;
    }
    std::fflush(stdout);
    std::fprintf(stderr, "abi_probe: %d of %zu exports built and called, %d fault(s)\n", called,
                 kExportCount, faults);
    return faults == 0 ? 0 : 1;
}
