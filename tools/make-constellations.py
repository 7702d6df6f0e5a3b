#!/usr/bin/env python3
"""Writes ConstellationData and StarNames, the constellation lines and the
Japanese names that Domarium's lesson overlays draw.

Source: the npm package d3-celestial 0.7.35 (BSD-3-Clause), the package
StarData comes from:
  data/constellations.lines.json  lines, a MultiLineString per constellation
  data/constellations.json        names ("ja") and label positions
  data/starnames.json             star names ("ja"), keyed by Hipparcos number
  data/constellations.bounds.json the IAU boundaries, a Polygon per constellation
Coordinates are [lon, lat] in degrees; right ascension is lon taken into
0..360 (a negative lon plus 360), declination is lat, with the digits as the
source gives them.

ConstellationData, UTF-8, one item per line, fields separated by commas:
  constellation,ABBR,NAME   starts a constellation: IAU abbreviation, Japanese name
  label,RA,DEC              where its name is written (Serpens has two)
  line,RA,DEC,RA,DEC,...    one polyline, two or more vertices
  bound,RA,DEC,RA,DEC,...   the IAU boundary as one closed ring (the first vertex not
                            repeated), only for the 13 constellations the ecliptic
                            crosses; the package gives it precessed to J2000 (the
                            B1875 parallels come at declinations such as 53.168)
88 constellations in the order of the source, each with at least one label
and one line.

StarNames, UTF-8, one star per line: INDEX,NAME, where INDEX is the star's
line in StarData counted from 0. The stars brighter than magnitude 1.5 and
Polaris (北極星), in StarData order. A star within 0.1 degree of a brighter
named star is a component of the same point of light and keeps no name of
its own (Toliman beside Rigil Kentaurus).

Usage:  npm pack d3-celestial@0.7.35
        python3 tools/make-constellations.py d3-celestial-0.7.35.tgz ConstellationData StarNames
"""
import importlib.util
import json
import math
import pathlib
import sys
import tarfile
from decimal import Decimal

LINES = "package/data/constellations.lines.json"
NAMES = "package/data/constellations.json"
BOUNDS = "package/data/constellations.bounds.json"
# The twelve of the zodiac and Ophiuchus: the constellations the Sun passes through.
ECLIPTIC_CONSTELLATIONS = {"Psc", "Ari", "Tau", "Gem", "Cnc", "Leo", "Vir", "Lib", "Sco", "Oph",
                           "Sgr", "Cap", "Aqr"}
STAR_NAMES = "package/data/starnames.json"
NAMED_MAGNITUDE = Decimal("1.5")
POLARIS_HIP = 11767
SAME_LIGHT_DEGREES = 0.1

# The 88 names as Japanese astronomical terminology writes them. The package's
# "ja" names must agree with this table, so a changed source cannot slip a
# different spelling onto the chart.
JAPANESE_NAMES = {
    "And": "アンドロメダ座", "Ant": "ポンプ座", "Aps": "ふうちょう座", "Aqr": "みずがめ座",
    "Aql": "わし座", "Ara": "さいだん座", "Ari": "おひつじ座", "Aur": "ぎょしゃ座",
    "Boo": "うしかい座", "Cae": "ちょうこくぐ座", "Cam": "きりん座", "Cnc": "かに座",
    "CVn": "りょうけん座", "CMa": "おおいぬ座", "CMi": "こいぬ座", "Cap": "やぎ座",
    "Car": "りゅうこつ座", "Cas": "カシオペヤ座", "Cen": "ケンタウルス座", "Cep": "ケフェウス座",
    "Cet": "くじら座", "Cha": "カメレオン座", "Cir": "コンパス座", "Col": "はと座",
    "Com": "かみのけ座", "CrA": "みなみのかんむり座", "CrB": "かんむり座", "Crv": "からす座",
    "Crt": "コップ座", "Cru": "みなみじゅうじ座", "Cyg": "はくちょう座", "Del": "いるか座",
    "Dor": "かじき座", "Dra": "りゅう座", "Equ": "こうま座", "Eri": "エリダヌス座",
    "For": "ろ座", "Gem": "ふたご座", "Gru": "つる座", "Her": "ヘルクレス座",
    "Hor": "とけい座", "Hya": "うみへび座", "Hyi": "みずへび座", "Ind": "インディアン座",
    "Lac": "とかげ座", "Leo": "しし座", "LMi": "こじし座", "Lep": "うさぎ座",
    "Lib": "てんびん座", "Lup": "おおかみ座", "Lyn": "やまねこ座", "Lyr": "こと座",
    "Men": "テーブルさん座", "Mic": "けんびきょう座", "Mon": "いっかくじゅう座", "Mus": "はえ座",
    "Nor": "じょうぎ座", "Oct": "はちぶんぎ座", "Oph": "へびつかい座", "Ori": "オリオン座",
    "Pav": "くじゃく座", "Peg": "ペガスス座", "Per": "ペルセウス座", "Phe": "ほうおう座",
    "Pic": "がか座", "Psc": "うお座", "PsA": "みなみのうお座", "Pup": "とも座",
    "Pyx": "らしんばん座", "Ret": "レチクル座", "Sge": "や座", "Sgr": "いて座",
    "Sco": "さそり座", "Scl": "ちょうこくしつ座", "Sct": "たて座", "Ser": "へび座",
    "Sex": "ろくぶんぎ座", "Tau": "おうし座", "Tel": "ぼうえんきょう座", "Tri": "さんかく座",
    "TrA": "みなみのさんかく座", "Tuc": "きょしちょう座", "UMa": "おおぐま座", "UMi": "こぐま座",
    "Vel": "ほ座", "Vir": "おとめ座", "Vol": "とびうお座", "Vul": "こぎつね座",
}


