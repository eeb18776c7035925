#!/usr/bin/python3
"""Draws every picture of the game and writes them into resources/.

Run with Debian's own interpreter (python3-cairo, python3-pil, python3-numpy,
python3-fonttools); `make art` installs those and the fonts first.
File names come from resources/resources.txt.

    make_art.py [--out DIR] [--preview DIR]

--preview also writes PNG copies (key shown as magenta) for looking at.
"""
import argparse
import os
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import canvas  # noqa: E402
import blender_strips  # noqa: E402
import fish_strips  # noqa: E402
import icons  # noqa: E402
import scenery  # noqa: E402

RESOURCES = os.path.normpath(os.path.join(HERE, "..", "..", "resources"))

SIZES = {
    2000: (920, 85), 2001: (920, 85), 2002: (920, 85), 2003: (230, 85), 2004: (115, 85), 2005: (115, 85),
    2006: (690, 85), 2007: (115, 85), 2008: (690, 85), 2009: (640, 480), 2010: (3200, 480), 2011: (640, 480),
    2012: (640, 480), 2013: (5120, 480), 2014: (5120, 480), 2015: (640, 480), 2016: (640, 480), 2017: (640, 167),
    2018: (640, 480), 2019: (640, 480), 2020: (40, 10),
}


def resource_table(path):
    """{id: (type, file name)} from the resource table."""
    table = {}
    with open(path) as f:
        for line in f:
            line = line.split("#", 1)[0].split()
            if len(line) == 3:
                table[int(line[0])] = (line[1], line[2])
    return table


def pictures():
    """{picture name: image} for every bitmap; PICTURE_OF says which resource shows which."""
    out = {}
    out.update(fish_strips.all_strips())
    out.update(blender_strips.all_strips())
    out["Background.bmp"] = scenery.background()
    out["TitleScreen.bmp"] = scenery.title()
    out["SavedScore.bmp"] = scenery.saved_board()
    out["DeathScore.bmp"] = scenery.blended_board()
    out["SmileyAnim.bmp"] = scenery.smileys()
    return out


# Which picture each resource ID shows, whatever its file is called.
PICTURE_OF = {
    2000: "SwimLeft.bmp", 2001: "SwimRight.bmp", 2002: "SwimTowardPlayer.bmp", 2003: "FlailLeft.bmp",
    2004: "Jump1.bmp", 2005: "Jump2.bmp", 2006: "Panic.bmp", 2007: "GiveUp.bmp", 2008: "Angel.bmp",
    2009: "BlenderCalm.bmp", 2010: "BlenderTurning.bmp", 2011: "BlenderUpSideDown.bmp",
    2012: "BlenderWaterAndLid.bmp", 2013: "BlenderShaking.bmp", 2014: "BlenderShakingBloody.bmp",
    2015: "BlenderBloodyFishGoo.bmp", 2016: "Background.bmp", 2017: "TitleScreen.bmp", 2018: "SavedScore.bmp",
    2019: "DeathScore.bmp", 2020: "SmileyAnim.bmp",
}


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=RESOURCES)
    ap.add_argument("--preview", default=None)
    args = ap.parse_args(argv)

    table = resource_table(os.path.join(RESOURCES, "resources.txt"))
    pics = pictures()
    for rid, (kind, name) in sorted(table.items()):
        path = os.path.join(args.out, name)
        if kind == "BITMAP":
            img = pics[PICTURE_OF[rid]]
            want = SIZES[rid]
            if (img.shape[1], img.shape[0]) != want:
                raise SystemExit("picture %d is %dx%d, not %dx%d" % (rid, img.shape[1], img.shape[0], *want))
            canvas.write_bmp(path, img)
            if args.preview:
                from PIL import Image
                os.makedirs(args.preview, exist_ok=True)
                Image.fromarray(img).save(os.path.join(args.preview, name.replace(".bmp", ".png")))
        elif kind == "ICON":
            with open(path, "wb") as f:
                f.write(icons.icon_file())
        else:
            raise SystemExit("resource %d has an unknown type %s" % (rid, kind))
        print("wrote", os.path.relpath(path))
    return 0


if __name__ == "__main__":
    sys.exit(main())
