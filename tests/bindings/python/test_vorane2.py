"""The Python module against the library's exports, called through ctypes.

VORANE2_LIBRARY names the shared library to compare with; the module is the
one on PYTHONPATH.
"""

import ast
import ctypes
import datetime
import os
import pathlib
import re
import subprocess

import pytest
from hypothesis import given, settings
from hypothesis import strategies as st

import vorane2


class CalendarDate(ctypes.Structure):
    _fields_ = [("year", ctypes.c_int32), ("month", ctypes.c_int32), ("day", ctypes.c_int32),
                ("hour", ctypes.c_double), ("minute", ctypes.c_double),
                ("second", ctypes.c_double), ("longitude", ctypes.c_double)]


class LunisolarDate(ctypes.Structure):
    _fields_ = [("leap", ctypes.c_char), ("year", ctypes.c_int32), ("month", ctypes.c_int32),
                ("day", ctypes.c_int32), ("longitude", ctypes.c_double)]


lib = ctypes.CDLL(os.environ["VORANE2_LIBRARY"])
for _name in ("adto9rekL", "adto9rekS", "adto9rekH"):
    getattr(lib, _name).restype = LunisolarDate
for _name in ("rno2name", "A27toname", "A28toname", "eno2name", "kno2name", "rek2name",
              "sek2name", "cyo2name", "ged2name"):
    getattr(lib, _name).restype = ctypes.c_char_p
    getattr(lib, _name).argtypes = [ctypes.c_int32]


def name_of(table, index, cache={}):
    key = (table, index)
    if key not in cache:
        cache[key] = getattr(lib, table)(index).decode("cp932")
    return cache[key]


def test_every_day_equals_the_exports():
    day = datetime.date(1870, 1, 1)
    holidays = {d: name for year in range(1948, 2101) for d, name in vorane2.holidays(year)}
    answered = 0
    while day <= datetime.date(2100, 12, 31):
        c = CalendarDate(day.year, day.month, day.day, 0.0, 0.0, 0.0, 135.0)
        for rule, suffix in (("terms", "L"), ("solstice", "S")):
            want = getattr(lib, "adto9rek" + suffix)(c)
            if want.month == -999:
                for f in (vorane2.lunisolar, vorane2.rokuyo, vorane2.mansion27):
                    with pytest.raises(ValueError, match="outside the lunisolar span"):
                        f(day, rule)
                continue
            answered += 1
            assert vorane2.lunisolar(day, rule) == (want.year, want.month, want.day,
                                                    want.leap == b"Y")
            assert vorane2.rokuyo(day, rule) == name_of("rno2name",
                                                        getattr(lib, "ad26you" + suffix)(c))
            assert vorane2.mansion27(day, rule) == name_of("A27toname",
                                                           getattr(lib, "adto27" + suffix)(c))
        assert vorane2.mansion28(day) == name_of("A28toname", lib.adto28(c))
        assert vorane2.kanshi(day) == tuple(name_of("eno2name", f(c)) for f in
                                            (lib.ad2neto, lib.ad2teto, lib.ad2heto))
        assert vorane2.kyusei(day) == tuple(name_of("kno2name", f(c)) for f in
                                            (lib.ad2nkyusei, lib.ad2tkyusei, lib.ad2hkyusei))
        bits = lib.ad2rekicyu(c)
        items = [name_of("rek2name", i) for i in range(29) if bits >> i & 1]
        assert vorane2.almanac(day, "terms") == items
        lower = {rule: [name_of("ged2name", i) for i in range(17) if bits >> i & 1]
                 for rule, bits in (("terms", lib.ad2gedan(c)), ("solstice", lib.ad2gedanS(c)))}
        assert vorane2.lower_row(day, "terms") == lower["terms"]
        assert vorane2.lower_row(day, "solstice") == lower["solstice"]
        choku = name_of("cyo2name", lib.ad2cyoku(c))
        assert vorane2.choku(day) == choku
        lore = vorane2.day(day, "terms")
        assert lore.date == day and lore.almanac == items
        assert (lore.choku, lore.lower_row) == (choku, lower["terms"])
        assert (lore.lunisolar, lore.rokuyo, lore.mansion27) == (
            (vorane2.lunisolar(day, "terms"), vorane2.rokuyo(day, "terms"),
             vorane2.mansion27(day, "terms"))
            if lore.lunisolar else (None, None, None))
        assert (lore.kanshi, lore.kyusei, lore.mansion28) == (
            vorane2.kanshi(day), vorane2.kyusei(day), vorane2.mansion28(day))
        term = lib.ad2sekki(c)
        assert lore.solar_term == (name_of("sek2name", term) if term >= 0 else None)
        assert lore.moon_age == lib.ad2getrei(c) / 10
        assert lore.holiday == holidays.get(day)
        assert lore.era.startswith(("明治", "大正", "昭和", "平成", "令和"))
        day += datetime.timedelta(days=1)
    assert answered == 2 * (datetime.date(2100, 12, 30) - datetime.date(1870, 2, 1)).days + 2


