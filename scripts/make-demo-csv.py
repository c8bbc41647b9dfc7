#!/usr/bin/env python3
"""Writes resources/samples/demo-year.csv: one runner's 2026 in the CSV form that
`veloria-logbook import` reads. A base winter, a spring 10 km, a June half marathon and an
October marathon, each with its taper and recovery, plus three small races. Rest days have
no row. Deterministic: the same file on every run.

usage: scripts/make-demo-csv.py [--output FILE]   (default: resources/samples/demo-year.csv)"""
import argparse
import datetime
import math
import os
import random

DEFAULT_OUTPUT = os.path.normpath(os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "resources", "samples", "demo-year.csv"))
parser = argparse.ArgumentParser(
    description="Writes a year of one runner's training as the CSV that "
                "`veloria-logbook import` reads.")
parser.add_argument("--output", metavar="FILE", default=DEFAULT_OUTPUT,
                    help="where to write it (default: %(default)s)")
args = parser.parse_args()

random.seed(2026)
YEAR = 2026
DAY = datetime.timedelta(days=1)

# The editor's workout list, 19 characters each, trailing blanks included.
DIST_MIXED, DIST_FLAT, DIST_HILLS = "Distance, Mixed    ", "Distance, Flat     ", "Distance, Hills    "
SPEED_MIXED, SPEED_FLAT, SPEED_HILLS, SPEED_TRACK = (
    "Speed Work, Mixed  ", "Speed Work, Flat   ", "Speed Work, Hills  ", "Speed Work, Track  ")
OTHER_MIXED, OTHER_FLAT, OTHER_HILLS = "Other, Mixed       ", "Other, Flat        ", "Other, Hills       "
COMP_MIXED, COMP_FLAT, COMP_HILLS, COMP_TRACK = (
    "Competition, Mixed ", "Competition, Flat  ", "Competition, Hills ", "Competition, Track ")

D = datetime.date
# date: (km, finishing time in seconds, workout, max heart rate, temperature or None, comment)
RACES = {
    D(YEAR, 2, 8): (8.0, 38 * 60 + 41, COMP_HILLS, 186, 3,
                    "Club cross-country, 8 km of mud. 14th of 52, lost a shoe briefly"),
    D(YEAR, 4, 19): (10.0, 44 * 60 + 38, COMP_FLAT, 189, 11,
                     "Spring 10 km in the park: PB! Negative split, 22:31 / 22:07"),
    D(YEAR, 6, 14): (21.1, 1 * 3600 + 37 * 60 + 52, COMP_MIXED, 186, 25,
                     "Half marathon by the river. Hot last 5 km, took water at every station"),
    D(YEAR, 7, 15): (3.0, 12 * 60 + 9, COMP_TRACK, 191, 21,
                     "Open meeting, 3000 m on the track. 7.5 laps of pain, 4th in heat"),
    D(YEAR, 10, 11): (42.2, 3 * 3600 + 27 * 60 + 45, COMP_FLAT, 184, 11,
                      "MARATHON! Held pace to 35 km, then hung on. 3:27:45, first sub-3:30"),
    D(YEAR, 12, 13): (5.0, 21 * 60 + 24, COMP_MIXED, 190, -2,
                      "Christmas 5 km fun run in a Santa hat, icy corners"),
}
MAIN_RACES = [D(YEAR, 4, 19), D(YEAR, 6, 14), D(YEAR, 10, 11)]
MARATHON = D(YEAR, 10, 11)

# Sunday long-run target in km, linear between these dates.
LONG_PLAN = [(D(YEAR, 1, 1), 14), (D(YEAR, 2, 28), 19), (D(YEAR, 4, 5), 18),
             (D(YEAR, 5, 3), 18), (D(YEAR, 5, 31), 22), (D(YEAR, 6, 28), 16),
             (D(YEAR, 7, 19), 22), (D(YEAR, 9, 20), 32), (D(YEAR, 11, 8), 10),
             (D(YEAR, 12, 31), 16)]
# Pace factor: 1.0 in January, faster as the year goes on, a little slower after the marathon.
FITNESS = [(D(YEAR, 1, 1), 1.0), (D(YEAR, 4, 19), 0.965), (D(YEAR, 6, 14), 0.955),
           (D(YEAR, 10, 11), 0.93), (D(YEAR, 11, 15), 0.955), (D(YEAR, 12, 31), 0.95)]
