// The Sun's and the Moon's rising, transit and setting for a place and a
// local day at 135 degrees east, apart from the day's lore: the lore is
// the same everywhere, the times are not, and most views show none.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "civil_days.h"
#include "day_lore.h"
#include "library_binding.h"

namespace tenvo {

// A place on the Earth: geodetic latitude and longitude in degrees, north
// and east positive, and its name in UTF-8 ("" for a place given by its
// coordinates).
struct Place {
    double latitude = 0.0;
    double longitude = 0.0;
    const char* name = "";
};

// The 47 prefectural capitals by the city's name, at the prefectural
// office (world geodetic system, to 1/10000 degree), north to south as the
// prefectures are numbered. Source: 国土地理院, 都道府県の庁舎及び東西南北端点の
// 経緯度（世界測地系）, https://www.gsi.go.jp/KOKUJYOHO/CENTER/kendata/zenken.pdf
// (from https://www.gsi.go.jp/KOKUJYOHO/center.htm), to the whole second;
// docs/sun-and-moon.md says how far each entry agrees with it. 長崎 is the
// office at 尾上町 that the prefecture moved to in 2018.
inline constexpr std::array<Place, 47> kPrefecturalCapitals{{
    {43.0642, 141.3469, "札幌"},   {40.8244, 140.7400, "青森"},     {39.7036, 141.1525, "盛岡"},
    {38.2689, 140.8719, "仙台"},   {39.7186, 140.1025, "秋田"},     {38.2404, 140.3633, "山形"},
    {37.7500, 140.4678, "福島"},   {36.3418, 140.4468, "水戸"},     {36.5657, 139.8836, "宇都宮"},
    {36.3907, 139.0604, "前橋"},   {35.8570, 139.6489, "さいたま"}, {35.6051, 140.1233, "千葉"},
    {35.6895, 139.6917, "東京"},   {35.4478, 139.6425, "横浜"},     {37.9026, 139.0236, "新潟"},
    {36.6953, 137.2113, "富山"},   {36.5947, 136.6256, "金沢"},     {36.0652, 136.2216, "福井"},
    {35.6639, 138.5684, "甲府"},   {36.6513, 138.1810, "長野"},     {35.3912, 136.7223, "岐阜"},
    {34.9769, 138.3831, "静岡"},   {35.1802, 136.9066, "名古屋"},   {34.7303, 136.5086, "津"},
    {35.0045, 135.8686, "大津"},   {35.0212, 135.7556, "京都"},     {34.6863, 135.5200, "大阪"},
    {34.6913, 135.1830, "神戸"},   {34.6853, 135.8327, "奈良"},     {34.2260, 135.1675, "和歌山"},
    {35.5036, 134.2383, "鳥取"},   {35.4723, 133.0505, "松江"},     {34.6618, 133.9344, "岡山"},
    {34.3966, 132.4596, "広島"},   {34.1859, 131.4714, "山口"},     {34.0658, 134.5593, "徳島"},
    {34.3401, 134.0434, "高松"},   {33.8416, 132.7657, "松山"},     {33.5597, 133.5311, "高知"},
    {33.6064, 130.4181, "福岡"},   {33.2494, 130.2988, "佐賀"},     {32.7500, 129.8672, "長崎"},
    {32.7898, 130.7417, "熊本"},   {33.2381, 131.6126, "大分"},     {31.9111, 131.4239, "宮崎"},
    {31.5602, 130.5581, "鹿児島"}, {26.2124, 127.6809, "那覇"},
}};

// The place the views use unless told another.
inline constexpr const Place& kDefaultPlace = kPrefecturalCapitals[12];

// "LAT,LON" in decimal degrees (north and east positive) or the name of a
// prefectural capital. A text that is neither gives no place and `error`
// saying what is wrong and what would be valid.
struct PlaceReading {
    std::optional<Place> place;
    std::string error;
};
PlaceReading readPlace(std::string_view text);

// The events of one local day (1870-01-01 .. 2100-12-31; `valid` false
// outside): the Sun by its upper limb, the Moon by its centre, as the
// national observatory prints them. A moonrise after midnight belongs to
// the day on which it happens.
struct SunMoonTimes {
    bool valid = false;
    RiseSetTimes sun{};
    RiseSetTimes moon{};
};
SunMoonTimes composeSunMoonTimes(const LibraryBinding& library, const Place& place,
                                 const CivilDate& date);

// "HH:MM" of seconds after midnight rounded to the nearest minute (an
// event in the day's last half minute is "24:00", as the library's minute
// is), or `none` for VRN_NO_EVENT.
std::string clockText(int32_t seconds, const char* none = "--:--");

// 日の出, 南中, 日の入, 月の出, 月の南中, 月の入, each "HH:MM" or "なし";
// none at all for an invalid record.
std::vector<LoreLine> sunMoonLines(const SunMoonTimes& times, TextEncoding encoding);

}  // namespace tenvo