def test_every_day_of_history_reads_back():
    """Every day 445-2100: the published lunisolar date is the export's, and
    each court's era date reads back to the day."""
    first, last = datetime.date(445, 1, 25), datetime.date(2100, 12, 31)
    one = datetime.timedelta(days=1)
    day = first - one
    courts_differ = 0
    while day <= last + one:
        c = CalendarDate(day.year, day.month, day.day, 0.0, 0.0, 0.0, 135.0)
        want = lib.adto9rekH(c)
        if want.month == -999:
            assert day < first or day >= last
            with pytest.raises(ValueError, match="outside the lunisolar span 0445-01-25"):
                vorane2.lunisolar(day)
        else:
            assert vorane2.lunisolar(day) == (want.year, want.month, want.day, want.leap == b"Y")
        if not first <= day <= last:
            with pytest.raises(ValueError, match="outside the era dates' span"):
                vorane2.wareki(day)
            day += one
            continue
        south, north = vorane2.wareki(day), vorane2.wareki(day, "north")
        assert vorane2.from_wareki(south) == day and vorane2.from_wareki(north) == day
        if south != north:
            assert 1331 <= day.year <= 1392
            assert vorane2.from_wareki(north + "（北朝）") == day
            courts_differ += 1
        day += one
    assert courts_differ > 0


# Days of history as the chronologies date them: the era date, the
# Gregorian day, and the Julian date where the event is also dated so.
HISTORY = [
    ("天正10年6月2日", datetime.date(1582, 7, 1), (1582, 6, 21)),  # 本能寺の変
    ("慶長5年9月15日", datetime.date(1600, 10, 21), None),  # 関ヶ原の戦い
    ("元禄15年12月14日", datetime.date(1703, 1, 30), None),  # 赤穂浪士の討ち入り
    ("安政7年3月3日", datetime.date(1860, 3, 24), None),  # 桜田門外の変
    # The change of calendar: 明治5年12月2日 was followed by 明治6年1月1日.
    ("明治5年12月2日", datetime.date(1872, 12, 31), None),
    ("明治6年1月1日", datetime.date(1873, 1, 1), None),
    # The fall of Kamakura (東勝寺合戦), dated in the eras of both courts.
    ("元弘3年5月22日（南朝）", datetime.date(1333, 7, 12), (1333, 7, 4)),
    ("正慶2年5月22日（北朝）", datetime.date(1333, 7, 12), (1333, 7, 4)),
    ("延元元年5月25日", datetime.date(1336, 7, 12), (1336, 7, 4)),  # 湊川の戦い
]


@pytest.mark.parametrize("text,day,julian", HISTORY)
def test_days_of_history(text, day, julian):
    court = "north" if text.endswith("（北朝）") else "south"
    assert vorane2.from_wareki(text) == day
    assert vorane2.wareki(day, court) == text.removesuffix("（南朝）").removesuffix("（北朝）")
    lore = vorane2.lore(day)
    assert lore == vorane2.day(day)
    assert lore.era_south == vorane2.wareki(day) and lore.era_north == vorane2.wareki(day, "north")
    assert lore.julian == (julian if day < datetime.date(1582, 10, 15) else None)
    if julian:
        assert vorane2.to_julian(day) == julian and vorane2.from_julian(*julian) == day
    # The lunisolar month ends on its day month_days (but for the one that
    # the change of calendar cut short, below, which the old tables ran on).
    last = day + datetime.timedelta(days=lore.month_days - lore.lunisolar.day)
    assert vorane2.lunisolar(last).day == lore.month_days
    if day != datetime.date(1872, 12, 31):
        assert vorane2.lunisolar(last + datetime.timedelta(days=1)).day == 1


