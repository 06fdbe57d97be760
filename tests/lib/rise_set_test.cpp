#include "rise_set.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "ephemeris.h"
#include "support/civil.h"
#include "support/sjis.h"
#include "vorane2.h"

namespace {

namespace eph = vorane2::ephemeris;
using vorane2::rise_set::Body;
using vorane2::rise_set::DayEvents;
using vorane2::rise_set::eventsOfDay;
using vorane2::rise_set::Limb;

struct Place {
    const char* name;
    double latitude;
    double longitude;
};

// The points the national observatory computes for (理科年表, 暦部 各地の
// 日出入, world geodetic system): Tokyo is the former Tokyo Observatory at
// Azabu, 139°44'29.27" E 35°39'27.7" N; the other cities a point of whole
// minutes in the city of the prefectural office.
constexpr Place kTokyo{"Tokyo", 35.0 + 39.0 / 60 + 27.7 / 3600, 139.0 + 44.0 / 60 + 29.27 / 3600};
constexpr Place kSapporo{"Sapporo", 43.0 + 4.0 / 60, 141.0 + 21.0 / 60};
constexpr Place kNaha{"Naha", 26.0 + 12.0 / 60, 127.0 + 40.0 / 60};
constexpr Place kMiyazaki{"Miyazaki", 31.0 + 55.0 / 60, 131.0 + 25.0 / 60};

constexpr double kJapan = 135.0;
constexpr double kUnixEpochJd = 2440587.5;

// The UT Julian day of the midnight that begins a local day (days since
// 1970-01-01) on the clock of `meridian`.
double midnightOf(int64_t day, double meridian) {
    return static_cast<double>(day) + kUnixEpochJd - meridian / 360.0;
}

DayEvents eventsOn(Body body, const Place& p, int64_t day, Limb limb = Limb::kUpper) {
    return eventsOfDay(body, midnightOf(day, kJapan), p.latitude, p.longitude, limb);
}

// As the observatory prints a time: rounded to the minute, -1 for none.
int minuteOf(double seconds) {
    return seconds < 0.0 ? -1 : static_cast<int>(std::floor((seconds + 30.0) / 60.0));
}
int hm(int hour, int minute) { return hour * 60 + minute; }

enum Event { kRise, kTransit, kSet };
double eventOf(const DayEvents& e, Event which) {
    return which == kRise ? e.rise : which == kTransit ? e.transit : e.set;
}

// ---- Published times ------------------------------------------------------

// Runs of days on which a published sunrise or sunset keeps one minute; the
// day before and the day after the run print another.
struct SunRun {
    Place place;
    Event event;
    testsupport::Ymd first;
    testsupport::Ymd last;
    int minute;
    const char* source;
};

const SunRun kSunRuns[] = {
    // gakuto-plus.jp, 2025-04-09, the observatory's times for Tokyo in 2024.
    {kTokyo, kRise, {2024, 6, 5}, {2024, 6, 20}, hm(4, 25), "earliest sunrise, Tokyo 2024"},
    {kTokyo, kSet, {2024, 6, 23}, {2024, 7, 4}, hm(19, 1), "latest sunset, Tokyo 2024"},
    {kTokyo, kRise, {2024, 1, 2}, {2024, 1, 13}, hm(6, 51), "latest sunrise, Tokyo 2024"},
    {kTokyo, kSet, {2024, 11, 28}, {2024, 12, 12}, hm(16, 28), "earliest sunset, Tokyo 2024"},
    // miyakyouso.com/?p=1301, from the Koyomi Station's tables for 2022/23.
    {kMiyazaki, kRise, {2023, 1, 2}, {2023, 1, 17}, hm(7, 15), "latest sunrise, Miyazaki"},
    {kMiyazaki, kSet, {2022, 11, 28}, {2022, 12, 10}, hm(17, 10), "earliest sunset, Miyazaki"},
};

TEST(RiseSet, PublishedRunsOfTheSunKeepTheirMinuteAndEndWhereTheyEnd) {
    for (const SunRun& run : kSunRuns) {
        const int64_t first =
            testsupport::daysFromCivil(run.first.year, run.first.month, run.first.day);
        const int64_t last =
            testsupport::daysFromCivil(run.last.year, run.last.month, run.last.day);
        for (int64_t day = first - 1; day <= last + 1; ++day) {
            const int minute = minuteOf(eventOf(eventsOn(Body::kSun, run.place, day), run.event));
            if (day < first || day > last) {
                EXPECT_NE(minute, run.minute) << run.source << " day " << day - first;
            } else {
                EXPECT_EQ(minute, run.minute) << run.source << " day " << day - first;
            }
        }
    }
}

struct PublishedDay {
    Place place;
    Body body;
    Limb limb;
    testsupport::Ymd date;
    int rise;  // minutes of the day, -1 for none, -2 for not published
    int set;
    const char* source;
};

const PublishedDay kPublishedDays[] = {
    // saboten.sakura.ne.jp/~suzu/nichibotsu.htm, the times of 2009.
    {kSapporo, Body::kSun, Limb::kUpper, {2009, 3, 20}, hm(5, 38), hm(17, 47), "Sapporo 2009"},
    {kSapporo, Body::kSun, Limb::kUpper, {2009, 6, 21}, hm(3, 55), hm(19, 18), "Sapporo 2009"},
    {kSapporo, Body::kSun, Limb::kUpper, {2009, 9, 23}, hm(5, 22), hm(17, 31), "Sapporo 2009"},
    {kSapporo, Body::kSun, Limb::kUpper, {2009, 12, 21}, hm(7, 3), hm(16, 3), "Sapporo 2009"},
    {kTokyo, Body::kSun, Limb::kUpper, {2009, 3, 20}, hm(5, 45), hm(17, 53), "Tokyo 2009"},
    {kTokyo, Body::kSun, Limb::kUpper, {2009, 6, 21}, hm(4, 25), hm(19, 0), "Tokyo 2009"},
    {kTokyo, Body::kSun, Limb::kUpper, {2009, 9, 23}, hm(5, 29), hm(17, 37), "Tokyo 2009"},
    {kTokyo, Body::kSun, Limb::kUpper, {2009, 12, 21}, hm(6, 47), hm(16, 31), "Tokyo 2009"},
    // blog.goo.ne.jp/motosukeatryukyu/d/20100528: Naha at the solstices,
    // written in May 2010 without the year, which by these times is 2009.
    {kNaha, Body::kSun, Limb::kUpper, {2009, 6, 21}, hm(5, 38), hm(19, 25), "Naha 2009"},
    {kNaha, Body::kSun, Limb::kUpper, {2009, 12, 21}, hm(7, 12), hm(17, 42), "Naha 2009"},
    // miyakyouso.com/?p=1301, the Koyomi Station's times of 2022-12-22.
    {kMiyazaki, Body::kSun, Limb::kUpper, {2022, 12, 22}, hm(7, 11), hm(17, 15), "Miyazaki"},
    // The observatory times the Moon by its centre, not its limb (理科年表;
    // official.rikanenpyo.jp/posts/6103, 相馬 充): the harvest moon of 2023
    // in Tokyo rises at 17:32 and sets at 6:06 the next morning
    // (wacocoro.jp/mid-autumn-harvest-moon01), the upper limb would give
    // 17:31 and 6:08; Tokyo's moon of 2006-01-21..23 from the same 理科年表
    // page, no moonrise on the 22nd, where the limb would miss five of six.
    {kTokyo, Body::kMoon, Limb::kCentre, {2023, 9, 29}, hm(17, 32), hm(4, 54), "harvest moon"},
    {kTokyo, Body::kMoon, Limb::kCentre, {2023, 9, 30}, -2, hm(6, 6), "harvest moon"},
    {kTokyo, Body::kMoon, Limb::kCentre, {2006, 1, 21}, hm(23, 16), hm(10, 9), "理科年表"},
    {kTokyo, Body::kMoon, Limb::kCentre, {2006, 1, 22}, -1, hm(10, 33), "理科年表"},
    {kTokyo, Body::kMoon, Limb::kCentre, {2006, 1, 23}, hm(0, 16), hm(11, 0), "理科年表"},
};

TEST(RiseSet, PublishedDaysToTheMinute) {
    for (const PublishedDay& p : kPublishedDays) {
        const int64_t day = testsupport::daysFromCivil(p.date.year, p.date.month, p.date.day);
        const DayEvents e = eventsOn(p.body, p.place, day, p.limb);
        if (p.rise != -2) {
            EXPECT_EQ(minuteOf(e.rise), p.rise)
                << p.source << " " << p.date.month << "/" << p.date.day;
        }
        EXPECT_EQ(minuteOf(e.set), p.set) << p.source << " " << p.date.month << "/" << p.date.day;
    }
}

// ---- The walk: every day of 1870-2100 in three cities ---------------------

// The topocentric altitude of a body's centre at a UT instant, the
// semidiameter from the place, and the hour angle, straight from the theory
// without the day's interpolation.
struct Seen {
    double altitude;
    double semidiameter;
    double hourAngle;
};

Seen seenFrom(Body body, const Place& p, double jd) {
    const double jde = eph::ttOf(jd);
    const eph::Nutation n = eph::nutationAt(eph::centuriesOf(jde));
    const eph::Ecliptic e = body == Body::kSun ? eph::sunAt(jde, n) : eph::moonAt(jde, n);
    const eph::Vector v = eph::equatorialOf(e, n.trueObliquity);
    const double theta = eph::apparentSiderealDegrees(jd, n) + p.longitude;
    const double c = std::cos(theta * eph::kRadiansPerDegree);
    const double s = std::sin(theta * eph::kRadiansPerDegree);
    const double phi = p.latitude * eph::kRadiansPerDegree;
    const double u = std::atan(0.99664719 * std::tan(phi));
    const double x = v.x * c + v.y * s - std::cos(u);
    const double y = v.x * s - v.y * c;
    const double z = v.z - 0.99664719 * std::sin(u);
    const double r = std::sqrt(x * x + y * y + z * z);
    const double radius = body == Body::kSun ? 109.1223 : 0.2725076;
    return Seen{std::asin((x * std::cos(phi) + z * std::sin(phi)) / r) / eph::kRadiansPerDegree,
                std::asin(radius / r) / eph::kRadiansPerDegree,
                std::atan2(y, x) / eph::kRadiansPerDegree};
}

// An event found is where the definition puts it: the upper limb on the
// horizon within half a second of time's motion (0.002 degrees), the
// transit at an hour angle of zero within the same, and its altitude
// within a third of a second of arc.
void expectOnTheSky(Body body, const Place& p, int64_t day, const DayEvents& e,
                    double meridian = kJapan) {
    const double midnight = midnightOf(day, meridian);
    for (const double t : {e.rise, e.set}) {
        if (t < 0.0) continue;
        const Seen s = seenFrom(body, p, midnight + t / 86400.0);
        EXPECT_NEAR(s.altitude, -(vorane2::rise_set::kHorizonRefractionDegrees + s.semidiameter),
                    0.002)
            << p.name << " day " << day << " at " << t;
    }
    if (e.transit >= 0.0) {
        const Seen s = seenFrom(body, p, midnight + e.transit / 86400.0);
        EXPECT_NEAR(s.hourAngle, 0.0, 0.002) << p.name << " day " << day;
        EXPECT_NEAR(s.altitude, e.transitAltitude, 1e-4) << p.name << " day " << day;
    }
}

TEST(RiseSet, EveryDayOf1870To2100InThreeCitiesHoldsItsEventsInOrderAndMissesNone) {
    const int64_t first = testsupport::daysFromCivil(1870, 1, 1);
    const int64_t last = testsupport::daysFromCivil(2100, 12, 31);
    for (const Place& p : {kTokyo, kSapporo, kNaha}) {
        for (const Body body : {Body::kSun, Body::kMoon}) {
            // The instant (seconds since 1970) of the last event of each
            // kind: the next one comes a day later for the Sun, give or take
            // a few minutes, and 24 to 26.5 hours later for the Moon, whose
            // days without an event are the days such a gap steps over.
            double previous[3] = {NAN, NAN, NAN};
            for (int64_t day = first; day <= last; ++day) {
                const DayEvents e = eventsOn(body, p, day);
                if (body == Body::kSun) {
                    ASSERT_TRUE(e.rise >= 0.0 && e.transit >= 0.0 && e.set >= 0.0)
                        << p.name << " day " << day;
                    EXPECT_TRUE(e.rise < e.transit && e.transit < e.set) << p.name << day;
                    EXPECT_FALSE(e.aboveAtStart);
                }
                for (const Event which : {kRise, kTransit, kSet}) {
                    const double t = eventOf(e, which);
                    if (t < 0.0) continue;
                    const double at = static_cast<double>(day) * 86400.0 + t;
                    const double gap = (at - previous[which]) / 3600.0;
                    previous[which] = at;
                    if (std::isnan(gap)) continue;
                    if (body == Body::kSun) {
                        EXPECT_NEAR(gap, 24.0, 3.0 / 60.0) << p.name << " day " << day;
                    } else {
                        EXPECT_TRUE(gap > 24.0 && gap < 26.5) << p.name << day << " " << gap;
                    }
                }
                if (day % 29 == 0) expectOnTheSky(body, p, day, e);
            }
        }
    }
}

// ---- Polar day and night ----------------------------------------------------

TEST(RiseSet, At70NorthTheSunStaysUpOrDownThroughTheSeasonsGeometryGives) {
    // 70 N 25 E on the clock of 30 E, 2023. The days without sunrise or
    // sunset and their bounds agree with an independent ephemeris (PyEphem
    // 4.1.4 with the same horizon, day by day): polar night until
    // 2023-01-16 and from 2023-11-26, polar day 2023-05-17 .. 2023-07-27.
    const Place north{"70N", 70.0, 25.0};
    const int64_t first = testsupport::daysFromCivil(2023, 1, 1);
    int polarDay = 0;
    int polarNight = 0;
    for (int64_t day = first; day < first + 365; ++day) {
        const DayEvents e = eventsOfDay(Body::kSun, midnightOf(day, 30.0), 70.0, 25.0);
        ASSERT_GE(e.transit, 0.0);
        const bool none = e.rise < 0.0 && e.set < 0.0;
        const double h0 = -(vorane2::rise_set::kHorizonRefractionDegrees + 0.27);
        if (none && e.aboveAtStart) {
            ++polarDay;
            EXPECT_GT(e.transitAltitude, 35.0);
        } else if (none) {
            ++polarNight;
            EXPECT_LT(e.transitAltitude, h0);
        } else if (day % 7 == 0) {
            expectOnTheSky(Body::kSun, north, day, e, 30.0);
        }
        const testsupport::Ymd d = testsupport::civilFromDays(day);
        const bool inDay =
            (d.month == 5 && d.day >= 17) || d.month == 6 || (d.month == 7 && d.day <= 27);
        const bool inNight =
            (d.month == 11 && d.day >= 26) || d.month == 12 || (d.month == 1 && d.day <= 16);
        EXPECT_EQ(none && e.aboveAtStart, inDay) << d.month << "/" << d.day;
        EXPECT_EQ(none && !e.aboveAtStart, inNight) << d.month << "/" << d.day;
    }
    EXPECT_EQ(polarDay, 72);
    EXPECT_EQ(polarNight, 16 + 36);
}

TEST(RiseSet, TheMoonAt70NorthCrossesTheHorizonOnlyWhereItIsFound) {
    // A month of days around the Moon's northern standstill of 2025, when it
    // stays up or down for days on end: every event is on the sky, and a day
    // with none stays on the side it began on.
    const Place north{"70N", 70.0, 25.0};
    const int64_t first = testsupport::daysFromCivil(2025, 1, 1);
    int withoutAny = 0;
    for (int64_t day = first; day < first + 60; ++day) {
        const DayEvents e = eventsOfDay(Body::kMoon, midnightOf(day, 30.0), 70.0, 25.0);
        expectOnTheSky(Body::kMoon, north, day, e, 30.0);
        if (e.rise >= 0.0 || e.set >= 0.0) continue;
        ++withoutAny;
        for (int hour = 1; hour < 24; hour += 2) {
            const Seen s = seenFrom(Body::kMoon, north, midnightOf(day, 30.0) + hour / 24.0);
            const double h0 = -(vorane2::rise_set::kHorizonRefractionDegrees + s.semidiameter);
            EXPECT_EQ(s.altitude > h0, e.aboveAtStart) << day << " hour " << hour;
        }
    }
    EXPECT_GT(withoutAny, 10);
}

// ---- The exports --------------------------------------------------------------

TEST(RiseSet, ExportsAnswerInWholeSecondsAndRefuseWhatLiesOutsideTheirRanges) {
    const CalendarDate harvestMoon{2023, 9, 29, 13.5, 0.0, 0.0, kJapan};  // the clock is ignored
    const int64_t day = testsupport::daysFromCivil(2023, 9, 29);
    struct Case {
        RiseSetTimes (*exported)(CalendarDate, double, double);
        Body body;
        Limb limb;
    };
    for (const Case& c :
         {Case{ad2hinode, Body::kSun, Limb::kUpper}, Case{ad2tukide, Body::kMoon, Limb::kCentre},
          Case{ad2tukideU, Body::kMoon, Limb::kUpper}}) {
        const DayEvents e = eventsOn(c.body, kTokyo, day, c.limb);
        const RiseSetTimes t = c.exported(harvestMoon, kTokyo.latitude, kTokyo.longitude);
        EXPECT_EQ(t.rise, static_cast<int32_t>(std::floor(e.rise + 0.5)));
        EXPECT_EQ(t.set, static_cast<int32_t>(std::floor(e.set + 0.5)));
        if (e.transit >= 0.0) {
            EXPECT_EQ(t.transit, static_cast<int32_t>(std::floor(e.transit + 0.5)));
            EXPECT_EQ(t.altitude, e.transitAltitude);
        } else {
            // The Moon culminates after midnight, on the 30th.
            EXPECT_EQ(t.transit, VRN_NO_EVENT);
            EXPECT_EQ(t.altitude, -999.0);
        }
        EXPECT_EQ(t.above, e.aboveAtStart ? 1 : 0);
        const CalendarDate outside[] = {{1869, 12, 31, 0, 0, 0, kJapan},
                                        {2101, 1, 1, 0, 0, 0, kJapan},
                                        {2023, 9, 29, 0, 0, 0, 180.5},
                                        {2023, 9, 29, 0, 0, 0, NAN}};
        for (const CalendarDate& d : outside) {
            const RiseSetTimes bad = c.exported(d, kTokyo.latitude, kTokyo.longitude);
            EXPECT_EQ(bad.rise, VRN_RISE_SET_ERROR);
            EXPECT_EQ(bad.above, VRN_RISE_SET_ERROR);
            EXPECT_EQ(bad.altitude, -999.0);
        }
        for (const double latitude : {90.5, -90.5, double{NAN}}) {
            EXPECT_EQ(c.exported(harvestMoon, latitude, 0.0).set, VRN_RISE_SET_ERROR);
        }
        for (const double longitude : {180.5, -180.5, double{NAN}}) {
            EXPECT_EQ(c.exported(harvestMoon, 0.0, longitude).transit, VRN_RISE_SET_ERROR);
        }
        // The poles and the date line are places like any other.
        EXPECT_NE(c.exported(harvestMoon, 90.0, 180.0).above, VRN_RISE_SET_ERROR);
        EXPECT_NE(c.exported(harvestMoon, -90.0, -180.0).above, VRN_RISE_SET_ERROR);
    }
    // The 2023 harvest moon culminates at 23:44 on the 29th by the limb or
    // the centre alike, and rises a minute apart.
    const RiseSetTimes centre = ad2tukide(harvestMoon, kTokyo.latitude, kTokyo.longitude);
    const RiseSetTimes limb = ad2tukideU(harvestMoon, kTokyo.latitude, kTokyo.longitude);
    EXPECT_EQ(minuteOf(centre.transit), hm(23, 44));
    EXPECT_EQ(minuteOf(limb.transit), hm(23, 44));
    EXPECT_EQ(minuteOf(centre.rise) - minuteOf(limb.rise), 1);
}

TEST(RiseSet, OwnArcsineAgreesWithTheCLibrary) {
    for (double v = -1.0; v <= 1.0; v += 1.0 / 1024.0) {
        EXPECT_NEAR(vorane2::rise_set::asinDegrees(v), std::asin(v) / eph::kRadiansPerDegree,
                    1e-12);
    }
    EXPECT_EQ(vorane2::rise_set::asinDegrees(2.0), 90.0);
    EXPECT_EQ(vorane2::rise_set::asinDegrees(-2.0), -90.0);
}

}  // namespace
