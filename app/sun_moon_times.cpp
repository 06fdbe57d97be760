#include "sun_moon_times.h"

#include <cstdio>

namespace tenvo {

namespace {

// A decimal number of degrees: an optional sign, digits and at most one
// point ("35.68", "-0.5", "139"), at most 15 digits so that the whole
// digits over a power of ten, one rounding, give the nearest double.
std::optional<double> parseDegrees(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int64_t digits = 0;
    int count = 0, decimals = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9' && count < 15) {
            digits = digits * 10 + (c - '0');
            ++count;
            if (point) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0) return std::nullopt;
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i) scale *= 10.0;
    const double value = static_cast<double>(digits) / scale;
    return negative ? -value : value;
}

// "; the capitals are: 札幌 青森 .. 那覇".
std::string capitalNames() {
    std::string names = "; the capitals are:";
    for (const Place& p : kPrefecturalCapitals) {
        names.push_back(' ');
        names.append(std::string_view(p.name));
    }
    return names;
}

}  // namespace

PlaceReading readPlace(std::string_view text) {
    for (const Place& p : kPrefecturalCapitals) {
        if (text == p.name) return {p, {}};
    }
    PlaceReading reading;
    const auto refuse = [&](std::string_view what, std::string_view given, std::string_view valid) {
        reading.error.append("--place").append(what).append(", not '").append(given).append("'");
        reading.error.append(valid);
        return reading;
    };
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        const std::string names = capitalNames();
        return refuse(
            " takes LAT,LON in degrees (north and east positive) or a prefectural capital", text,
            names);
    }
    const std::string_view latitudeText = text.substr(0, comma);
    const std::string_view longitudeText = text.substr(comma + 1);
    const auto latitude = parseDegrees(latitudeText);
    const auto longitude = parseDegrees(longitudeText);
    if (!latitude || !longitude) {
        return refuse(" takes LAT,LON as two decimal numbers of degrees (35.68,139.69)", text, "");
    }
    if (*latitude < -90.0 || *latitude > 90.0) {
        return refuse("'s latitude must lie from -90 to 90 degrees", latitudeText, "");
    }
    if (*longitude < -180.0 || *longitude > 180.0) {
        return refuse("'s longitude must lie from -180 to 180 degrees", longitudeText, "");
    }
    reading.place = Place{*latitude, *longitude, ""};
    return reading;
}

SunMoonTimes composeSunMoonTimes(const LibraryBinding& library, const Place& place,
                                 const CivilDate& date) {
    SunMoonTimes times;
    if (date.year < kLoreFirstYear || date.year > kLoreLastYear || date.month < 1 ||
        date.month > 12 || date.day < 1 || date.day > daysInMonth(date.year, date.month)) {
        return times;
    }
    const CalendarDate day{date.year, date.month, date.day, 0.0, 0.0, 0.0, 135.0};
    times.sun = library.ad2hinode(day, place.latitude, place.longitude);
    times.moon = library.ad2tukide(day, place.latitude, place.longitude);
    times.valid = times.sun.rise != VRN_RISE_SET_ERROR && times.moon.rise != VRN_RISE_SET_ERROR;
    return times;
}

std::string clockText(int32_t seconds, const char* none) {
    if (seconds < 0) return none;
    const int32_t minutes = (seconds + 30) / 60;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(minutes / 60),
                  static_cast<int>(minutes % 60));
    return text;
}

std::vector<LoreLine> sunMoonLines(const SunMoonTimes& times, TextEncoding encoding) {
    std::vector<LoreLine> lines;
    if (!times.valid) return lines;
    constexpr char kNone[] = "\x82\xc8\x82\xb5";  // なし
    lines = {
        {"\x93\xfa\x82\xcc\x8f\x6f" /* 日の出 */, clockText(times.sun.rise, kNone)},
        {"\x93\xec\x92\x86" /* 南中 */, clockText(times.sun.transit, kNone)},
        {"\x93\xfa\x82\xcc\x93\xfc" /* 日の入 */, clockText(times.sun.set, kNone)},
        {"\x8c\x8e\x82\xcc\x8f\x6f" /* 月の出 */, clockText(times.moon.rise, kNone)},
        {"\x8c\x8e\x82\xcc\x93\xec\x92\x86" /* 月の南中 */, clockText(times.moon.transit, kNone)},
        {"\x8c\x8e\x82\xcc\x93\xfc" /* 月の入 */, clockText(times.moon.set, kNone)},
    };
    encodeLoreLines(lines, encoding);
    return lines;
}

}  // namespace tenvo