def load_stardata_module():
    # make-stardata.py's selection decides which star each StarData line holds.
    path = pathlib.Path(__file__).with_name("make-stardata.py")
    entry = importlib.util.spec_from_file_location("make_stardata", path)
    module = importlib.util.module_from_spec(entry)
    entry.loader.exec_module(module)
    return module


def member(archive, name):
    return json.loads(archive.extractfile(name).read(), parse_float=Decimal, parse_int=Decimal)


def degrees(point, text):
    lon, lat = point
    ra = lon + 360 if lon < 0 else lon
    return f"{text(ra)},{text(lat)}"


def separation(a, b):
    ra1, dec1, ra2, dec2 = (math.radians(float(v)) for v in (*a, *b))
    c = math.sin(dec1) * math.sin(dec2) + math.cos(dec1) * math.cos(dec2) * math.cos(ra1 - ra2)
    return math.degrees(math.acos(max(-1.0, min(1.0, c))))


def constellation_lines(archive, text):
    names = member(archive, NAMES)["features"]
    lines = member(archive, LINES)["features"]
    order, labels, polylines, japanese = [], {}, {}, {}
    # Serpens comes as two features (head and tail) under one abbreviation.
    for feature in names:
        abbr = feature["id"]
        if abbr not in labels:
            order.append(abbr)
            labels[abbr], polylines[abbr] = [], []
        labels[abbr].append(degrees(feature["geometry"]["coordinates"], text))
        japanese[abbr] = feature["properties"]["ja"]
    for feature in lines:
        if feature["id"] not in polylines:
            sys.exit(f"{LINES}: lines for unknown constellation {feature['id']}")
        for polyline in feature["geometry"]["coordinates"]:
            if len(polyline) < 2:
                sys.exit(f"{LINES}: {feature['id']} has a line of fewer than two vertices")
            polylines[feature["id"]].append(",".join(degrees(p, text) for p in polyline))
    bounds = {}
    for feature in member(archive, BOUNDS)["features"]:
        if feature["id"] not in ECLIPTIC_CONSTELLATIONS:
            continue
        if feature["geometry"]["type"] != "Polygon" or feature["id"] in bounds:
            sys.exit(f"{BOUNDS}: {feature['id']} is not one polygon")
        ring = feature["geometry"]["coordinates"][0]
        if ring[0] == ring[-1]:
            ring = ring[:-1]
        bounds[feature["id"]] = ",".join(degrees(p, text) for p in ring)
    if set(bounds) != ECLIPTIC_CONSTELLATIONS:
        sys.exit(f"{BOUNDS}: boundaries missing for {sorted(ECLIPTIC_CONSTELLATIONS - set(bounds))}")
    if sorted(order) != sorted(JAPANESE_NAMES):
        sys.exit(f"{NAMES}: the constellations are not the 88 of the name table")
    out = []
    for abbr in order:
        if japanese[abbr] != JAPANESE_NAMES[abbr]:
            sys.exit(f"{NAMES}: {abbr} is {japanese[abbr]}, the table says {JAPANESE_NAMES[abbr]}")
        if not polylines[abbr]:
            sys.exit(f"{LINES}: {abbr} has no lines")
        out.append(f"constellation,{abbr},{JAPANESE_NAMES[abbr]}")
        out += [f"label,{label}" for label in labels[abbr]]
        out += [f"line,{polyline}" for polyline in polylines[abbr]]
        if abbr in bounds:
            out.append(f"bound,{bounds[abbr]}")
    return out


def star_names(archive, catalogue):
    names = member(archive, STAR_NAMES)
    chosen = []  # (mag, index, name, position)
    for index, (hip, ra, dec, mag) in enumerate(catalogue):
        if not (mag < NAMED_MAGNITUDE or hip == POLARIS_HIP):
            continue
        name = names.get(str(hip), {}).get("ja", "")
        if not name:
            sys.exit(f"{STAR_NAMES}: no Japanese name for HIP {hip}")
        chosen.append((mag, index, name, (ra, dec)))
    kept = []
    for star in sorted(chosen):
        if all(separation(star[3], brighter[3]) >= SAME_LIGHT_DEGREES for brighter in kept):
            kept.append(star)
    return [f"{index},{name}" for mag, index, name, _ in sorted(kept, key=lambda s: s[1])]


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    stardata = load_stardata_module()
    catalogue = stardata.read_catalogue(argv[1])
    with tarfile.open(argv[1]) as archive:
        constellations = constellation_lines(archive, stardata.text)
        stars = star_names(archive, catalogue)
    for path, lines in ((argv[2], constellations), (argv[3], stars)):
        with open(path, "w", encoding="utf-8", newline="\n") as out:
            out.writelines(line + "\n" for line in lines)


if __name__ == "__main__":
    main(sys.argv)
