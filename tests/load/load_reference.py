#!/usr/bin/env python3
"""Works out, apart from the program, the figures TrainingLoadTest expects for its fixed
series: each day's impulse, then fitness, fatigue, form, ramp, ACWR, monotony and strain,
printed to the decimals the program prints. Run: python3 tests/load/load_reference.py"""
import math

MAX, REST = 190, 50
WEIGHT = {"m": (0.64, 1.92), "f": (0.86, 1.67), "u": (0.725, 1.795)}
GUESS = {"E": 0.50, "M": 0.70, "H": 0.85, None: 0.70}


def trimp(minutes, x, sex):
    a, b = WEIGHT[sex]
    return minutes * x * a * math.exp(b * x)


def reserve(avg):
    return min(max((avg - REST) / (MAX - REST), 0.0), 1.0)


# day of January 2026: (difficulty, typed minutes, [(minutes, average heart rate or None)])
SERIES = {
    1: (None, 0, [(60, 150)]),
    2: ("E", 45, []),
    4: ("H", 0, [(90, 130), (30, None)]),
    5: (None, 0, [(20, 200)]),
    6: ("M", 30, []),
    7: (None, 0, [(60, 40)]),
    8: (None, 40, []),
    10: (None, 0, [(60, 150)]),
}


def loads(sex):
    out = {}
    for day, (difficulty, typed, activities) in SERIES.items():
        if not activities:
            out[day] = (trimp(typed, GUESS[difficulty], sex), typed > 0)
            continue
        total, estimated = 0.0, False
        for minutes, avg in activities:
            if avg is None:
                total += trimp(minutes, GUESS[difficulty], sex)
                estimated = True
            else:
                total += trimp(minutes, reserve(avg), sex)
        out[day] = (total, estimated)
    return out


def model(sex, last_day=14, start=0.0):
    k_ctl = 1 - math.exp(-1 / 42)
    k_atl = 1 - math.exp(-1 / 7)
    ctl, atl = start, 0.0
    history_ctl = {0: start}
    week = []
    daily = loads(sex)
    for d in range(1, last_day + 1):
        load, est = daily.get(d, (0.0, False))
        form = ctl - atl
        ctl += (load - ctl) * k_ctl
        atl += (load - atl) * k_atl
        history_ctl[d] = ctl
        ramp = ctl - history_ctl.get(d - 7, start)
        week = ([0.0] * 7 + week + [load])[-7:]
        mean = sum(week) / 7
        sd = math.sqrt(sum((x - mean) ** 2 for x in week) / 7)
        mono = mean / sd if sd > 1e-9 * (1 + mean) else None
        strain = sum(week) * mono if mono else None
        acwr = atl / ctl if ctl else None
        print(f"2026-01-{d:02d} load {load:.1f} fitness {ctl:.1f} fatigue {atl:.1f} "
              f"form {form:.1f} ramp {ramp:.1f} acwr {acwr:.2f} "
              f"monotony {mono if mono is None else f'{mono:.2f}'} "
              f"strain {strain if strain is None else f'{strain:.0f}'} est {est}")


for sex in ("m", "f", "u"):
    print("sex", sex)
    model(sex)
print("start fitness 30, male")
model("m", 3, 30.0)
