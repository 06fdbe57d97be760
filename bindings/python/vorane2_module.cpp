// The Python module over the C++ interface (vorane2.hpp): datetime.date in,
// str and named tuples out, ValueError for a date outside a function's span
// or a text that names no day, and TypeError for an argument of the wrong
// type. Results are named tuples.
#include <pybind11/pybind11.h>

// pybind11 first: it brings Python.h, which datetime.h needs.
#include <datetime.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>

#include "vorane2.hpp"

namespace py = pybind11;
using std::chrono::year_month_day;

namespace {

PyTypeObject* gLunisolarType = nullptr;
PyTypeObject* gJulianType = nullptr;
PyTypeObject* gTripleType[2] = {nullptr, nullptr};  // Kanshi, Kyusei
PyTypeObject* gSelectedType = nullptr;
PyTypeObject* gCellType = nullptr;
PyTypeObject* gDayType = nullptr;
PyTypeObject* gSunMoonType = nullptr;
PyTypeObject* gSeasonsType = nullptr;

std::string isoDate(const year_month_day& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return text;
}

std::string typeName(py::handle obj) { return Py_TYPE(obj.ptr())->tp_name; }

year_month_day toDate(py::handle obj, const char* function) {
    if (!PyDate_Check(obj.ptr())) {
        throw py::type_error(std::string("vorane2.") + function +
                             "() expects a datetime.date, not " + typeName(obj));
    }
    return year_month_day{
        std::chrono::year{PyDateTime_GET_YEAR(obj.ptr())},
        std::chrono::month{static_cast<unsigned>(PyDateTime_GET_MONTH(obj.ptr()))},
        std::chrono::day{static_cast<unsigned>(PyDateTime_GET_DAY(obj.ptr()))}};
}

int toInt(py::handle obj, const char* function, const char* what) {
    if (!PyLong_Check(obj.ptr()) || PyBool_Check(obj.ptr())) {
        throw py::type_error(std::string("vorane2.") + function + "() expects an int " + what +
                             ", not " + typeName(obj));
    }
    const long value = PyLong_AsLong(obj.ptr());
    if (value == -1 && PyErr_Occurred()) {
        PyErr_Clear();
        throw py::value_error(std::string("vorane2.") + function + "(): " + what + " out of range");
    }
    // Within std::chrono::year's range, so that no year wraps into another.
    if (value < -32767 || value > 32767) {
        throw py::value_error(std::string("vorane2.") + function + "(): " + what + " " +
                              std::to_string(value) + " out of range");
    }
    return static_cast<int>(value);
}

// A keyword that takes one of a few words.
std::string toWord(py::handle obj, const char* function, const char* what) {
    if (!PyUnicode_Check(obj.ptr())) {
        throw py::type_error(std::string("vorane2.") + function + "() expects a str " + what +
                             ", not " + typeName(obj));
    }
    return obj.cast<std::string>();
}

vorane2::month_rule toRule(py::handle obj, const char* function) {
    const std::string rule = toWord(obj, function, "rule");
    if (rule == "published") return vorane2::month_rule::published;
    if (rule == "terms") return vorane2::month_rule::terms;
    if (rule == "solstice") return vorane2::month_rule::solstice;
    throw py::value_error(std::string("vorane2.") + function +
                          "(): rule must be \"published\", \"terms\" or \"solstice\", not \"" +
                          rule + "\"");
}

[[noreturn]] void outsideSpan(const char* function, const year_month_day& date, const char* span) {
    throw py::value_error(std::string("vorane2.") + function + "(): " + isoDate(date) +
                          " is outside " + span);
}

const char* lunisolarSpan(vorane2::month_rule rule) {
    return rule == vorane2::month_rule::published
               ? "the lunisolar span 0445-01-25 .. 2100-12-30 (the published calendar)"
               : "the lunisolar span 1870-02-01 .. 2100-12-30";
}

py::str utf8(std::string_view s) { return py::str(s.data(), s.size()); }

py::object date(const year_month_day& d) {
    PyObject* o = PyDate_FromDate(static_cast<int>(d.year()),
                                  static_cast<int>(static_cast<unsigned>(d.month())),
                                  static_cast<int>(static_cast<unsigned>(d.day())));
    if (o == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::object>(o);
}

// An instance of the named tuple class `type` from its fields (stolen
// references), allocated and filled as tuple's own constructor does for a
// subclass: the class's Python-level __new__ would cost a frame.
py::object namedTuple(PyTypeObject* type, std::initializer_list<PyObject*> fields) {
    PyObject* o = type->tp_alloc(type, static_cast<Py_ssize_t>(fields.size()));
    if (o == nullptr) {
        for (PyObject* f : fields) Py_XDECREF(f);
        throw py::error_already_set();
    }
    Py_ssize_t i = 0;
    for (PyObject* f : fields) PyTuple_SET_ITEM(o, i++, f);
    return py::reinterpret_steal<py::object>(o);
}

// Every name of the library's tables as a str, made once: a name the C++
// interface gives points into its one array of names.
std::array<PyObject*, std::tuple_size_v<vorane2::detail::name_array>> gNames{};

PyObject* newStr(std::string_view s) {
    const auto& all = vorane2::detail::converted_names();
    const auto* first = reinterpret_cast<const char*>(all.data());
    const auto* last = reinterpret_cast<const char*>(all.data() + all.size());
    if (s.data() >= first && s.data() < last) {
        const auto i =
            static_cast<std::size_t>(s.data() - first) / sizeof(vorane2::detail::utf8_name);
        if (gNames[i] != nullptr) return Py_NewRef(gNames[i]);
    }
    return PyUnicode_FromStringAndSize(s.data(), static_cast<Py_ssize_t>(s.size()));
}

// A collections.namedtuple class of this module.
PyTypeObject* newType(const char* name, const char* fields, const char* doc) {
    py::object type = py::module_::import("collections")
                          .attr("namedtuple")(name, fields, py::arg("module") = "vorane2");
    type.attr("__doc__") = doc;
    return reinterpret_cast<PyTypeObject*>(type.release().ptr());
}

py::object lunisolar(py::handle d, py::handle rule) {
    const year_month_day date = toDate(d, "lunisolar");
    const vorane2::month_rule r = toRule(rule, "lunisolar");
    const auto l = vorane2::lunisolar(date, r);
    if (!l) outsideSpan("lunisolar", date, lunisolarSpan(r));
    return namedTuple(gLunisolarType, {PyLong_FromLong(l->year), PyLong_FromUnsignedLong(l->month),
                                       PyLong_FromUnsignedLong(l->day), PyBool_FromLong(l->leap)});
}

py::str rokuyo(py::handle d, py::handle rule) {
    const year_month_day date = toDate(d, "rokuyo");
    const vorane2::month_rule numbering = toRule(rule, "rokuyo");
    const auto r = vorane2::rokuyo(date, numbering);
    if (!r) outsideSpan("rokuyo", date, lunisolarSpan(numbering));
    return utf8(r->name);
}

py::str mansion27(py::handle d, py::handle rule) {
    const year_month_day date = toDate(d, "mansion27");
    const vorane2::month_rule r = toRule(rule, "mansion27");
    const auto m = vorane2::mansion27(date, r);
    if (!m) outsideSpan("mansion27", date, lunisolarSpan(r));
    return utf8(m->name);
}

py::str mansion28(py::handle d) {
    const year_month_day date = toDate(d, "mansion28");
    const auto m = vorane2::mansion28(date);
    if (!m) outsideSpan("mansion28", date, "the Julian day numbers");
    return utf8(m->name);
}

py::object kanshi(py::handle d) {
    const year_month_day date = toDate(d, "kanshi");
    const auto k = vorane2::kanshi(date);
    if (!k) outsideSpan("kanshi", date, "the calendar");
    return namedTuple(gTripleType[0],
                      {newStr(k->year.name), newStr(k->month.name), newStr(k->day.name)});
}

py::object kyusei(py::handle d) {
    const year_month_day date = toDate(d, "kyusei");
    const auto k = vorane2::kyusei(date);
    if (!k) outsideSpan("kyusei", date, "the calendar");
    return namedTuple(gTripleType[1],
                      {newStr(k->year.name), newStr(k->month.name), newStr(k->day.name)});
}

py::object selectedDays(py::handle d, py::handle rule) {
    const year_month_day date = toDate(d, "selected_days");
    const vorane2::month_rule r = toRule(rule, "selected_days");
    const auto s = vorane2::selected(date, r);
    if (!s) {
        outsideSpan("selected_days", date,
                    r == vorane2::month_rule::published
                        ? "the selected days' span 1870-01-01 .. 2100-12-30"
                        : lunisolarSpan(r));
    }
    return namedTuple(gSelectedType, {PyBool_FromLong(s->tensha), PyBool_FromLong(s->kurobi),
                                      PyBool_FromLong(s->sanrinbo), PyBool_FromLong(s->fujoju),
                                      PyBool_FromLong(s->teniti)});
}

// The names of a day's almanac or lower-row items, in item order.
template <typename List>
py::list itemNames(const List& items) {
    PyObject* list = PyList_New(static_cast<Py_ssize_t>(items.size()));
    if (list == nullptr) throw py::error_already_set();
    Py_ssize_t i = 0;
    for (const auto& item : items) PyList_SET_ITEM(list, i++, newStr(item.name));
    return py::reinterpret_steal<py::list>(list);
}

const char* almanacSpan() { return "the almanac's span 1870-01-01 .. 2100-12-31"; }

py::list almanac(py::handle d, py::handle rule) {
    const year_month_day date = toDate(d, "almanac");
    const auto items = vorane2::almanac(date, toRule(rule, "almanac"));
    if (!items) outsideSpan("almanac", date, almanacSpan());
    return itemNames(*items);
}

py::str choku(py::handle d) {
    const year_month_day date = toDate(d, "choku");
    const auto c = vorane2::choku(date);
    if (!c) outsideSpan("choku", date, almanacSpan());
    return utf8(c->name);
}

py::list lowerRow(py::handle d, py::handle rule) {
    const year_month_day date = toDate(d, "lower_row");
    const auto items = vorane2::lower_row(date, toRule(rule, "lower_row"));
    if (!items) outsideSpan("lower_row", date, almanacSpan());
    return itemNames(*items);
}

PyObject* strOrNone(std::string_view s) { return s.empty() ? Py_NewRef(Py_None) : newStr(s); }

PyObject* nameOrNone(const std::optional<vorane2::named>& n) {
    return n ? newStr(n->name) : Py_NewRef(Py_None);
}

PyObject* lunisolarTuple(const vorane2::lunisolar_date& l) {
    return namedTuple(gLunisolarType, {PyLong_FromLong(l.year), PyLong_FromUnsignedLong(l.month),
                                       PyLong_FromUnsignedLong(l.day), PyBool_FromLong(l.leap)})
        .release()
        .ptr();
}

PyObject* julianTuple(const vorane2::julian_date& j) {
    return namedTuple(gJulianType, {PyLong_FromLong(j.year), PyLong_FromUnsignedLong(j.month),
                                    PyLong_FromUnsignedLong(j.day)})
        .release()
        .ptr();
}

// A cycle's name, None where the lore has none (number -1).
PyObject* cycleName(const vorane2::named& n) {
    return n.number < 0 ? Py_NewRef(Py_None) : newStr(n.name);
}

// A day's lore as a Day; `function` is the name it was called by (day, or
// lore as the C++ interface names it).
py::object dayLore(py::handle d, py::handle rule, const char* function) {
    const year_month_day date = toDate(d, function);
    const vorane2::month_rule r = toRule(rule, function);
    const auto lore = vorane2::lore(date, r);
    if (!lore) {
        outsideSpan(function, date,
                    r == vorane2::month_rule::published
                        ? "the lore's span 0445-01-25 .. 2100-12-31 (the published calendar)"
                        : almanacSpan());
    }
    const auto triple = [](PyTypeObject* type, const auto& t) {
        return namedTuple(type, {cycleName(t.year), cycleName(t.month), cycleName(t.day)})
            .release()
            .ptr();
    };
    // Before 1870 the lore has no nine stars at all.
    PyObject* stars =
        lore->kyusei.day.number < 0 ? Py_NewRef(Py_None) : triple(gTripleType[1], lore->kyusei);
    const auto courtText = [](const std::optional<vorane2::wareki_date>& w) {
        return w ? newStr(w->text()) : Py_NewRef(Py_None);
    };
    return namedTuple(
        gDayType,
        {Py_NewRef(d.ptr()), strOrNone(lore->era_text()),
         lore->lunisolar ? lunisolarTuple(*lore->lunisolar) : Py_NewRef(Py_None),
         nameOrNone(lore->rokuyo), triple(gTripleType[0], lore->kanshi), stars,
         nameOrNone(lore->mansion27), newStr(lore->mansion28.name), nameOrNone(lore->solar_term),
         itemNames(lore->almanac).release().ptr(),
         lore->moon_age ? PyFloat_FromDouble(*lore->moon_age) : Py_NewRef(Py_None),
         strOrNone(lore->holiday), nameOrNone(lore->choku),
         itemNames(lore->lower_row).release().ptr(),
         lore->julian ? julianTuple(*lore->julian) : Py_NewRef(Py_None),
         courtText(lore->wareki_south), courtText(lore->wareki_north),
         lore->month_days ? PyLong_FromUnsignedLong(*lore->month_days) : Py_NewRef(Py_None)});
}

py::object day(py::handle d, py::handle rule) { return dayLore(d, rule, "day"); }
py::object lore(py::handle d, py::handle rule) { return dayLore(d, rule, "lore"); }

py::object toJulian(py::handle d) {
    const year_month_day date = toDate(d, "to_julian");
    const auto j = vorane2::to_julian(date);
    if (!j) outsideSpan("to_julian", date, "the calendar");
    return py::reinterpret_steal<py::object>(julianTuple(*j));
}

py::object fromJulian(py::handle y, py::handle m, py::handle dd) {
    const int year = toInt(y, "from_julian", "year");
    const int month = toInt(m, "from_julian", "month");
    const int day = toInt(dd, "from_julian", "day");
    const std::string written =
        std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
    // A negative month or day wraps to one beyond 12 or 31, which is refused.
    const auto g =
        vorane2::from_julian({year, static_cast<uint32_t>(month), static_cast<uint32_t>(day)});
    if (!g) {
        throw py::value_error("vorane2.from_julian(): " + written +
                              " is no date of the Julian calendar");
    }
    const int gy = static_cast<int>(g->year());
    if (gy < 1 || gy > 9999) {
        throw py::value_error("vorane2.from_julian(): Julian " + written + " is Gregorian " +
                              isoDate(*g) + ", outside datetime.date's years 1 .. 9999");
    }
    return date(*g);
}

vorane2::court toCourt(py::handle obj) {
    const std::string court = toWord(obj, "wareki", "court");
    if (court == "south") return vorane2::court::south;
    if (court == "north") return vorane2::court::north;
    throw py::value_error("vorane2.wareki(): court must be \"south\" or \"north\", not \"" + court +
                          "\"");
}

py::str wareki(py::handle d, py::handle court) {
    const year_month_day date = toDate(d, "wareki");
    const auto text = vorane2::wareki(date, toCourt(court));
    if (!text) outsideSpan("wareki", date, "the era dates' span 0445-01-25 .. 2100-12-31");
    return utf8(*text);
}

py::object fromWareki(py::handle text) {
    if (!PyUnicode_Check(text.ptr())) {
        throw py::type_error("vorane2.from_wareki() expects a str, not " + typeName(text));
    }
    Py_ssize_t length = 0;
    const char* bytes = PyUnicode_AsUTF8AndSize(text.ptr(), &length);
    if (bytes == nullptr) {
        // A lone surrogate has no UTF-8: no era date is written so.
        PyErr_Clear();
        throw py::value_error("vorane2.from_wareki(): the text is not an era date");
    }
    const vorane2::wareki_reading reading =
        vorane2::from_wareki({bytes, static_cast<std::size_t>(length)});
    if (!reading) throw py::value_error("vorane2.from_wareki(): " + reading.message);
    return date(reading.date);
}

py::object solarTerm(py::handle d) {
    const year_month_day date = toDate(d, "solar_term");
    const int y = static_cast<int>(date.year());
    if (y < vorane2::first_table_year || y > vorane2::last_table_year) {
        outsideSpan("solar_term", date, "the years 1870 .. 2100");
    }
    const auto t = vorane2::solar_term_on(date);
    if (!t) return py::none();
    return utf8(t->name);
}

py::list solarTerms(py::handle y) {
    const int year = toInt(y, "solar_terms", "year");
    const auto terms = vorane2::solar_terms(std::chrono::year{year});
    if (!terms) {
        throw py::value_error("vorane2.solar_terms(): year " + std::to_string(year) +
                              " is outside 1870 .. 2100");
    }
    py::list out;
    for (const auto& t : *terms) out.append(py::make_tuple(date(t.date), utf8(t.name)));
    return out;
}

py::list holidays(py::handle y) {
    const int year = toInt(y, "holidays", "year");
    const auto list = vorane2::holidays(std::chrono::year{year});
    if (!list) {
        throw py::value_error("vorane2.holidays(): year " + std::to_string(year) +
                              " is outside 1948 .. 2100 (the holiday law took effect in 1948)");
    }
    py::list out;
    for (const auto& h : *list) out.append(py::make_tuple(date(h.date), utf8(h.name)));
    return out;
}

struct PySheet {
    int year = 0;
    int month = 0;
    std::string mode;
    vorane2::month_sheet sheet;
};

PySheet monthSheet(py::handle y, py::handle m, py::handle mode, py::handle rule,
                   py::handle holidayRule) {
    const int year = toInt(y, "month_sheet", "year");
    const int month = toInt(m, "month_sheet", "month");
    // In the order of vorane2::sheet_mode.
    static constexpr std::array<const char*, 9> kModes{"rokuyo",    "kyusei", "mansion27",
                                                       "mansion28", "kanshi", "sekki",
                                                       "almanac",   "choku",  "kyureki"};
    const std::string modeWord = toWord(mode, "month_sheet", "mode");
    int code = -1;
    for (std::size_t i = 0; i < kModes.size(); ++i) {
        if (modeWord == kModes[i]) code = static_cast<int>(i);
    }
    if (code < 0) {
        throw py::value_error(
            "vorane2.month_sheet(): mode must be one of rokuyo, kyusei, "
            "mansion27, mansion28, kanshi, sekki, almanac, choku, kyureki; not \"" +
            modeWord + "\"");
    }
    vorane2::sheet_options options;
    options.rule = toRule(rule, "month_sheet");
    const std::string h = toWord(holidayRule, "month_sheet", "holidays");
    if (h != "fixed" && h != "law") {
        throw py::value_error(
            "vorane2.month_sheet(): holidays must be \"fixed\" or \"law\", not \"" + h + "\"");
    }
    options.holidays_by_law = h == "law";
    const bool published = options.rule == vorane2::month_rule::published;
    const int firstYear =
        published ? static_cast<int>(vorane2::history_first_day.year()) : vorane2::first_table_year;
    if (month < 1 || month > 12 || year < firstYear || year > vorane2::last_table_year) {
        throw py::value_error(
            "vorane2.month_sheet(): " + std::to_string(year) + "-" + std::to_string(month) +
            " is outside the months " +
            (published ? "445-01 .. 2100-12 (the published calendar)" : "1870-01 .. 2100-12"));
    }
    const auto sheet =
        vorane2::sheet(std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)},
                       static_cast<vorane2::sheet_mode>(code), options);
    if (!sheet) throw py::value_error("vorane2.month_sheet(): no sheet for this month");
    return PySheet{year, month, modeWord, *sheet};
}