# Body weight in kg: up after the holidays, down through the marathon build, up again in winter.
WEIGHT = [(D(YEAR, 1, 1), 72.6), (D(YEAR, 4, 19), 71.2), (D(YEAR, 7, 1), 70.6),
          (D(YEAR, 10, 11), 69.4), (D(YEAR, 12, 31), 70.8)]

COMMENTS = {
    "easy": ["Easy, legs fresh", "Easy jog with the club", "Recovery run, slow and relaxed",
             "Morning run before work", "Easy, a bit stiff at first", "Steady, good rhythm",
             "Lunchtime loop round the lake", "Easy with Sam, chatted the whole way",
             "Kept it conversational", "Evening run, tired after work",
             "New shoes, first run in them. Fine so far", "Easy miles, podcast on",
             "Coach: \"relax the shoulders\". It helped"],
    "long": ["Long run, gel every 40 minutes", "Long run on the canal path, flat and calm",
             "Long run with the club, hilly middle section",
             "Long run, last 5 km at marathon pace", "Long and slow, enjoyed it",
             "Long run, sore hip flexor after 2 h", "Long run, practised drinking on the move",
             "Out and back along the coast, headwind home"],
    "track": ["Track: 8 x 400 m, 90 s jog", "Track: 5 x 1000 m at 10 km pace, 2 min rest",
              "Track: 6 x 800 m, strong finish", "Track: 12 x 200 m, fast and smooth",
              "Track: 3 x 1600 m, splits 7:02, 6:58, 6:55", "Track: ladder 400-800-1200-800-400"],
    "tempo": ["Tempo 20 minutes, comfortably hard", "Tempo 2 x 15 min, 3 min jog",
              "Progression run, last 3 km at half-marathon pace",
              "Tempo 30 minutes, breathing hard but controlled"],
    "fartlek": ["Fartlek in the woods, 10 x 1 min hard", "Fartlek, lamp post to lamp post",
                "Fartlek with the club, \"follow the leader\""],
    "hills": ["Hill repeats, 10 x 60 s", "Hill repeats, 8 x 90 s up Castle Road",
              "Hilly loop, strong on the climbs", "Hill sprints, 6 x 20 s, long recovery"],
    "hillyrun": ["Trail with long climbs, walked two", "Hilly loop over the ridge",
                 "Forest trail, roots and mud"],
    "strides": ["Easy with 6 strides", "Easy plus 4 x 100 m strides, legs feel springy"],
    "shakeout": ["Shakeout jog, 4 x 100 m strides", "Short shakeout, collected race number",
                 "20 minutes easy, nervous but ready"],
    "taper": ["Taper week, cut the session short", "Taper: 4 x 1000 m at race pace, no more"],
    "recovery": ["Recovery jog, legs still sore from the race", "First run after the race, stiff",
                 "Very easy, calves tight", "Recovery, walked the hills"],
    "cold": ["Frosty, gloves and hat", "Icy paths, careful on the bridge", "Snow! Slow going"],
    "hot": ["Hot, ran early to beat the heat", "Humid, carried a bottle", "Sunburnt shoulders"],
    "wet": ["Rain most of the way, felt fine", "Windy, kept it easy", "Soaked, but good"],
}


def interpolate(plan, day):
    for (d0, v0), (d1, v1) in zip(plan, plan[1:]):
        if d0 <= day <= d1:
            return v0 + (v1 - v0) * (day - d0).days / (d1 - d0).days
    return plan[-1][1]


def duration(seconds):
    h, rest = divmod(int(round(seconds)), 3600)
    m, s = divmod(rest, 60)
    return f"{h}:{m:02d}:{s:02d}"


def quote(text):
    return '"' + text.replace('"', '""') + '"' if ("," in text or '"' in text) else text


def number(value, digits):
    text = f"{value:.{digits}f}".rstrip("0").rstrip(".")
    return text if text != "-0" else "0"


def next_main_race(day):
    later = [r for r in MAIN_RACES if r >= day]
    return later[0] if later else None


def last_main_race(day):
    earlier = [r for r in MAIN_RACES if r < day]
    return earlier[-1] if earlier else None