def test_the_published_lore_before_1870():
    honnoji = vorane2.day(datetime.date(1582, 7, 1))
    assert honnoji.lunisolar == (1582, 6, 2, False) and honnoji.rokuyo == "先勝"
    assert (honnoji.kyusei, honnoji.solar_term, honnoji.choku, honnoji.moon_age) == (None,) * 4
    assert honnoji.almanac == [] and honnoji.lower_row == []
    # A leap month had no 月建: 1392-11-27 is 明徳3年閏10月5日.
    leap = vorane2.day(datetime.date(1392, 11, 27))
    assert leap.lunisolar.leap and leap.kanshi.month is None and leap.kanshi.day
    # The month cut short by the change of calendar, and the old tables'
    # month 12 of 1872 running on into January 1873.
    assert vorane2.day(datetime.date(1872, 12, 31)).month_days == 2
    assert vorane2.day(datetime.date(1873, 1, 1)).month_days == 30
    assert vorane2.day(datetime.date(1873, 1, 1), "terms").month_days is None
    # Both courts in one text where they differ.
    assert vorane2.day(datetime.date(1332, 5, 31)).era == (
        "元弘2年4月28日（南朝）　正慶元年4月28日（北朝）")
    # The 2033 problem: the published calendar has 閏11月, the terms 閏10月.
    assert vorane2.lunisolar(datetime.date(2033, 12, 22)) == (2033, 11, 1, True)


FULL_WIDTH_DIGITS = str.maketrans("０１２３４５６７８９", "0123456789", "　")


def test_kyureki_sheets_write_the_lunisolar_day():
    # 1582-07 from 天正10年6月2日; 2023-03 with 閏2月; 1872-12, whose month
    # 12 began on the 30th.
    for year, month, firsts in ((1582, 7, ["７月"]), (2023, 3, ["閏２"]),
                                (1872, 12, ["11月", "12月"])):
        notes = {c.day: c.note for c in vorane2.month_sheet(year, month, "kyureki").cells
                 if c.day is not None}
        seen = []
        for d, note in notes.items():
            lunar = vorane2.lunisolar(datetime.date(year, month, d))
            if lunar.day == 1:
                seen.append(note)
            else:
                assert int(note.translate(FULL_WIDTH_DIGITS)) == lunar.day
        assert seen == firsts
    with pytest.raises(ValueError, match="445-01 .. 2100-12"):
        vorane2.month_sheet(444, 12, "kyureki")


def test_results_are_named():
    day = datetime.date(2033, 12, 22)
    terms, solstice = vorane2.lunisolar(day, "terms"), vorane2.lunisolar(day, rule="solstice")
    assert (terms.month, terms.leap) == (10, True)
    assert (solstice.month, solstice.leap) == (11, True)
    assert vorane2.kanshi(day).day == vorane2.kanshi(day)[2]
    assert isinstance(vorane2.kyusei(day).year, str)
    assert vorane2.selected_days(day)._fields == ("tensha", "kurobi", "sanrinbo", "fujoju",
                                                  "teniti")


def test_terms_holidays_and_sheets_agree():
    for year in (1870, 1948, 2019, 2100):
        terms = vorane2.solar_terms(year)
        assert [d.month for d, _ in terms] == [m for m in range(1, 13) for _ in (0, 1)]
        assert all(vorane2.solar_term(d) == name for d, name in terms)
    holidays = dict(vorane2.holidays(2019))
    assert holidays[datetime.date(2019, 5, 1)] == "天皇の即位の日"
    for month in range(1, 13):
        sheet = vorane2.month_sheet(2019, month, mode="kanshi", holidays="law")
        for i, cell in enumerate(sheet.cells):
            if cell.day is None:
                assert cell.note == ""
                continue
            day = datetime.date(2019, month, cell.day)
            assert (day.isoweekday() % 7) == i % 7
            assert cell.note == vorane2.kanshi(day).day
            assert cell.colour == (0 if day in holidays else i % 7)
        assert sheet.text.splitlines() == sheet.shift_jis.decode("cp932").split("\r\n")[:14]
    assert len(vorane2.month_sheet(2100, 12, "sekki", "solstice").shift_jis) == 420
    # The almanac mode writes the most notable item: on 2025-07-19 土用入り.
    july = vorane2.month_sheet(2025, 7, "almanac")
    assert [c.note for c in july.cells if c.day == 19] == ["土用"]
    assert "土用入り" in vorane2.almanac(datetime.date(2025, 7, 19))
    # The 直 under each day; 立春 (2026-02-04) repeats the 危 of the day before.
    february = vorane2.month_sheet(2026, 2, "choku")
    assert [c.note for c in february.cells if c.day is not None] == [
        vorane2.choku(datetime.date(2026, 2, d)) for d in range(1, 29)]
    assert [vorane2.choku(datetime.date(2026, 2, d)) for d in (3, 4, 5)] == ["危", "危", "成"]
    assert vorane2.day(datetime.date(2033, 12, 22), "solstice").lower_row == vorane2.lower_row(
        datetime.date(2033, 12, 22), "solstice")