py::list sheetCells(const PySheet& s) {
    py::list out;
    for (const auto& c : s.sheet.cells) {
        PyObject* day = c.day == 0 ? Py_NewRef(Py_None) : PyLong_FromUnsignedLong(c.day);
        out.append(
            namedTuple(gCellType, {day, newStr(c.note()), PyLong_FromUnsignedLong(c.colour)}));
    }
    return out;
}

// A place as a capital's name or a (latitude, longitude) tuple of numbers.
vorane2::place toPlace(py::handle obj) {
    if (PyUnicode_Check(obj.ptr())) {
        Py_ssize_t length = 0;
        const char* bytes = PyUnicode_AsUTF8AndSize(obj.ptr(), &length);
        if (bytes == nullptr) {
            // A lone surrogate has no UTF-8: no capital is written so.
            PyErr_Clear();
            throw py::value_error("vorane2.sun_moon_times(): no prefectural capital is so named");
        }
        const std::string name(bytes, static_cast<std::size_t>(length));
        if (const auto p = vorane2::place_named(name)) return *p;
        std::string names;
        for (const auto& p : vorane2::prefectural_capitals()) names.append(" ").append(p.name);
        throw py::value_error("vorane2.sun_moon_times(): no prefectural capital is named \"" +
                              name + "\"; the capitals are:" + names);
    }
    const auto number = [](PyObject* o) {
        return (PyFloat_Check(o) || PyLong_Check(o)) && !PyBool_Check(o);
    };
    if (!PyTuple_Check(obj.ptr()) || PyTuple_GET_SIZE(obj.ptr()) != 2 ||
        !number(PyTuple_GET_ITEM(obj.ptr(), 0)) || !number(PyTuple_GET_ITEM(obj.ptr(), 1))) {
        throw py::type_error(
            "vorane2.sun_moon_times() expects a capital's name or a (latitude, longitude) tuple "
            "of numbers, not " +
            typeName(obj));
    }
    const double latitude = PyFloat_AsDouble(PyTuple_GET_ITEM(obj.ptr(), 0));
    const double longitude = PyFloat_AsDouble(PyTuple_GET_ITEM(obj.ptr(), 1));
    if (PyErr_Occurred()) {  // an int too large for a double: far off the globe
        PyErr_Clear();
        throw py::value_error("vorane2.sun_moon_times(): a coordinate is out of range");
    }
    const auto refuse = [](const char* what, double value, const char* range) {
        char text[64];
        std::snprintf(text, sizeof text, "%g", value);
        throw py::value_error(std::string("vorane2.sun_moon_times(): the ") + what + " " + text +
                              " must lie from " + range + " degrees");
    };
    if (!(latitude >= -90.0 && latitude <= 90.0)) refuse("latitude", latitude, "-90 to 90");
    if (!(longitude >= -180.0 && longitude <= 180.0)) refuse("longitude", longitude, "-180 to 180");
    return vorane2::place{latitude, longitude, ""};
}

