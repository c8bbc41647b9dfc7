#!/usr/bin/env python3
"""Writes resources/samples/demo-year.csv: a year of one runner's training, for the demo
logbook. Deterministic: the same file on every run."""
import datetime
import os
import random

random.seed(2026)
WORKOUTS = [
    "Distance, Mixed    ", "Distance, Flat     ", "Distance, Hills    ", "Distance, Track    ",
    "Speed Work, Mixed  ", "Speed Work, Flat   ", "Speed Work, Hills  ", "Speed Work, Track  ",
    "Other, Mixed       ", "Other, Flat        ", "Other, Hills       ", "Other, Track       ",
    "Competition, Mixed ", "Competition, Flat  ", "Competition, Hills ", "Competition, Track ",
]
RACES = {
    datetime.date(2026, 4, 19): (10.0, "Spring 10 km in the park, negative split"),
    datetime.date(2026, 6, 14): (21.1, "Half marathon by the river, hot last 5 km"),
    datetime.date(2026, 10, 11): (42.2, "Autumn marathon, held pace to 35 km, then hung on"),
    datetime.date(2026, 12, 13): (5.0, "Christmas 5 km fun run, icy corners"),
}
EASY = ["Easy, legs fresh", "Easy jog with the club", "Recovery run, slow and relaxed",
        "Morning run before work", "Easy, a bit stiff at first", "Steady, good rhythm",
        "Windy, kept it easy", "Rain most of the way, felt fine"]
LONG = ["Long run, fuelled every 40 minutes", "Long run on the canal path, flat and calm",
        "Long run with hills in the middle", "Long run, last 5 km at marathon pace"]
SPEED = ["Track: 8 x 400 m, 90 s jog", "Track: 5 x 1000 m at 10 km pace",
         "Intervals, 6 x 800 m, strong finish", "Tempo 20 minutes, comfortably hard"]
HILLS = ["Hill repeats, 10 x 60 s", "Hilly loop, strong on the climbs",
         "Trail with long climbs, walked two"]
WEEKLY = {0: None, 1: "speed", 2: "easy", 3: "hills", 4: None, 5: "easy", 6: "long"}


def temperature(day):
    # Coldest in January, warmest in July, with a little noise.
    season = -((day.timetuple().tm_yday - 196) / 182.5) ** 2
    return round(20 + 18 * season + random.uniform(-3, 3))


def duration(seconds):
    h, rest = divmod(int(round(seconds)), 3600)
    m, s = divmod(rest, 60)
    return f"{h}:{m:02d}:{s:02d}"


def quote(text):
    return '"' + text.replace('"', '""') + '"' if ("," in text or '"' in text) else text


rows = []
weight = 71.5
day = datetime.date(2026, 1, 1)
while day.year == 2026:
    race = RACES.get(day)
    kind = "race" if race else WEEKLY[day.weekday()]
    taper = any(0 < (r - day).days <= 6 for r in RACES)
    if kind is None or (kind != "race" and random.random() < 0.08):
        day += datetime.timedelta(days=1)
        continue
    month_fitness = 1.0 - 0.06 * min(day.month, 10) / 10  # pace improves through the year
    if kind == "race":
        distance, comment = race
        pace = {10.0: 262, 21.1: 277, 42.2: 296, 5.0: 252}[distance] * month_fitness / 0.94
        workout, competition, difficulty = WORKOUTS[13], "Y", "H"
        heart = random.randint(182, 189)
    elif kind == "long":
        distance = random.choice([16, 18, 20, 22, 24, 26, 28, 30]) * (0.6 if taper else 1)
        pace = 345 * month_fitness + random.uniform(-8, 8)
        workout, competition, difficulty = WORKOUTS[0], "N", "M"
        comment = random.choice(LONG)
        heart = random.randint(158, 168)
    elif kind == "speed":
        distance = random.choice([8, 9, 10, 11]) * (0.7 if taper else 1)
        pace = 300 * month_fitness + random.uniform(-10, 10)
        workout, competition, difficulty = WORKOUTS[7], "N", "H"
        comment = random.choice(SPEED)
        heart = random.randint(172, 183)
    elif kind == "hills":
        distance = random.choice([8, 10, 12])
        pace = 350 * month_fitness + random.uniform(-10, 10)
        workout, competition, difficulty = WORKOUTS[random.choice([2, 6])], "N", "H"
        comment = random.choice(HILLS)
        heart = random.randint(166, 178)
    else:
        distance = random.choice([6, 7, 8, 9, 10, 12]) * (0.7 if taper else 1)
        pace = 370 * month_fitness + random.uniform(-12, 12)
        workout, competition, difficulty = WORKOUTS[random.choice([0, 1, 8])], "N", "E"
        comment = random.choice(EASY)
        heart = random.randint(140, 156)
    distance = round(distance, 2)
    seconds = distance * pace
    speed = round(distance * 3600 / seconds, 2)
    weight = min(73.5, max(68.5, weight + random.uniform(-0.25, 0.22)))
    temp = temperature(day)
    rows.append(",".join([
        day.isoformat(), f"{distance:g}", duration(seconds), duration(pace), f"{speed:g}",
        str(random.randint(44, 52)), str(heart), str(int(distance * 68 + random.randint(-30, 30))),
        f"{round(0.4 + distance / 15 + max(0, temp - 15) / 20, 1):g}",
        f"{random.choice([6.5, 7, 7, 7.5, 7.5, 8, 8.5]):g}", str(temp), f"{weight:.1f}",
        competition, difficulty, quote(workout), quote(comment)]))
    day += datetime.timedelta(days=1)

header = ("date,distance,time,pace,speed,restHeartRate,maxHeartRate,calories,waterUsed,"
          "hoursSlept,temperature,bodyWeight,competition,difficulty,workout,comments")
out = os.path.join(os.path.dirname(__file__), "..", "resources", "samples", "demo-year.csv")
with open(out, "w", newline="\n") as f:
    f.write(header + "\n" + "\n".join(rows) + "\n")
print(f"{len(rows)} days written to {os.path.normpath(out)}")
