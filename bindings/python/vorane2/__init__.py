"""The traditional Japanese calendar: lunisolar dates and the day's lore.

Every function takes a ``datetime.date`` (Japan's days) or a year and calls
the vorane2 library; a date outside a function's span raises ValueError, an
argument of the wrong type TypeError.

>>> import datetime, vorane2
>>> vorane2.lunisolar(datetime.date(2026, 2, 17))
Lunisolar(year=2026, month=1, day=1, leap=False)
"""

from ._vorane2 import (  # noqa: F401
    Day,
    Kanshi,
    Kyusei,
    Lunisolar,
    MonthSheet,
    SelectedDays,
    SheetCell,
    __version__,
    almanac,
    choku,
    day,
    holidays,
    kanshi,
    kyusei,
    lower_row,
    lunisolar,
    mansion27,
    mansion28,
    month_sheet,
    rokuyo,
    selected_days,
    solar_term,
    solar_terms,
)