def plan_week(monday):
    """The sessions of the week starting on monday: weekday -> session kind."""
    sunday = monday + 6 * DAY
    nxt = next_main_race(monday)
    weeks_to_race = (nxt - sunday).days // 7 if nxt else 99  # 0: race on this Sunday
    since = last_main_race(monday)
    weeks_after = (monday - since).days // 7 if since else 99  # 0: the week after a race

    if weeks_after == 0 and since == MARATHON:
        return {3: "recovery", 5: "recovery", 6: "recovery"}
    if weeks_after == 0:
        return {2: "recovery", 3: "easy", 5: "easy", 6: "long"}
    if weeks_after == 1 and since == MARATHON:
        return {1: "recovery", 3: "easy", 5: "easy", 6: "long"}
    if weeks_after == 2 and since == MARATHON:
        return {1: "easy", 3: "easy", 5: "easy", 6: "long"}
    if weeks_to_race == 0:
        return {1: "taper", 2: "easy", 3: "strides", 5: "shakeout", 6: "race"}

    week = {1: "quality1", 2: "easy", 3: "quality2", 6: "long"}
    building = D(YEAR, 7, 20) <= monday <= D(YEAR, 9, 27)
    if weeks_to_race > 1 and random.random() < (0.55 if building else 0.3):
        week[4] = "easy"
    if random.random() < 0.85:
        week[5] = "easy"
    return week


def session(kind, day, weeks_to_race, cutback):
    """(km, pace s/km, workout, difficulty, max heart rate, comment pool)"""
    f = interpolate(FITNESS, day)
    winter = day.month in (1, 2, 12)
    if kind == "long":
        km = interpolate(LONG_PLAN, day) * (0.75 if cutback else 1.0)
        if day > D(YEAR, 9, 20) and day < MARATHON:
            km = {2: 24, 1: 16}.get(weeks_to_race, km)
        elif weeks_to_race == 1:
            km *= 0.7
        km = round(km + random.uniform(-1, 1))
        workout = random.choice([DIST_MIXED, DIST_MIXED, DIST_FLAT, DIST_HILLS])
        hr = int(146 + km * 0.6 + random.randint(-3, 4))
        return km, 352 * f + random.uniform(-8, 8), workout, "H" if km >= 28 else "M", hr, "long"
    if kind in ("quality1", "quality2") and weeks_to_race == 1:
        km, pace, workout, difficulty, hr, pool = session(kind, day, 99, cutback)
        return round(km * 0.8, 1), pace, workout, difficulty, hr, pool
    if kind == "quality1":
        if winter and random.random() < 0.5:
            return (random.choice([8, 9, 10]), 322 * f + random.uniform(-8, 8), SPEED_MIXED, "M",
                    random.randint(168, 176), "fartlek")
        return (random.choice([8.5, 9, 9.6, 10, 10.4]), 308 * f + random.uniform(-8, 8),
                SPEED_TRACK, "H", random.randint(175, 184), "track")
    if kind == "quality2":
        if day.isocalendar()[1] % 2:
            workout = random.choice([SPEED_HILLS, SPEED_HILLS, DIST_HILLS])
            pool = "hills" if workout == SPEED_HILLS else "hillyrun"
            return (random.choice([9, 10, 11, 12]), 352 * f + random.uniform(-10, 10), workout, "H",
                    random.randint(168, 179), pool)
        return (random.choice([10, 11, 12]), 303 * f + random.uniform(-6, 6), SPEED_FLAT, "H",
                random.randint(166, 174), "tempo")
    if kind == "taper":
        return (round(random.uniform(6.5, 8), 1), 315 * f + random.uniform(-6, 6), SPEED_TRACK, "M",
                random.randint(168, 176), "taper")
    if kind == "strides":
        return (round(random.uniform(6, 7.5), 1), 362 * f + random.uniform(-8, 8), OTHER_FLAT, "E",
                random.randint(142, 152), "strides")
    if kind == "shakeout":
        return (round(random.uniform(3.5, 5), 1), 375 * f + random.uniform(-8, 8), OTHER_FLAT, "E",
                random.randint(132, 142), "shakeout")
    if kind == "recovery":
        return (round(random.uniform(4.5, 7), 1), 395 * f + random.uniform(-10, 10), OTHER_MIXED,
                "E", random.randint(130, 142), "recovery")
    # easy
    km = round(random.uniform(6, 10.5), 1) * (0.8 if weeks_to_race == 1 else 1.0)
    workout = random.choice([DIST_MIXED, DIST_FLAT, DIST_FLAT, OTHER_MIXED, OTHER_HILLS])
    return (round(km, 1), 368 * f + random.uniform(-12, 12), workout, "E",
            random.randint(138, 154), "hillyrun" if workout == OTHER_HILLS else "easy")