BAD_CALLS = [
    (lambda: vorane2.lunisolar(datetime.date(1870, 1, 31), "terms"), ValueError,
     "1870-01-31 is outside"),
    (lambda: vorane2.rokuyo(datetime.date(2100, 12, 31), "solstice"), ValueError, "outside"),
    (lambda: vorane2.selected_days(datetime.date(1, 1, 1)), ValueError, "outside"),
    (lambda: vorane2.solar_term(datetime.date(2101, 1, 5)), ValueError, "1870 .. 2100"),
    (lambda: vorane2.almanac(datetime.date(1869, 12, 31)), ValueError, "1869-12-31 is outside"),
    (lambda: vorane2.day(datetime.date(2101, 1, 1), "solstice"), ValueError, "2101-01-01"),
    (lambda: vorane2.day(None), TypeError, "not NoneType"),
    (lambda: vorane2.choku(datetime.date(1869, 12, 31)), ValueError, "1869-12-31 is outside"),
    (lambda: vorane2.lower_row(datetime.date(2101, 1, 1), "solstice"), ValueError, "2101-01-01"),
    (lambda: vorane2.lower_row(datetime.date(2020, 1, 1), rule="lunar"), ValueError, "rule must"),
    (lambda: vorane2.choku(datetime.datetime), TypeError, "expects a datetime.date"),
    (lambda: vorane2.solar_terms(1869), ValueError, "outside 1870 .. 2100"),
    (lambda: vorane2.holidays(1947), ValueError, "1948 .. 2100"),
    (lambda: vorane2.holidays(2 ** 80), ValueError, "out of range"),
    (lambda: vorane2.month_sheet(2020, 13), ValueError, "outside the months"),
    (lambda: vorane2.month_sheet(2020, 2, mode="moon"), ValueError, "mode must be"),
    (lambda: vorane2.month_sheet(2020, 2, holidays="none"), ValueError, "holidays must be"),
    (lambda: vorane2.lunisolar(datetime.date(2020, 1, 1), rule="lunar"), ValueError, "rule must"),
    (lambda: vorane2.lunisolar("2020-01-01"), TypeError, "expects a datetime.date, not str"),
    (lambda: vorane2.kanshi(20200101), TypeError, "not int"),
    (lambda: vorane2.lunisolar(datetime.date(2020, 1, 1), rule=1), TypeError, "str rule"),
    (lambda: vorane2.holidays(2020.0), TypeError, "int year"),
    (lambda: vorane2.holidays(True), TypeError, "int year"),
    (lambda: vorane2.month_sheet("2020", 1), TypeError, "int year"),
    (lambda: vorane2.lunisolar(), TypeError, ""),
    (lambda: vorane2.lunisolar(datetime.date(445, 1, 24)), ValueError, "0445-01-24 is outside"),
    (lambda: vorane2.day(datetime.date(445, 1, 24)), ValueError, "the lore's span 0445-01-25"),
    (lambda: vorane2.lore(datetime.date(2101, 1, 1)), ValueError, r"vorane2\.lore\(\): 2101-01-01"),
    (lambda: vorane2.selected_days(datetime.date(1869, 12, 31)), ValueError, "1870-01-01"),
    (lambda: vorane2.wareki(datetime.date(2101, 1, 1)), ValueError, "2101-01-01 is outside"),
    (lambda: vorane2.wareki(datetime.date(1350, 1, 1), "east"), ValueError, "court must be"),
    (lambda: vorane2.wareki(datetime.date(1350, 1, 1), court=0), TypeError, "str court"),
    (lambda: vorane2.wareki("天正10年6月2日"), TypeError, "expects a datetime.date"),
    (lambda: vorane2.from_wareki(None), TypeError, "expects a str, not NoneType"),
    (lambda: vorane2.from_wareki("天正10年6月2日".encode()), TypeError, "not bytes"),
    (lambda: vorane2.from_wareki("\ud800"), ValueError, "not an era date"),
    (lambda: vorane2.from_julian(1582, 2, 29), ValueError, "no date of the Julian calendar"),
    (lambda: vorane2.from_julian(1582, -1, 1), ValueError, "no date of the Julian calendar"),
    (lambda: vorane2.from_julian(1, 1, 1), ValueError, "Gregorian 0000-12-30, outside"),
    (lambda: vorane2.from_julian(1582, 10, 4.0), TypeError, "int day"),
    (lambda: vorane2.seasons(datetime.date(1869, 12, 31)), ValueError, "1869-12-31 is outside"),
    (lambda: vorane2.seasons(datetime.date(2101, 1, 1)), ValueError, "2101-01-01 is outside"),
    (lambda: vorane2.seasons("2026-02-03"), TypeError, "expects a datetime.date"),
]

