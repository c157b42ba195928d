#!/usr/bin/env python3
"""The required SN search worked out apart from the program, for the edge
cases in tests/core/required_sn_test.cpp.

Every term the search stores is rounded to a 32-bit float (struct's 'f'),
the ratio of a trial's loading to the design loading is taken in double, and
every trial is worked out (no trial is stepped over).  Python's math.log and
math.pow are the C library's.  Prints, for each case, the trials near the end
of the search and where it ends.

    python3 tests/core/tools/required_sn_model.py
"""
import math
import struct

def single(x):
    """x rounded to the nearest 32-bit float; infinity beyond the largest."""
    try:
        return struct.unpack('<f', struct.pack('<f', x))[0]
    except OverflowError:
        return math.copysign(math.inf, x)


def required_sn(daily_loads, years, loss, soil_support, regional_factor):
    """(outcome, SN of the last trial, the trials as (SN, log W, W, W / design loading))."""
    loading = daily_loads * years * 365
    loss, soil_support, regional_factor = single(loss), single(soil_support), single(regional_factor)
    l10 = single(math.log(10.0))
    gt = single(math.log(loss / 2.7) / l10)
    rt = single(math.log(1.0 / regional_factor) / l10)
    st = single((soil_support - 3.0) * 0.372)
    sn = single(0.33 * math.log(loading))
    previous, direction, trials = sn, 0, []
    while True:
        i = single(math.log(sn + 1.0) * 9.36 / l10 - 0.2)
        b = single(1094.0 / math.pow(sn + 1.0, 5.19) + 0.4)
        log_w = single(gt / b + i + rt + st)
        w = single(math.pow(10.0, log_w))
        trials.append((sn, log_w, w, w / loading))
        if not math.isfinite(w):
            return 'loading beyond a single', sn, trials
        ratio = w / loading
        wanted = -1 if ratio > 1.02 else (0 if ratio >= 0.98 else 1)
        if wanted == 0:
            return 'within the band', sn, trials
        if direction != 0 and wanted != direction:
            return 'across the band', max(sn, previous), trials
        direction, previous = wanted, sn
        sn = single(sn + single(0.01 if wanted > 0 else -0.01))


def show(title, *design):
    outcome, sn, trials = required_sn(*design)
    print(title)
    print('  start %.7f, %d trials; %s, SN %.7f' % (trials[0][0], len(trials), outcome, sn))
    for trial in trials[:2] + [None] + trials[-3:]:
        print('  ...' if trial is None else '  SN %.7f  log W %.7f  W %.9g  ratio %r' % trial)


if __name__ == '__main__':
    # 200 loads a day for a year: 73,000; 0.98 of it is 71,540.
    show('Exactly on the lower edge of the band:', 200, 1, 1.7, 0.98360848, 3.0)
    # 137 loads a day for a year, terminal serviceability 4.19 (loss 0.01),
    # soil support 97: a loading of 10^37.9 at the start that rises as the SN falls.
    show('Far above the band, rising past the largest single:', 137, 1, 0.01, 97.0, 1.0)