rows = []
weather = 0.0
rest_rate = 0.0  # extra resting heart rate after races and hard days, fading
day = D(YEAR, 1, 1)
monday = day - day.weekday() * DAY
week = plan_week(monday)
week_number = 0
while day.year == YEAR:
    if day.weekday() == 0:
        monday = day
        week = plan_week(monday)
        week_number += 1
    doy = day.timetuple().tm_yday
    weather = 0.7 * weather + random.gauss(0, 2.2)
    temp = round(10 - 9 * math.cos(2 * math.pi * (doy - 15) / 365) + weather)
    rest_rate *= 0.6
    kind = "race" if day in RACES else week.get(day.weekday())
    # Life gets in the way now and then; a race day is never missed.
    if kind is None or (kind != "race" and random.random() < 0.05) or \
            D(YEAR, 12, 24) <= day <= D(YEAR, 12, 26):
        day += DAY
        continue

    if kind in ("quality1", "quality2") and day + DAY in RACES:
        kind = "shakeout"  # nothing hard the day before a race
    nxt = next_main_race(day)
    weeks_to_race = (nxt - day).days // 7 if nxt else 99
    cutback = week_number % 4 == 0 and weeks_to_race > 2
    weight = interpolate(WEIGHT, day) + random.uniform(-0.3, 0.3)

    if kind == "race":
        km, seconds, workout, max_hr, race_temp, comment = RACES[day]
        temp = race_temp if race_temp is not None else temp
        difficulty = "H"
        competition = "Y"
    else:
        km, pace, workout, difficulty, max_hr, pool = session(kind, day, weeks_to_race, cutback)
        competition = "N"
        if pool in ("easy", "long", "recovery", "hillyrun"):
            if temp <= -1 and random.random() < 0.4:
                pool = "cold"
                pace *= 1.03  # ice and snow slow you down
            elif temp >= 24 and random.random() < 0.5:
                pool = "hot"
                pace *= 1.03
            elif random.random() < 0.08:
                pool = "wet"
        seconds = round(km * pace)
        comment = random.choice(COMMENTS[pool])
        if temp >= 22:
            max_hr += 3  # heat drives the heart rate up
    pace_seconds = round(seconds / km)
    speed = km * 3600 / seconds
    rest_hr = round(interpolate([(D(YEAR, 1, 1), 52), (D(YEAR, 10, 11), 46),
                                 (D(YEAR, 12, 31), 48)], day) + rest_rate + random.uniform(-1.4, 1.4))
    hours = seconds / 3600
    water = 1.6 + 0.5 * hours + max(0, temp - 18) * 0.06 * (1 + hours)
    sleep = random.choice([6.5, 7, 7, 7.5, 7.5, 8]) + (0.5 if day.weekday() >= 5 else 0)
    if day + DAY in RACES:
        sleep = 6.5
    calories = round(km * weight * 0.98 + random.randint(-25, 25))
    rows.append(",".join([
        day.isoformat(), number(km, 2), duration(seconds), duration(pace_seconds),
        number(speed, 2), str(rest_hr), str(max_hr), str(calories), number(water, 1),
        number(sleep, 2), str(temp), number(weight, 1), competition, difficulty,
        quote(workout), quote(comment)]))
    if kind == "race" or (kind == "long" and km >= 26):
        rest_rate = 5 if km >= 21 else 3
    day += DAY

header = ("date,distance,time,pace,speed,restHeartRate,maxHeartRate,calories,waterUsed,"
          "hoursSlept,temperature,bodyWeight,competition,difficulty,workout,comments")
out = args.output
with open(out, "w", newline="\n", encoding="ascii") as f:
    f.write(header + "\n" + "\n".join(rows) + "\n")
print(f"{len(rows)} days written to {os.path.normpath(out)}")
