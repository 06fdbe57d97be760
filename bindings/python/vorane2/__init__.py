"""The traditional Japanese calendar: lunisolar dates and the day's lore.

Every function takes a ``datetime.date`` (Japan's days; Gregorian also
before 1582) or a year and calls the vorane2 library; a date outside a
function's span raises ValueError, an argument of the wrong type TypeError.
The lunar months are by default as the calendars printed them (rule
"published", 445 to 2100); rule "terms" or "solstice" numbers them over the
stored new moons of 1870 to 2100.

>>> import datetime, vorane2
>>> vorane2.lunisolar(datetime.date(2026, 2, 17))
Lunisolar(year=2026, month=1, day=1, leap=False)
>>> vorane2.wareki(datetime.date(1582, 7, 1)), vorane2.to_julian(datetime.date(1582, 7, 1))
('天正10年6月2日', JulianDate(year=1582, month=6, day=21))
>>> vorane2.from_wareki("天正10年6月2日")
datetime.date(1582, 7, 1)
"""

from ._vorane2 import (  # noqa: F401
    Day,
    JulianDate,
    Kanshi,
    Kyusei,
    Lunisolar,
    MonthSheet,
    Seasons,
    SelectedDays,
    SheetCell,
    SunMoonTimes,
    __version__,
    almanac,
    choku,
    clock_text,
    day,
    from_julian,
    from_wareki,
    holidays,
    kanshi,
    kyusei,
    lore,
    lower_row,
    lunisolar,
    mansion27,
    mansion28,
    month_sheet,
    rokuyo,
    seasons,
    selected_days,
    solar_term,
    solar_terms,
    sun_moon_times,
    to_julian,
    wareki,
)
