"""The summer-time periods of every zone of the tz database in one year, from Python's zoneinfo.

Usage: zone_transitions.py YEAR [ZONE...]

One line per zone: NAME STANDARD_OFFSET_S then, for every period above the lower of the offsets on 15 January
and 15 July, START_UTC END_UTC OFFSET_S, clipped to the year in zone time. A second method beside the
program's own reading of the database: it finds each change of offset by sampling every three hours and
halving the interval down to the second.
"""

import sys
import zoneinfo
from datetime import datetime, timedelta, timezone

year = int(sys.argv[1])
zones = sys.argv[2:] or sorted(zoneinfo.available_timezones())
STEP = 3 * 3600


def offset(tz, t):
    return int(datetime.fromtimestamp(t, timezone.utc).astimezone(tz).utcoffset().total_seconds())


def utc(y, m, d, h=0):
    return int(datetime(y, m, d, h, tzinfo=timezone.utc).timestamp())


for name in zones:
    try:
        tz = zoneinfo.ZoneInfo(name)
    except Exception:
        continue
    standard = min(offset(tz, utc(year, 1, 15, 12)), offset(tz, utc(year, 7, 15, 12)))
    start, end = utc(year, 1, 1) - standard, utc(year + 1, 1, 1) - standard
    stretches = []
    t, current, since = start, offset(tz, start), start
    while t < end:
        nxt = min(t + STEP, end)
        if nxt < end and offset(tz, nxt) != current:
            lo, hi = t, nxt  # offset(lo) == current != offset(hi)
            while hi - lo > 1:
                mid = (lo + hi) // 2
                if offset(tz, mid) == current:
                    lo = mid
                else:
                    hi = mid
            stretches.append((since, hi, current))
            since, current = hi, offset(tz, hi)
            t = hi
            continue
        t = nxt
    stretches.append((since, end, current))
    summer = [s for s in stretches if s[2] > standard]
    print(name, standard, *[f"{a} {b} {o}" for a, b, o in summer])