# Era dates that name no day, with what the message says of each.
BAD_ERA_DATES = [
    ("天正21年1月1日", "天正 counted the years 元年 to 20年, not 21"),
    ("慶長5年閏2月1日", "慶長5年 (1600) has no leap month 2"),
    ("慶長5年1月30日", "慶長5年1月 has 29 days, not 30"),
    ("明治5年12月3日", "明治5年12月 has 2 days, not 3"),
    ("令和2年2月30日", "令和2年2月 has 29 days, not 30"),
    ("明治6年閏1月1日", "from 1873 the months are Gregorian"),
    ("天正10年13月1日", "a month is 1 to 12, not 13"),
    ("允恭天皇33年1月1日", "lies before the calendar's first day, 0445-01-25"),
    ("天王10年6月2日", "names no era or reign"),
    ("大正元年1月1日", "a day 大正 did not name: that day is 明治45年1月1日"),
    ("正慶元年4月28日（南朝）", "did not name in the southern court"),
    ("本能寺の変", "is not a date"),
    ("天正十年六月二日に", "is not an era date"),
    ("", "is not a date"),
    ("2026-12-09", "'2026-12-09' is not an era date"),
    ("1582-07-01\n", "'1582-07-01?' is not an era date"),
]


@pytest.mark.parametrize("text,message", BAD_ERA_DATES)
def test_era_dates_that_name_no_day(text, message):
    with pytest.raises(ValueError, match=re.escape(message)):
        vorane2.from_wareki(text)


@pytest.mark.parametrize("call,error,message", BAD_CALLS)
def test_bad_input_raises_a_clear_error(call, error, message):
    with pytest.raises(error, match=message):
        call()


DATE_FUNCTIONS = [vorane2.lunisolar, vorane2.rokuyo, vorane2.mansion27, vorane2.mansion28,
                  vorane2.kanshi, vorane2.kyusei, vorane2.selected_days, vorane2.solar_term,
                  vorane2.almanac, vorane2.day, vorane2.choku, vorane2.lower_row,
                  vorane2.wareki, vorane2.to_julian]


@settings(max_examples=300, deadline=None)
@given(st.dates(), st.sampled_from(DATE_FUNCTIONS))
def test_any_date_answers_or_raises_value_error(day, function):
    try:
        result = function(day)
    except ValueError as e:
        assert day.isoformat() in str(e)
        inside = datetime.date(1870, 2, 1) <= day <= datetime.date(2100, 12, 30)
        assert not inside or function is vorane2.solar_term
        return
    if function is vorane2.day:
        assert result.date == day and all(isinstance(x, str) for x in result.almanac)
        assert result.moon_age is None or 0 <= result.moon_age < 31
        return
    if function is vorane2.to_julian:
        assert vorane2.from_julian(*result) == day
        return
    if function is vorane2.lunisolar:
        assert 1 <= result.month <= 12 and 1 <= result.day <= 30
        assert result.year in (day.year, day.year - 1)
    elif result is not None:
        assert all(isinstance(x, (str, bool)) for x in
                   (result if isinstance(result, (tuple, list)) else (result,)))
        assert "-999" not in str(result)