PyObject* timeOrNone(const std::optional<std::chrono::seconds>& t) {
    if (!t) return Py_NewRef(Py_None);
    const auto s = static_cast<int>(t->count());
    return PyTime_FromTime(s / 3600, s / 60 % 60, s % 60, 0);
}

PyObject* floatOrNone(const std::optional<double>& x) {
    return x ? PyFloat_FromDouble(*x) : Py_NewRef(Py_None);
}

py::object sunMoonTimes(py::handle d, py::handle where) {
    const year_month_day date = toDate(d, "sun_moon_times");
    const vorane2::place p = toPlace(where);
    if (date < vorane2::sun_moon_first_day || date > vorane2::sun_moon_last_day) {
        outsideSpan("sun_moon_times", date, "the times' span 1870-01-01 .. 2100-12-31");
    }
    const auto t = vorane2::sun_moon_times(date, p);
    if (!t) throw py::value_error("vorane2.sun_moon_times(): no times for " + isoDate(date));
    return namedTuple(gSunMoonType, {timeOrNone(t->sunrise), timeOrNone(t->solar_transit),
                                     floatOrNone(t->solar_transit_altitude), timeOrNone(t->sunset),
                                     timeOrNone(t->moonrise), timeOrNone(t->lunar_transit),
                                     timeOrNone(t->moonset)});
}

