#!/usr/bin/env python3
"""Writes StarData, Domarium's catalogue of the 3146 brightest stars.

Source: data/stars.6.json of the npm package d3-celestial 0.7.35 (Hipparcos
stars to magnitude 6, BSD-3-Clause). Each feature has id = Hipparcos number,
properties.mag, and geometry.coordinates [lon, lat] in degrees; right
ascension is lon taken into 0..360 (a negative lon plus 360), declination is
lat. The 3146 brightest (by magnitude, ties by Hipparcos number) are written
in Hipparcos-number order as "ra,dec,mag", one star per line, with the
digits as the source gives them (decimal arithmetic, no binary rounding).

Usage:  npm pack d3-celestial@0.7.35
        python3 tools/make-stardata.py d3-celestial-0.7.35.tgz StarData
"""
import json
import sys
import tarfile
from decimal import Decimal

STAR_COUNT = 3146
MEMBER = "package/data/stars.6.json"


def text(value: Decimal) -> str:
    # Plain positional notation, never an exponent.
    return format(value, "f")


def read_catalogue(archive_path):
    """The StarData records in file order: (hip, ra, dec, mag) as Decimals.

    make-constellations.py maps Hipparcos numbers onto StarData lines with it.
    """
    with tarfile.open(archive_path) as archive:
        raw = archive.extractfile(MEMBER).read()
    features = json.loads(raw, parse_float=Decimal, parse_int=Decimal)["features"]
    stars = []
    for feature in features:
        hip = int(feature["id"])
        mag = feature["properties"]["mag"]
        lon, lat = feature["geometry"]["coordinates"]
        ra = lon + 360 if lon < 0 else lon
        stars.append((hip, ra, lat, mag))
    if len(stars) < STAR_COUNT:
        sys.exit(f"{MEMBER}: only {len(stars)} stars, {STAR_COUNT} needed")
    brightest = sorted(stars, key=lambda s: (s[3], s[0]))[:STAR_COUNT]
    return sorted(brightest)


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    with open(argv[2], "w", encoding="ascii", newline="\n") as out:
        for hip, ra, dec, mag in read_catalogue(argv[1]):
            out.write(f"{text(ra)},{text(dec)},{text(mag)}\n")

if __name__ == "__main__":
    main(sys.argv)