@settings(max_examples=200, deadline=None)
@given(st.one_of(st.integers(), st.floats(), st.text(), st.none(), st.binary(),
                 st.tuples(st.integers(1, 9999), st.integers(1, 12), st.integers(1, 28))),
       st.sampled_from(DATE_FUNCTIONS))
def test_anything_but_a_date_is_a_type_error(value, function):
    with pytest.raises(TypeError):
        function(value)


@settings(max_examples=200, deadline=None)
@given(st.one_of(st.integers(-10 ** 6, 10 ** 6), st.integers(400, 1900)), st.integers(-100, 100),
       st.sampled_from(["rokuyo", "kyusei", "mansion27", "mansion28", "kanshi", "sekki",
                        "almanac", "choku", "kyureki"]),
       st.sampled_from(["published", "terms", "solstice"]))
def test_month_sheets_of_any_month(year, month, mode, rule):
    first = 445 if rule == "published" else 1870
    if not (first <= year <= 2100 and 1 <= month <= 12):
        with pytest.raises(ValueError):
            vorane2.month_sheet(year, month, mode, rule)
        return
    sheet = vorane2.month_sheet(year, month, mode, rule)
    days = [c.day for c in sheet.cells if c.day is not None]
    assert days == list(range(1, len(days) + 1)) and 28 <= len(days) <= 31


@settings(max_examples=300, deadline=None)
@given(st.one_of(st.integers(), st.integers(1800, 2200), st.sampled_from([67484, -63588, 2 ** 63])))
def test_years_of_the_tables_and_no_other(year):
    # 67484 and -63588 are 1948 modulo 2 ** 16.
    for function, first in ((vorane2.holidays, 1948), (vorane2.solar_terms, 1870)):
        if first <= year <= 2100:
            assert function(year)[0][0].year == year
        else:
            with pytest.raises(ValueError):
                function(year)


# Published times (tests/lib/rise_set_test.cpp names the sources): the Sun
# by its upper limb at the observatory's points of Tokyo (the former Tokyo
# Observatory at Azabu) and Sapporo in 2009, the Moon by its centre in
# Tokyo, 2006-01-22 without a moonrise (理科年表).
AZABU = (35 + 39 / 60 + 27.7 / 3600, 139 + 44 / 60 + 29.27 / 3600)
SAPPORO = (43 + 4 / 60, 141 + 21 / 60)
PUBLISHED_TIMES = [
    (SAPPORO, datetime.date(2009, 6, 21), "sunrise", "03:55"),
    (SAPPORO, datetime.date(2009, 12, 21), "sunset", "16:03"),
    (AZABU, datetime.date(2009, 3, 20), "sunrise", "05:45"),
    (AZABU, datetime.date(2009, 12, 21), "sunset", "16:31"),
    (AZABU, datetime.date(2023, 9, 29), "moonrise", "17:32"),
    (AZABU, datetime.date(2023, 9, 30), "moonset", "06:06"),
    (AZABU, datetime.date(2006, 1, 22), "moonrise", "--:--"),
    (AZABU, datetime.date(2006, 1, 23), "moonrise", "00:16"),
]


@pytest.mark.parametrize("place,day,event,printed", PUBLISHED_TIMES)
def test_sun_and_moon_times_are_the_published_ones(place, day, event, printed):
    assert vorane2.clock_text(getattr(vorane2.sun_moon_times(day, place), event)) == printed