py::str clockText(py::handle t) {
    if (t.is_none()) return utf8(vorane2::clock_text(std::nullopt));
    if (!PyTime_Check(t.ptr())) {
        throw py::type_error("vorane2.clock_text() expects a datetime.time or None, not " +
                             typeName(t));
    }
    const int seconds = PyDateTime_TIME_GET_HOUR(t.ptr()) * 3600 +
                        PyDateTime_TIME_GET_MINUTE(t.ptr()) * 60 +
                        PyDateTime_TIME_GET_SECOND(t.ptr());
    return utf8(vorane2::clock_text(std::chrono::seconds{seconds}));
}

py::object seasons(py::handle d) {
    const year_month_day day = toDate(d, "seasons");
    const auto s = vorane2::seasons(day);
    if (!s) outsideSpan("seasons", day, almanacSpan());
    PyObject* observances = PyList_New(static_cast<Py_ssize_t>(s->observances.size()));
    if (observances == nullptr) throw py::error_already_set();
    Py_ssize_t i = 0;
    for (const auto& o : s->observances) PyList_SET_ITEM(observances, i++, newStr(o.name));
    const auto& pentad = s->pentad;
    const auto& eho = s->eho;
    return namedTuple(gSeasonsType,
                      {pentad ? newStr(pentad->name) : Py_NewRef(Py_None),
                       pentad ? newStr(pentad->reading) : Py_NewRef(Py_None),
                       PyBool_FromLong(pentad && pentad->begins), strOrNone(s->year_natin),
                       strOrNone(s->day_natin), eho ? newStr(eho->name) : Py_NewRef(Py_None),
                       eho ? newStr(eho->compass) : Py_NewRef(Py_None),
                       eho ? PyLong_FromLong(eho->bearing) : Py_NewRef(Py_None), observances,
                       s->full_moon ? date(*s->full_moon).release().ptr() : Py_NewRef(Py_None)});
}

}  // namespace

