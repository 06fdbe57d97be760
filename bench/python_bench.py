"""CPU time of the module's calls beside a Python no-op call, in one run.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_bench.py

Each function is called on 3,000 dates spread over 1870-2100 (the era
dates: wareki on 3,000 dates spread over 445-2100, from_wareki on their
texts; sun_moon_times at 東京 and seasons on every tenth date), in a loop
that calls the no-op the same way; the best of five rounds
is kept. The functions that take a month rule run under their default, the
published calendar. The figures are CPU time (time.process_time), so a busy
machine does not inflate them. Exit status 1 when lunisolar costs more than
1 us or day more than 3 us a call.
"""

import datetime
import sys
import time

import vorane2

LIMITS_NS = {"lunisolar": 1000, "day": 3000}


def noop(date):
    return date


def per_call_ns(function, dates, rounds=5, repeat=20):
    best = float("inf")
    for _ in range(rounds):
        start = time.process_time()
        for _ in range(repeat):
            for d in dates:
                function(d)
        best = min(best, time.process_time() - start)
    return best / (repeat * len(dates)) * 1e9


def main():
    first = datetime.date(1870, 2, 1)
    span = (datetime.date(2100, 12, 30) - first).days
    dates = [first + datetime.timedelta(days=i * span // 3000) for i in range(3000)]
    figures = {"no-op": per_call_ns(noop, dates)}
    for name in ("lunisolar", "rokuyo", "kanshi", "almanac", "day"):
        figures[name] = per_call_ns(getattr(vorane2, name), dates)
    first = datetime.date(445, 1, 25)
    span = (datetime.date(2100, 12, 31) - first).days
    history = [first + datetime.timedelta(days=i * span // 3000) for i in range(3000)]
    figures["wareki"] = per_call_ns(vorane2.wareki, history)
    figures["from_wareki"] = per_call_ns(vorane2.from_wareki, [vorane2.wareki(d) for d in history])
    # The six events of a day at a place cost a search each; fewer dates.
    few = dates[::10]
    figures["sun_moon_times"] = per_call_ns(vorane2.sun_moon_times, few, repeat=2)
    figures["seasons"] = per_call_ns(vorane2.seasons, few, repeat=2)
    over = False
    for name, ns in figures.items():
        limit = LIMITS_NS.get(name)
        note = ""
        if limit:
            note = f"  (limit {limit} ns{', OVER' if ns > limit else ''})"
            over |= ns > limit
        print(f"{name:11} {ns:8.0f} ns  {ns / figures['no-op']:6.1f} x no-op{note}")
    return 1 if over else 0


if __name__ == "__main__":
    sys.exit(main())