def test_sun_and_moon_times_repeat_tenvo_term():
    term = os.environ.get("VORANE2_TERM")
    if not term:
        pytest.skip("tenvo-term is not built")
    for place, year in (("札幌", 2023), ("那覇", 1870), ("東京", 2100), ("69.65,18.96", 2024)):
        listed = subprocess.run([term, "--sun", "--list", str(year), "--place", place],
                                capture_output=True, text=True, check=True).stdout.splitlines()
        where = tuple(map(float, place.split(","))) if "," in place else place
        for line in listed[::17]:
            day = datetime.date.fromisoformat(line.split("\t")[0])
            times = vorane2.sun_moon_times(day, where)
            fields = [times.sunrise, times.solar_transit, times.sunset, times.moonrise,
                      times.lunar_transit, times.moonset]
            assert "\t".join([day.isoformat()] + [vorane2.clock_text(t) for t in fields]) == line
    tokyo = vorane2.sun_moon_times(datetime.date(2026, 2, 4))
    assert tokyo == vorane2.sun_moon_times(datetime.date(2026, 2, 4), "東京")
    assert 30 < tokyo.solar_altitude < 45 and tokyo.sunrise < tokyo.solar_transit < tokyo.sunset


def test_seasons_are_the_lores():
    # 節分 2026 faces the 丙午 year's 恵方; 立春 begins the first pentad and
    # its year; 中秋の名月 2025 falls a day before the full moon (the
    # sources are named in tests/app/sun_moon_term_test.cpp).
    setsubun = vorane2.seasons(datetime.date(2026, 2, 3))
    assert (setsubun.pentad, setsubun.eho, setsubun.eho_bearing) == ("鶏始乳", "巳午の間", 165)
    risshun = vorane2.seasons(datetime.date(2026, 2, 4))
    assert risshun[:4] == ("東風解凍", "はるかぜこおりをとく", True, "天河水")
    moon = vorane2.seasons(datetime.date(2025, 10, 6))
    assert (moon.observances, moon.full_moon) == (["中秋の名月"], datetime.date(2025, 10, 7))


BAD_PLACES = [
    (datetime.date(1869, 12, 31), "東京", ValueError, "1869-12-31 is outside"),
    (datetime.date(2101, 1, 1), (35.0, 139.0), ValueError, "2101-01-01 is outside"),
    (datetime.date(2026, 6, 21), "横須賀", ValueError, "no prefectural capital .* 札幌 青森"),
    (datetime.date(2026, 6, 21), "", ValueError, "no prefectural capital"),
    (datetime.date(2026, 6, 21), "\ud800", ValueError, "no prefectural capital"),
    (datetime.date(2026, 6, 21), (90.5, 139.0), ValueError, "latitude 90.5 must lie from -90"),
    (datetime.date(2026, 6, 21), (-91, 139), ValueError, "latitude -91 must lie"),
    (datetime.date(2026, 6, 21), (float("nan"), 139.0), ValueError, "latitude nan"),
    (datetime.date(2026, 6, 21), (35.0, 180.01), ValueError, "longitude 180.01 must lie from -180"),
    (datetime.date(2026, 6, 21), (35.0, float("-inf")), ValueError, "longitude -inf"),
    (datetime.date(2026, 6, 21), (35.0, 10 ** 400), ValueError, "out of range"),
    (datetime.date(2026, 6, 21), (35.0,), TypeError, "not tuple"),
    (datetime.date(2026, 6, 21), [35.0, 139.0], TypeError, "not list"),
    (datetime.date(2026, 6, 21), ("35", "139"), TypeError, "tuple of numbers"),
    (datetime.date(2026, 6, 21), (True, 139.0), TypeError, "tuple of numbers"),
    (datetime.date(2026, 6, 21), None, TypeError, "not NoneType"),
    ("2026-06-21", "東京", TypeError, "expects a datetime.date"),
]


@pytest.mark.parametrize("day,place,error,message", BAD_PLACES)
def test_bad_days_and_places_raise(day, place, error, message):
    with pytest.raises(error, match=message):
        vorane2.sun_moon_times(day, place)
    with pytest.raises(TypeError, match="datetime.time or None"):
        vorane2.clock_text("06:47")


def test_stubs_name_what_the_module_has():
    stub = pathlib.Path(vorane2.__file__).with_name("__init__.pyi")
    tree = ast.parse(stub.read_text(encoding="utf-8"))
    stubbed = {n.name for n in tree.body if isinstance(n, (ast.FunctionDef, ast.ClassDef))}
    public = {n for n in dir(vorane2) if not n.startswith("_") and n[0].isalpha()
              and callable(getattr(vorane2, n))}
    assert stubbed == public
    assert all(getattr(vorane2, n).__doc__ for n in public)
    assert (stub.parent / "py.typed").exists()
