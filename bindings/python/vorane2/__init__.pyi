"""Type stubs of the vorane2 module."""

import datetime
from typing import Literal, NamedTuple, Optional

__version__: str

Rule = Literal["published", "terms", "solstice"]
Mode = Literal[
    "rokuyo", "kyusei", "mansion27", "mansion28", "kanshi", "sekki", "almanac", "choku", "kyureki"
]
Court = Literal["south", "north"]

class Lunisolar(NamedTuple):
    year: int
    month: int
    day: int
    leap: bool

class JulianDate(NamedTuple):
    year: int
    month: int
    day: int

class Kanshi(NamedTuple):
    year: str
    month: Optional[str]  # None only in a Day before 1870, for a leap month
    day: str

class Kyusei(NamedTuple):
    year: str
    month: str
    day: str

class SelectedDays(NamedTuple):
    tensha: bool
    kurobi: bool
    sanrinbo: bool
    fujoju: bool
    teniti: bool

class SheetCell(NamedTuple):
    day: Optional[int]
    note: str
    colour: int

class Day(NamedTuple):
    date: datetime.date
    era: Optional[str]
    lunisolar: Optional[Lunisolar]
    rokuyo: Optional[str]
    kanshi: Kanshi
    kyusei: Optional[Kyusei]
    mansion27: Optional[str]
    mansion28: str
    solar_term: Optional[str]
    almanac: list[str]
    moon_age: Optional[float]
    holiday: Optional[str]
    choku: Optional[str]
    lower_row: list[str]
    julian: Optional[JulianDate]
    era_south: Optional[str]
    era_north: Optional[str]
    month_days: Optional[int]

class SunMoonTimes(NamedTuple):
    sunrise: Optional[datetime.time]
    solar_transit: Optional[datetime.time]
    solar_altitude: Optional[float]
    sunset: Optional[datetime.time]
    moonrise: Optional[datetime.time]
    lunar_transit: Optional[datetime.time]
    moonset: Optional[datetime.time]

class Seasons(NamedTuple):
    pentad: Optional[str]
    pentad_reading: Optional[str]
    pentad_begins: bool
    year_natin: Optional[str]
    day_natin: Optional[str]
    eho: Optional[str]
    eho_compass: Optional[str]
    eho_bearing: Optional[int]
    observances: list[str]
    full_moon: Optional[datetime.date]

class MonthSheet:
    @property
    def year(self) -> int: ...
    @property
    def month(self) -> int: ...
    @property
    def mode(self) -> str: ...
    @property
    def cells(self) -> list[SheetCell]: ...
    @property
    def text(self) -> str: ...
    @property
    def shift_jis(self) -> bytes: ...

def lunisolar(date: datetime.date, rule: Rule = "published") -> Lunisolar: ...
def rokuyo(date: datetime.date, rule: Rule = "published") -> str: ...
def mansion27(date: datetime.date, rule: Rule = "published") -> str: ...
def mansion28(date: datetime.date) -> str: ...
def kanshi(date: datetime.date) -> Kanshi: ...
def kyusei(date: datetime.date) -> Kyusei: ...
def selected_days(date: datetime.date, rule: Rule = "published") -> SelectedDays: ...
def almanac(date: datetime.date, rule: Rule = "published") -> list[str]: ...
def choku(date: datetime.date) -> str: ...
def lower_row(date: datetime.date, rule: Rule = "published") -> list[str]: ...
def day(date: datetime.date, rule: Rule = "published") -> Day: ...
def lore(date: datetime.date, rule: Rule = "published") -> Day: ...
def to_julian(date: datetime.date) -> JulianDate: ...
def from_julian(year: int, month: int, day: int) -> datetime.date: ...
def wareki(date: datetime.date, court: Court = "south") -> str: ...
def from_wareki(text: str) -> datetime.date: ...
def solar_term(date: datetime.date) -> Optional[str]: ...
def solar_terms(year: int) -> list[tuple[datetime.date, str]]: ...
def holidays(year: int) -> list[tuple[datetime.date, str]]: ...
def sun_moon_times(
    date: datetime.date, place: str | tuple[float, float] = "東京"
) -> SunMoonTimes: ...
def seasons(date: datetime.date) -> Seasons: ...
def clock_text(time: Optional[datetime.time]) -> str: ...
def month_sheet(
    year: int,
    month: int,
    mode: Mode = "rokuyo",
    rule: Rule = "published",
    holidays: Literal["fixed", "law"] = "fixed",
) -> MonthSheet: ...