PYBIND11_MODULE(_vorane2, m) {
    PyDateTime_IMPORT;
    for (std::size_t i = 0; i < gNames.size(); ++i) {
        const auto& n = vorane2::detail::converted_names()[i];
        gNames[i] = PyUnicode_FromStringAndSize(n.text.data(), n.length);
        if (gNames[i] == nullptr) throw py::error_already_set();
    }
    if (PyDateTimeAPI == nullptr) throw py::error_already_set();
    // The stubs (__init__.pyi) give the signatures; pybind11's would name
    // every argument's C++ type.
    py::options options;
    options.disable_function_signatures();
    m.doc() = "The traditional Japanese calendar: lunisolar dates and the day's lore.";
    m.attr("__version__") = VRNVER();

    gLunisolarType = newType("Lunisolar", "year month day leap",
                             "A lunisolar date: year, month 1..12, day 1..30, leap.");
    gJulianType = newType("JulianDate", "year month day",
                          "A date of the Julian calendar: year, month 1..12, day 1..31.");
    gTripleType[0] =
        newType("Kanshi", "year month day", "干支 of the year, the solar month and the day.");
    gTripleType[1] =
        newType("Kyusei", "year month day", "九星 of the year, the solar month and the day.");
    gSelectedType = newType("SelectedDays", "tensha kurobi sanrinbo fujoju teniti",
                            "Whether a date is 天赦日, 黒日, 三隣亡, 不成就日, a 癸巳 day.");
    gDayType = newType("Day",
                       "date era lunisolar rokuyo kanshi kyusei mansion27 mansion28 solar_term "
                       "almanac moon_age holiday choku lower_row julian era_south era_north "
                       "month_days",
                       "A day's whole lore: the date, its era date (和暦; under the published "
                       "rule both courts' where they differ), lunisolar date, 六曜, 干支 and 九星 "
                       "of year, month and day, 二十七宿, 二十八宿, the solar term beginning that "
                       "day, the almanac items, the Moon's age at noon in days, the holiday by "
                       "law, the 十二直 and the lower-row items (暦注下段); under the published "
                       "rule also the Julian date (before 1582-10-15), each court's era date and "
                       "the days of the lunisolar month. None where the day has no such item: "
                       "before 1870 the nine stars, solar term, almanac, Moon's age, 直 and lower "
                       "row, and a leap month's 干支.");
    gCellType = newType("SheetCell", "day note colour",
                        "A cell of a month sheet: day (None outside the month), the item "
                        "under it, the colour class (weekday 0..6, 0 for a holiday too).");
    m.attr("Lunisolar") = py::handle(reinterpret_cast<PyObject*>(gLunisolarType));
    m.attr("JulianDate") = py::handle(reinterpret_cast<PyObject*>(gJulianType));
    m.attr("Kanshi") = py::handle(reinterpret_cast<PyObject*>(gTripleType[0]));
    m.attr("Kyusei") = py::handle(reinterpret_cast<PyObject*>(gTripleType[1]));
    m.attr("SelectedDays") = py::handle(reinterpret_cast<PyObject*>(gSelectedType));
    m.attr("Day") = py::handle(reinterpret_cast<PyObject*>(gDayType));
    m.attr("SheetCell") = py::handle(reinterpret_cast<PyObject*>(gCellType));
    gSunMoonType = newType(
        "SunMoonTimes",
        "sunrise solar_transit solar_altitude sunset moonrise lunar_transit moonset",
        "The Sun's and the Moon's events of a day at a place as datetime.time on the clock of "
        "Japan (135 degrees east), to the second; None for an event the day lacks. "
        "solar_altitude is the Sun's altitude at its transit in degrees. clock_text(t) gives "
        "the minute the observatory prints.");
    m.attr("SunMoonTimes") = py::handle(reinterpret_cast<PyObject*>(gSunMoonType));
    gSeasonsType = newType(
        "Seasons",
        "pentad pentad_reading pentad_begins year_natin day_natin eho eho_compass eho_bearing "
        "observances full_moon",
        "A day's seasonal items: the pentad (七十二候) with its reading and whether it begins "
        "that day, the 納音 of the year's and the day's 干支, the 恵方 between its branches, by "
        "the compass and in degrees from north (on 節分 the coming year's), the observances of "
        "the lunisolar year on that day, and on 中秋の名月 the day of the full moon when that is "
        "another.");
    m.attr("Seasons") = py::handle(reinterpret_cast<PyObject*>(gSeasonsType));

    const auto published = py::str("published");
    m.def("lunisolar", &lunisolar, py::arg("date"), py::arg("rule") = published,
          "The lunisolar date (year, month, day, leap) of a date. rule \"published\" (the\n"
          "default): the months as the calendars printed them, 0445-01-25 .. 2100-12-30;\n"
          "\"terms\" numbers the months by their principal terms, \"solstice\" from the month\n"
          "that holds the winter solstice, both 1870-02-01 .. 2100-12-30.");
    m.def("rokuyo", &rokuyo, py::arg("date"), py::arg("rule") = published,
          "The six-day name (六曜) of a date in the lunisolar span of the rule (as for\n"
          "lunisolar).");
    m.def("mansion27", &mansion27, py::arg("date"), py::arg("rule") = published,
          "The 27-mansion name (二十七宿) of a date in the lunisolar span of the rule.");
    m.def("mansion28", &mansion28, py::arg("date"), "The 28-mansion name (二十八宿) of a date.");
    m.def("kanshi", &kanshi, py::arg("date"),
          "The stem-and-branch names (干支) of the year, the solar month and the day.");
    m.def("kyusei", &kyusei, py::arg("date"),
          "The nine-star names (九星) of the year, the solar month and the day.");
    m.def("selected_days", &selectedDays, py::arg("date"), py::arg("rule") = published,
          "Which selected days (天赦日, 黒日, 三隣亡, 不成就日, 癸巳) a date is: one of\n"
          "1870-01-01 .. 2100-12-30 under the published rule, of the lunisolar span under the\n"
          "others; rule as for lunisolar (不成就日).");
    m.def("almanac", &almanac, py::arg("date"), py::arg("rule") = published,
          "The almanac items (雑節, 暦注, the Moon's phases) of a date 1870-01-01 .. 2100-12-31\n"
          "as a list of names in the almanac's order; rule as for lunisolar (不成就日).");
    m.def("choku", &choku, py::arg("date"),
          "The 十二直 (建 .. 閉) of a date 1870-01-01 .. 2100-12-31.");
    m.def("lower_row", &lowerRow, py::arg("date"), py::arg("rule") = published,
          "The lower-row items (暦注下段: 天恩日 .. 滅門日) of a date 1870-01-01 .. 2100-12-31\n"
          "as a list of names in the almanac's order; rule as for lunisolar (凶会日).");
    m.def("day", &day, py::arg("date"), py::arg("rule") = published,
          "The whole lore of a date as a Day: 0445-01-25 .. 2100-12-31 under the published\n"
          "rule, 1870-01-01 .. 2100-12-31 under the others.");
    m.def("lore", &lore, py::arg("date"), py::arg("rule") = published,
          "day(date, rule) by the name the C++ interface gives it (vorane2::lore).");
    m.def("to_julian", &toJulian, py::arg("date"),
          "The Julian-calendar date of a date as a JulianDate (year, month, day):\n"
          "1582-10-15 is Julian 1582-10-05. datetime.date is Gregorian throughout.");
    m.def("from_julian", &fromJulian, py::arg("year"), py::arg("month"), py::arg("day"),
          "The datetime.date of a Julian-calendar date: Julian 1582-10-04 is 1582-10-14.\n"
          "ValueError for a date the Julian calendar has not.");
    m.def("wareki", &wareki, py::arg("date"), py::arg("court") = py::str("south"),
          "The era date (和暦) of a date 0445-01-25 .. 2100-12-31 as court \"south\" or\n"
          "\"north\" wrote it (the two differ 1331 .. 1392 only): \"天正10年6月2日\",\n"
          "\"元和9年閏8月1日\", \"令和8年12月9日\". Before 1873 month and day are lunisolar.");
    m.def("from_wareki", &fromWareki, py::arg("text"),
          "The datetime.date of an era date such as \"天正10年6月2日\", \"明治元年9月8日\",\n"
          "\"元弘2年4月28日（南朝）\" (numbers also in full-width digits or kanji).\n"
          "ValueError, with what is wrong, for a text that names no day.");
    m.def("solar_term", &solarTerm, py::arg("date"),
          "The name of the solar term that falls on a date of 1870 .. 2100, or None, by the\n"
          "library's solar-term exports as the month sheet shows them (day(date).solar_term\n"
          "is the almanac's, from the accurate theory; the two can differ by a day).");
    m.def("solar_terms", &solarTerms, py::arg("year"),
          "The 24 solar terms of a year 1870 .. 2100 as (date, name), 小寒 to 冬至.");
    m.def("holidays", &holidays, py::arg("year"),
          "The holidays by law of a year 1948 .. 2100 as (date, name), in date order.");

    m.def("sun_moon_times", &sunMoonTimes, py::arg("date"), py::arg("place") = py::str("東京"),
          "The Sun's rise, transit (with its altitude) and set and the Moon's rise, transit\n"
          "and set on a date 1870-01-01 .. 2100-12-31 at a place: the name of a prefectural\n"
          "capital (\"札幌\" .. \"那覇\", the prefectural office; default \"東京\") or a\n"
          "(latitude, longitude) tuple in degrees, north and east positive. Times are\n"
          "datetime.time to the second after the midnight at 135 degrees east, None for an\n"
          "event the day lacks; the Sun by its upper limb, the Moon by its centre.");
    m.def("clock_text", &clockText, py::arg("time"),
          "\"HH:MM\" of a time of sun_moon_times as the observatory prints it, rounded to the\n"
          "nearest minute (the day's last half minute is \"24:00\"); \"--:--\" for None.");

    m.def(
        "seasons", &seasons, py::arg("date"),
        "The seasonal items of a date 1870-01-01 .. 2100-12-31 as Seasons: 七十二候, 納音,\n"
        "恵方 and the observances (旧正月 .. 十三夜, 伝統的七夕), as tenvo-term --day shows them.");

    py::class_<PySheet>(m, "MonthSheet", "A month as the desk calendar lays it out.")
        .def_readonly("year", &PySheet::year)
        .def_readonly("month", &PySheet::month)
        .def_readonly("mode", &PySheet::mode)
        .def_property_readonly("cells", &sheetCells,
                               "42 cells, week by week, Sunday first: (day, note, colour).")
        .def_property_readonly(
            "text", [](const PySheet& s) { return s.sheet.text(); },
            "The sheet's 14 text lines in UTF-8.")
        .def_property_readonly(
            "shift_jis",
            [](const PySheet& s) {
                return py::bytes(s.sheet.shift_jis_text.data(), s.sheet.shift_jis_text.size() - 1);
            },
            "The sheet text exactly as the program copies it (Shift-JIS, CR LF lines).")
        .def("__repr__", [](const PySheet& s) {
            return "<vorane2.MonthSheet " + std::to_string(s.year) + "-" + std::to_string(s.month) +
                   " " + s.mode + ">";
        });
    m.def("month_sheet", &monthSheet, py::arg("year"), py::arg("month"),
          py::arg("mode") = py::str("rokuyo"), py::arg("rule") = published,
          py::arg("holidays") = py::str("fixed"),
          "The month sheet of a month 445-01 .. 2100-12 (1870-01 .. 2100-12 under the rules\n"
          "\"terms\" and \"solstice\"): mode rokuyo, kyusei, mansion27, mansion28, kanshi, sekki,\n"
          "almanac, choku or kyureki; holidays \"fixed\" (the program's default) or \"law\".");
}
