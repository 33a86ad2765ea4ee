#!/usr/bin/env python3
"""Writes the hand-drawn SVG sources of all game pictures into assets/art/.

The characters appear in many pictures; drawing each of them once here keeps
their look and palette identical everywhere. Run from the repo root:
    python3 tools/make_svgs.py
then `bash tools/make_art.sh` turns the SVGs into the bitmaps the game loads.
"""
import math
import os

ART = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets", "art")

# ---------------------------------------------------------------- palette
OL = "#2a1c14"          # one outline colour for everything keeps the cartoon look
SKIN = "#f6c9a0"
SKIN_SH = "#e0a277"
WHITE = "#fffaf0"
CHEEK = "#f28c8c"

CAPS = {  # Brummo's cap: main colour, shade
    "green": ("#34a853", "#1f7034"),
    "blue": ("#2f6fe0", "#1c4796"),
    "red": ("#de3328", "#952019"),
}
B_NOSE = "#f19b7f"
B_HAIR = "#6b4424"
B_STUBBLE = "#3c4a66"
B_SWEATER = "#e4b23a"
B_SWEATER_SH = "#b98a22"
B_JEANS = "#3f5f9e"
B_SHOE = "#5a3a22"

F_HAIR = "#ff8a1c"
F_HAIR_SH = "#d25a00"
F_RED = "#e0303c"
F_PANTS = "#3b3550"
F_SHOE = "#2f9a5c"

Q_HAIR = "#8e44c8"
Q_HAIR_SH = "#5f2590"
Q_TOP = "#ff6fa8"
LIPS = "#d42a48"
GOLD = "#ffc928"
GOLD_SH = "#c98f00"

POLICE = "#24478f"
POLICE_SH = "#172e60"
POLICE_SHIRT = "#9cc3ee"


def svg(w, h, body, vb=None, extra=""):
    vb = vb or f"0 0 {w} {h}"
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="{vb}"{extra}>\n{body}\n</svg>\n')


def P(d, fill, sw=3.0, extra=""):
    """A filled path with the common outline."""
    stroke = f' stroke="{OL}" stroke-width="{sw}" stroke-linejoin="round" stroke-linecap="round"' if sw else ""
    return f'<path d="{d}" fill="{fill}"{stroke}{extra}/>'


def L(d, sw=3.0, col=OL, extra=""):
    """An unfilled line."""
    return (f'<path d="{d}" fill="none" stroke="{col}" stroke-width="{sw}" '
            f'stroke-linecap="round" stroke-linejoin="round"{extra}/>')


def C(cx, cy, r, fill, sw=3.0, extra=""):
    stroke = f' stroke="{OL}" stroke-width="{sw}"' if sw else ""
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"{stroke}{extra}/>'


def E(cx, cy, rx, ry, fill, sw=3.0, extra=""):
    stroke = f' stroke="{OL}" stroke-width="{sw}"' if sw else ""
    return f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" fill="{fill}"{stroke}{extra}/>'


def tube(pts, w, fill, sw=3.0):
    """A limb: a thick round-capped polyline drawn over a wider dark one, so bends keep their outline."""
    d = "M" + " L".join(f"{x},{y}" for x, y in pts)
    return (L(d, w + 2 * sw, OL) + L(d, w, fill))


def G(inner, tf=""):
    return f'<g transform="{tf}">{inner}</g>' if tf else f"<g>{inner}</g>"


def mirror(inner, width=64):
    return G(inner, f"translate({width},0) scale(-1,1)")


def stripes(clip_id, shape_d, y0, y1, step, band, colour, base):
    """Horizontal stripes inside a shape (Flitz's shirt)."""
    out = [f'<clipPath id="{clip_id}"><path d="{shape_d}"/></clipPath>',
           P(shape_d, base, 0)]
    bands = []
    y = y0
    while y < y1:
        bands.append(f'<rect x="-50" y="{y}" width="400" height="{band}" fill="{colour}"/>')
        y += step
    out.append(f'<g clip-path="url(#{clip_id})">{"".join(bands)}</g>')
    out.append(P(shape_d, "none"))
    return "".join(out)


# =================================================================== FLITZ
# Flitz is drawn on a 64 x 64 grid (icons show it at 32 px).

F_FACE_FRONT = "M17,32 C17,18 47,18 47,32 C47,44 40,52 32,52 C24,52 17,44 17,32 Z"
F_SHIRT_FRONT = "M8,66 C9,56 19,51 32,51 C45,51 55,56 56,66 Z"


def flitz_shirt_front(uid):
    return (P("M27,44 L37,44 L37,53 L27,53 Z", SKIN, 2.5)
            + stripes(f"fs{uid}", F_SHIRT_FRONT, 52.5, 66, 5, 2.6, F_RED, WHITE))


def flitz_ears_front(left=True, right=True):
    out = ""
    if left:
        out += P("M20,30 L3,19 L12,37 Q16,41 21,38 Z", SKIN, 3)
        out += L("M17,33 L9,25", 2, SKIN_SH)
    if right:
        out += P("M44,30 L61,19 L52,37 Q48,41 43,38 Z", SKIN, 3)
        out += L("M47,33 L55,25", 2, SKIN_SH)
    return out


F_HAIR_FRONT = ("M16,31 L9,22 L16,21 L10,9 L22,14 L24,1 L31,11 L38,0 L41,12 L51,5 L48,17 L56,16 "
                "L48,29 L45,23 L41,26 L37,21 L31,25 L27,21 L22,26 L19,23 Z")


def flitz_hair_front():
    return (P(F_HAIR_FRONT, F_HAIR, 3)
            + L("M24,11 L26,18 M38,9 L36,17 M46,13 L43,19", 2, F_HAIR_SH))


def flitz_eyes_front(mood):
    out = ""
    if mood == "wink":
        out += E(25.5, 34, 4, 3.8, WHITE, 2) + C(27.2, 34.6, 2, OL, 0)
        out += L("M35,35 Q38.5,32 42,35", 2.6)
        out += L("M21,28 L29,29.5", 2.8) + L("M35,29 Q39,26 43,28", 2.8)
        return out
    out += E(25.5, 34, 4, 3.8, WHITE, 2) + E(38.5, 34, 4, 3.8, WHITE, 2)
    out += C(27.2, 34.6, 2, OL, 0) + C(40.2, 34.6, 2, OL, 0)
    if mood == "angry":
        out += L("M20,27.5 L30,31.5", 3.4) + L("M44,27.5 L34,31.5", 3.4)
    elif mood == "sly":
        # heavy upper lids make the sideways glance look scheming
        out += P("M21.5,33 Q25.5,28.5 29.5,33 Z", SKIN, 1.6)
        out += P("M34.5,33 Q38.5,28.5 42.5,33 Z", SKIN, 1.6)
        out += L("M21,28 L29,29.5", 2.8) + L("M35,28.5 Q39,25.5 43,27.5", 2.8)
    else:
        out += L("M21,28.5 L29,29.5", 2.8) + L("M35,29.5 L43,28.5", 2.8)
    return out


def flitz_mouth_front(mood):
    nose = L("M32,35 L35,40.5 L31.5,41", 2.2)
    if mood == "angry":
        return nose + P("M25,44 Q32,42 39,44 L38,48.5 Q32,47 26,48.5 Z", WHITE, 2.4) + L("M26,46.3 L38,46.3", 1.4)
    if mood == "pirate":
        return nose + P("M23,42.5 Q33,54 42.5,40.5 Q33,45.5 23,42.5 Z", WHITE, 2.2) + C(36, 46.5, 1.3, GOLD, 0.8)
    # the lopsided grin is Flitz's trademark
    return nose + P("M23,42.5 Q33,54 42.5,40.5 Q33,45.5 23,42.5 Z", WHITE, 2.2) + L("M41.5,39 L44,41", 2)


def flitz_front(uid, mood="sly"):
    return (flitz_shirt_front(uid) + flitz_ears_front()
            + P(F_FACE_FRONT, SKIN, 3)
            + flitz_hair_front()
            + flitz_eyes_front(mood) + flitz_mouth_front(mood))


# --- profile, facing right
F_HEAD_SIDE = ("M19,35 C16,21 30,15 42,18 C47,20 49,25 48,29 L59,37 L49,40 "
               "C50,43 50,45 49,47 C47,51 44,53 38,52 C32,51 26,50 22,46 C19,43 19,39 19,35 Z")
F_HAIR_SIDE = ("M47,26 L46,12 L40,16 L35,3 L30,14 L22,4 L21,16 L9,9 L16,22 L3,22 L14,30 L6,37 L20,38 "
               "L22,30 L30,25 L38,23 Z")
F_SHIRT_SIDE = "M14,66 C15,56 24,51 34,51 C43,51 49,56 51,66 Z"


def flitz_side_body(uid):
    return (P("M30,44 L40,44 L40,53 L30,53 Z", SKIN, 2.5)
            + stripes(f"fss{uid}", F_SHIRT_SIDE, 52.5, 66, 5, 2.6, F_RED, WHITE))


def flitz_side_ear():
    return P("M31,33 L17,19 L23,39 Q27,43 32,39 Z", SKIN, 3) + L("M27,35 L21,26", 2, SKIN_SH)


def flitz_side(uid, mood="grin", hat=None, body=True):
    out = (flitz_side_body(uid) if body else "") + P(F_HEAD_SIDE, SKIN, 3)
    if hat != "fedora":
        out += P(F_HAIR_SIDE, F_HAIR, 3) + L("M30,8 L31,17 M22,11 L25,19", 2, F_HAIR_SH)
    else:
        # under the hat only the tips at the back still give him away
        out += P("M24,28 L12,24 L17,31 L5,33 L16,38 L10,44 L22,42 Z", F_HAIR, 3)
    out += flitz_side_ear()
    if mood == "laugh":
        out += L("M42.5,32 Q45.5,28 48.5,32", 2.6) + L("M41,26 Q45.5,24 49,26.5", 2.6)
        out += P("M46,42 L57,40 Q57,50 49,51 Q44,49 46,42 Z", "#7a1420", 2.6)
        out += P("M50,47 Q55,45 59,49 Q58,54 53,53 Q50,51 50,47 Z", "#ff6f7f", 2.2)
    elif mood == "shout":
        out += E(45.5, 31.5, 3, 3.8, WHITE, 2) + C(47, 32, 1.8, OL, 0)
        out += L("M40,26 L49,29.5", 3.4)
        out += P("M46,42 L57,40 Q57,52 48,53 Q43,50 46,42 Z", "#7a1420", 2.6)
        out += P("M48.5,50.5 Q52,46 56,49 Q54,53 48.5,50.5 Z", "#ff6f7f", 0)
    else:
        out += E(45.5, 31.5, 3, 3.8, WHITE, 2) + C(47, 32, 1.8, OL, 0)
        out += L("M41,27 Q45.5,24.5 49,27", 2.8)
        out += L("M49.5,44 Q46,48 41,44.5", 2.5) + L("M40,43 L41.5,46", 2)
    if hat == "fedora":
        # fake moustache, dark glasses and a hat: Flitz in disguise
        out += P("M43,42 Q48,38 55,41 Q60,44 58,47 Q54,44 49,45 Q45,47 41,45 Z", "#2b1d18", 2)
        out += P("M40,29 L51,29 L50,35 Q45,37 41,34 Z", "#1d1d26", 2.2) + L("M40,30 L22,29", 2.4)
        out += P("M6,24 Q30,28 56,20 Q52,28 32,30 Q12,31 6,24 Z", "#6a4a2e", 2.8)
        out += P("M14,24 Q14,6 32,6 Q46,6 46,22 Q30,26 14,24 Z", "#8a6440", 2.8)
        out += P("M15,20 Q30,23 45,18 L46,22 Q30,26 14,24 Z", "#2b1d18", 0)
    return out


def flitz_shout_lines():
    return L("M59,30 L63,27 M60,36 L64,36 M59,42 L63,45", 2.4)


# ------------------------------------------------------------ women (front)
W_FACE = "M20,30 C20,17 44,17 44,30 C44,43 38,50 32,50 C26,50 20,43 20,30 Z"


def woman(uid, hair, hair_sh, top, style):
    out = ""
    # hair behind the head
    if style == "long":
        out += P("M9,62 Q3,50 8,40 Q5,27 13,18 Q21,8 32,8 Q43,8 51,18 Q59,27 56,40 Q61,50 55,62 Z", hair, 3)
    elif style == "pony":
        out += P("M45,18 C60,16 62,36 57,52 Q55,58 51,56 Q53,46 50,40 Q48,30 45,28 Z", hair, 3)
        out += L("M51,24 Q56,34 54,48", 1.8, hair_sh)
        out += P("M16,40 C10,12 54,12 48,40 Z", hair, 3)
        out += C(47, 21, 3, "#e0303c", 2)
    elif style == "bob":
        out += P("M12,47 C6,9 58,9 52,47 Q47,51 42,47 L22,47 Q17,51 12,47 Z", hair, 3)
    out += P("M28,44 L36,44 L36,58 L28,58 Z", SKIN, 2.2)
    shirt = "M7,66 C8,58 17,54 25,53 Q32,61 39,53 C47,54 56,58 57,66 Z"
    out += P(shirt, top, 3)
    out += P(W_FACE, SKIN, 3)
    # front hair
    if style == "long":
        # parted in the middle, falling over both shoulders
        out += P("M32,11 C21,11 15,20 17,36 Q13,46 15,58 Q19,64 23,58 Q20,48 21,40 C20,30 25,22 32,18 "
                 "C39,22 44,30 43,40 Q44,48 41,58 Q45,64 49,58 Q51,46 47,36 C49,20 43,11 32,11 Z", hair, 3)
        out += L("M32,12 L32,18 M22,18 Q19,26 19,34 M42,18 Q45,26 45,34", 1.8, hair_sh)
        out += L("M25,14 Q28,12 30,13", 1.8, "#c690f0")
    elif style == "pony":
        out += P("M18,33 C14,10 50,10 46,33 C44,26 40,22 35,21 C30,25 24,27 18,33 Z", hair, 3)
        out += L("M25,17 Q30,15 35,16", 1.6, "#fff3b0")
    elif style == "bob":
        out += P("M17,38 C13,11 51,11 47,38 L45,28 L19,28 Z", hair, 3)
        out += L("M25,22 Q32,19.5 39,22", 2, hair_sh)
        out += L("M14,36 Q15,43 19,46 M50,36 Q49,43 45,46", 1.8, hair_sh)
    # earrings: the family trait all three sisters share
    if style != "long":
        out += C(19.5, 42, 3, "none", 0, f' stroke="{GOLD}" stroke-width="2.2"')
        out += C(44.5, 42, 3, "none", 0, f' stroke="{GOLD}" stroke-width="2.2"')
    else:
        out += C(21.5, 43, 3, "none", 0, f' stroke="{GOLD}" stroke-width="2.2"')
        out += C(42.5, 43, 3, "none", 0, f' stroke="{GOLD}" stroke-width="2.2"')
    # eyes with a lash flick at the outer corner
    out += E(26, 34.5, 2.5, 3, OL, 0) + E(38, 34.5, 2.5, 3, OL, 0)
    out += C(26.8, 33.6, 0.9, WHITE, 0) + C(38.8, 33.6, 0.9, WHITE, 0)
    out += L("M23,32.5 Q26,30.2 29,32 M35,32 Q38,30.2 41,32.5", 1.8)
    out += L("M23,32.5 L21.3,31.3 M41,32.5 L42.7,31.3", 1.6)
    if style == "pony":
        out += C(26, 34.5, 5, "none", 0, f' stroke="{OL}" stroke-width="2.2"')
        out += C(38, 34.5, 5, "none", 0, f' stroke="{OL}" stroke-width="2.2"')
        out += L("M31,34 L33,34 M21,33.5 L19,32.5 M43,33.5 L45,32.5", 2)
    else:
        out += L("M23,28.5 Q26,27 29,28 M35,28 Q38,27 41,28.5", 1.8)
    out += C(23, 40.5, 2.3, CHEEK, 0, ' opacity="0.7"') + C(41, 40.5, 2.3, CHEEK, 0, ' opacity="0.7"')
    out += L("M32,37 L33,40.5", 1.8, SKIN_SH)
    out += P("M27.5,44 Q32,42 36.5,44 Q32,48.5 27.5,44 Z", LIPS, 1.6)
    return out


# -------------------------------------------------------------- police
def police(uid, variant):
    skin = SKIN if variant == 1 else "#c8885a"
    skin_sh = SKIN_SH if variant == 1 else "#9f6438"
    out = ""
    # uniform: dark jacket, light shirt, tie, star on the chest
    out += P("M27,44 L37,44 L37,52 L27,52 Z", skin, 2.5)
    out += P("M6,66 C7,55 18,50 32,50 C46,50 57,55 58,66 Z", POLICE, 3)
    out += P("M24,50 L32,60 L40,50 Z", POLICE_SHIRT, 2)
    out += P("M30.5,53 L33.5,53 L34,62 L32,64 L30,62 Z", POLICE_SH, 1.2)
    out += P("M47,55 L48.2,57.8 L51.2,58 L48.9,59.8 L49.7,62.8 L47,61.1 L44.3,62.8 L45.1,59.8 L42.8,58 L45.8,57.8 Z", GOLD, 1.2)
    out += L("M10,58 L20,55 M54,58 L44,55", 2.4, POLICE_SH)
    # ears + face
    out += E(18, 35, 3.5, 5, skin, 2.5) + E(46, 35, 3.5, 5, skin, 2.5)
    if variant == 1:
        out += P("M19,28 C19,16 45,16 45,28 L45,34 C45,45 39,51 32,51 C25,51 19,45 19,34 Z", skin, 3)
        out += P("M19,28 L19,36 L22,36 L22,27 Z", "#6b4424", 0)
        out += P("M45,28 L45,36 L42,36 L42,27 Z", "#6b4424", 0)
    else:
        out += P("M18,28 C18,16 46,16 46,28 L46,38 C46,47 40,52 32,52 C24,52 18,47 18,38 Z", skin, 3)
    # eyes
    out += C(26.5, 33.5, 2, OL, 0) + C(37.5, 33.5, 2, OL, 0)
    out += C(27.1, 32.9, 0.7, WHITE, 0) + C(38.1, 32.9, 0.7, WHITE, 0)
    if variant == 1:
        out += L("M23,29.5 L29.5,29.5 M34.5,29.5 L41,29.5", 2.4)
        out += L("M32,34 L34,40 L31,40.5", 2, skin_sh)
        out += L("M27,45 Q32,47.5 37,45", 2.4)
    else:
        out += L("M22,29.5 L30,28.5 M34,28.5 L42,29.5", 3.6)
        out += P("M29.5,35 Q32,33 34.5,35 L35,40 L29,40 Z", skin_sh, 0)
        # the big moustache is what tells the two officers apart
        out += P("M32,40 Q25,38 20,43 Q19,47 23,45 Q27,43 32,44 Q37,43 41,45 Q45,47 44,43 Q39,38 32,40 Z", "#2b1d18", 1.6)
        out += L("M29,48.5 Q32,49.5 35,48.5", 2)
    # peaked police cap with badge
    out += P("M8,20 Q10,6 32,5 Q54,6 56,20 L48,27 L16,27 Z", POLICE, 3)
    out += P("M16,22 L48,22 L48,28 L16,28 Z", "#15203a", 2.4)
    out += P("M14,27.5 Q32,24 50,27.5 Q48,33 32,31 Q16,33 14,27.5 Z", "#101014", 2.4)
    out += L("M21,29.5 Q32,27.5 43,29.5", 1.2, "#5a5f70")
    out += P("M32,9 L36,11.5 L36,17 L32,20 L28,17 L28,11.5 Z", GOLD, 2)
    out += C(32, 14.3, 1.5, "#2a8a3a", 0)
    return out


# -------------------------------------------------------------- alien
def alien():
    green, green_sh = "#74d64c", "#3f9a2a"
    out = ""
    out += P("M6,66 C7,56 18,53 32,53 C46,53 57,56 58,66 Z", "#8a8fb8", 3)
    out += L("M32,56 L32,66", 2, "#5c6090")
    out += C(25, 60, 2, "#ff5a5a", 1.4) + C(39, 60, 2, "#ffd23a", 1.4)
    # the alien itself
    out += P("M27,44 L37,44 L37,53 L27,53 Z", green, 2.5)
    out += L("M26,22 L19,9", 2.4) + C(18.5, 8.5, 2.8, "#ff5fd2", 2)
    out += L("M38,22 L45,9", 2.4) + C(45.5, 8.5, 2.8, "#ff5fd2", 2)
    out += P("M15,30 C15,14 49,14 49,30 C49,40 40,50 32,50 C24,50 15,40 15,30 Z", green, 3)
    out += P("M19,30 Q20,24 29,28 Q30,37 23,38 Q18,36 19,30 Z", "#14141c", 0)
    out += P("M45,30 Q44,24 35,28 Q34,37 41,38 Q46,36 45,30 Z", "#14141c", 0)
    out += C(24, 29.5, 1.5, WHITE, 0) + C(40, 29.5, 1.5, WHITE, 0)
    out += L("M28,44 Q32,46 36,44", 2, OL)
    out += C(24, 20, 1.4, green_sh, 0) + C(33, 18, 1.8, green_sh, 0) + C(41, 21, 1.2, green_sh, 0)
    # glass helmet over it: translucent, outlined, with a shine
    out += P("M4,33 C4,12 17,2 32,2 C47,2 60,12 60,33 C60,45 55,52 50,55 L14,55 C9,52 4,45 4,33 Z",
             "#bfe6ff", 3, ' fill-opacity="0.35"')
    out += L("M12,24 Q16,10 28,7", 3, WHITE, ' opacity="0.9"')
    out += C(50, 14, 1.8, WHITE, 0, ' opacity="0.9"')
    out += P("M9,55 Q32,50 55,55 L55,59 Q32,54 9,59 Z", "#c0c6d0", 2.6)
    return out


# -------------------------------------------------------------- beer can
# Tiny bitmap letters on a pixel grid: an outline font would blur into mush at 32 px.
GLYPHS = {
    "G": [".###.", "##..#", "##...", "##.##", "##..#", "##..#", ".###."],
    "R": ["####.", "##.##", "##.##", "####.", "##.#.", "##.##", "##.##"],
    "O": [".###.", "##.##", "##.##", "##.##", "##.##", "##.##", ".###."],
    "L": ["##...", "##...", "##...", "##...", "##...", "##...", "#####"],
    "Z": ["#####", "...##", "..##.", ".##..", "##...", "##...", "#####"],
}


def pixel_text(text, x0, y0, unit, colour):
    rects = []
    x = x0
    for ch in text:
        rows = GLYPHS[ch]
        for r, row in enumerate(rows):
            for c, bit in enumerate(row):
                if bit == "#":
                    rects.append(f'<rect x="{x + c * unit}" y="{y0 + r * unit}" width="{unit}" height="{unit}"/>')
        x += (len(rows[0]) + 1) * unit
    return f'<g fill="{colour}" shape-rendering="crispEdges">{"".join(rects)}</g>'


def beer_can():
    out = ""
    body = "M11,9 L53,9 L53,58 Q32,63 11,58 Z"
    out += P(body, "#f2b53a", 3)
    out += P("M41,12 L47,12 L47,56 L41,57 Z", "#ffe08a", 0)   # shine
    out += P("M14,12 L18,12 L18,57 L14,56 Z", "#c98a1a", 0)
    out += P(body, "none", 3)
    out += E(32, 9, 21, 5, "#d6dbe2", 3)
    out += E(32, 9, 15, 3, "#aab2bd", 0)
    out += P("M29,6 L39,6 Q41,9 38,10 L30,10 Z", "#eef1f5", 1.6)
    # label band wider than the can so the name can use the full icon width
    out += P("M0,20 L64,20 L64,40 L0,40 Z", "#c4161c", 0)
    out += L("M1,20 L63,20 M1,40 L63,40", 2.2, OL)
    out += L("M1,20 L1,40 M63,20 L63,40", 2.2, OL)
    out += pixel_text("GROLZ", 3, 23, 2, OL)        # drop shadow for contrast
    out += pixel_text("GROLZ", 2, 22, 2, "#fff6d0")
    out += P("M24,46 L32,43 L40,46 L32,52 Z", "#c4161c", 1.6)
    return out


# -------------------------------------------------------------- television
def television():
    wood, wood_sh = "#a8642a", "#6e3e16"
    out = ""
    out += L("M32,20 L19,4", 2.6) + C(19, 4, 2.4, "#d0d4da", 1.8)
    out += L("M32,20 L47,2", 2.6) + C(47, 2.5, 2.4, "#d0d4da", 1.8)
    out += P("M24,21 Q32,12 40,21 Z", "#55555f", 2.4)
    out += L("M13,58 L11,63 M51,58 L53,63", 3.4)
    out += P("M4,24 Q4,20 8,20 L56,20 Q60,20 60,24 L60,55 Q60,59 56,59 L8,59 Q4,59 4,55 Z", wood, 3)
    out += L("M8,56 L56,56", 2, wood_sh)
    # curved picture tube
    out += P("M9,28 Q9,24 13,24 L39,24 Q43,24 43,28 Q44,39 43,50 Q43,54 39,54 L13,54 Q9,54 9,50 Q8,39 9,28 Z",
             "#5d7f8f", 3)
    out += P("M12,29 Q13,26 20,26.5 Q14,30 13.5,40 Q11.5,36 12,29 Z", "#cfe9f0", 0, ' opacity="0.85"')
    out += L("M14,44 L38,44 M14,48 L34,48", 1.4, "#7ea2b1")
    # knobs and speaker
    out += P("M47,24 L56,24 L56,55 L47,55 Z", "#cfa070", 2)
    out += C(51.5, 30.5, 3.6, "#33333a", 2) + L("M51.5,30.5 L53.5,28", 1.4, WHITE)
    out += C(51.5, 40, 3, "#33333a", 2) + L("M51.5,40 L49.5,38", 1.4, WHITE)
    out += L("M49,47 L54,47 M49,50 L54,50 M49,53 L54,53", 1.4, wood_sh)
    return out


# =================================================================== BRUMMO
# Profile facing right on the 64 grid.
B_HEAD_SIDE = ("M12,30 C11,19 20,13 32,13 C40,13 45,17 46,24 L46,29 C50,29 54,31 57,33 "
               "C63,36 63,46 56,47 C53,47.5 50,46.5 48,45.5 L47.5,47 C46.5,48.5 46,49.5 46.5,50.5 "
               "C48,53 48,56 45.5,58 C42,60.5 34,60 28,57 L25,52 C16,49 12,40 12,30 Z")


def brummo_side(cap="green", collar=True, mood="grumpy"):
    cap_c, cap_sh = CAPS[cap]
    out = ""
    if collar:
        out += P("M22,50 L36,50 L36,62 L22,62 Z", SKIN, 2.5)
        out += P("M6,66 C7,60 14,57 28,57 C38,57 44,60 46,66 Z", B_SWEATER, 3)
        out += P("M17,58 Q28,63 38,58 L38,61 Q28,66 17,61 Z", B_SWEATER_SH, 1.8)
    out += P(B_HEAD_SIDE, SKIN, 3)
    # a reddish bulb at the end of the nose, and stubble on the long chin
    out += E(56.5, 40, 5.5, 5.5, B_NOSE, 0)
    out += C(58, 37, 1.8, "#ffe0d0", 0)
    out += P("M26,50 C31,55 38,55 43,52 L46,50.5 C48,53 48,56 45.5,58 C42,60.5 34,60 28,57 Z",
             B_STUBBLE, 0, ' opacity="0.33"')
    for x, y in ((30, 55), (34, 56.5), (38, 56.5), (42, 55), (44, 52.5), (36, 53.5), (32, 52.5), (40, 58)):
        out += C(x, y, 0.8, B_STUBBLE, 0, ' opacity="0.8"')
    out += P(B_HEAD_SIDE, "none", 3)
    out += L("M51,44.5 Q53,46 55,45", 1.6, "#b0604a")
    if mood == "angry":
        out += P("M47.5,49 Q43,48 39.5,50 Q42,55.5 47,53 Z", "#7a1420", 2.2)
    else:
        out += L("M47,50 Q44,49 41,50.5", 2.4)
    # hair sticking out from under the cap at the back
    out += P("M10,24 L5,31 L12,30 L8,37 L15,34 L14,40 L19,33 L18,24 Z", B_HAIR, 2.5)
    # ear
    out += P("M18,32 C13,30 11,36 13,40 C14,44 19,44 21,41 Z", SKIN, 2.6) + L("M17,36 Q15,38 17,40", 1.6, SKIN_SH)
    # eye under the brim, droopy lid
    out += E(40.5, 31, 3.2, 3.8, WHITE, 2) + C(42, 31.8, 1.9, OL, 0)
    out += P("M37.1,30 Q40.5,25.5 43.9,30 Z", SKIN, 1.8)
    if mood == "angry":
        out += L("M35,25.5 L45,29", 3.4, B_HAIR)
    else:
        out += L("M35,27 L45,27.5", 2.8, B_HAIR)
    # cap: crown, band, and the long brim pointing forward
    out += P("M9,26 C7,10 18,3 30,3 C42,3 50,9 49,24 Z", cap_c, 3)
    out += L("M29,4 Q32,14 29,24", 2, cap_sh)
    out += P("M40,21 Q52,18 62,21 Q63,26 56,27 Q47,27.5 38,27 Z", cap_sh, 3)
    out += P("M8,24 Q28,21 49,23 L49,27 Q28,25 8,28 Z", cap_sh, 2.6)
    out += C(30, 3.5, 2.3, cap_c, 2)
    return out


# =================================================================== writing files
def icon(inner):
    return svg(32, 32, inner, "0 0 64 64")


def build_icons():
    files = {}
    files["gegner00"] = icon(flitz_front("00", "angry"))
    files["gegner01"] = icon(flitz_side("01", "grin"))
    pirate = (flitz_shirt_front("02") + flitz_ears_front()
              + P(F_FACE_FRONT, SKIN, 3)
              + P("M16,33 L9,24 L18,24 L15,18 L48,18 L46,24 L55,24 L48,33 L44,26 L20,26 Z", F_HAIR, 3)
              + flitz_eyes_front("angry")
              + flitz_mouth_front("pirate"))
    # eye patch over his left eye with its strap, then the hat above
    pirate += L("M17,26 L47,39", 2.4) + E(38.5, 34.5, 5, 5, "#16161c", 2)
    pirate += P("M4,24 Q10,18 18,19 Q24,4 32,4 Q40,4 46,19 Q54,18 60,24 Q46,23 32,25 Q18,23 4,24 Z", "#1d1a24", 3)
    pirate += L("M12,21 Q32,17 52,21", 2, GOLD)
    pirate += C(32, 12, 3.6, WHITE, 1.2) + L("M27,17 L37,19 M37,17 L27,19", 1.8, WHITE)
    pirate += C(30.6, 12, 0.9, "#1d1a24", 0) + C(33.4, 12, 0.9, "#1d1a24", 0)
    pirate += C(18, 43, 2.4, "none", 0, f' stroke="{GOLD}" stroke-width="1.8"')
    files["gegner02"] = icon(pirate)
    files["gegner03"] = icon(mirror(flitz_side("03", "grin", hat="fedora")))
    files["gegner04"] = icon(G(flitz_side("04", "shout") , "translate(-3,0)") + flitz_shout_lines())
    goggles = flitz_front("05", "neutral")
    goggles += L("M16,23 Q32,17 48,23", 4, "#6b4424")
    for cx in (25, 39):
        goggles += C(cx, 19, 6.4, "#c9a040", 2.6) + C(cx, 19, 4.2, "#7fd0f0", 1.6)
        goggles += L(f"M{cx - 2.5},17.5 Q{cx - 1.5},15.5 {cx + 0.5},15.5", 1.6, WHITE)
    files["gegner05"] = icon(goggles)
    files["gegner06"] = icon(mirror(flitz_side("06", "grin")))
    files["gegner07"] = icon(half_robot())
    files["gegner08"] = icon(flitz_front("08", "wink"))
    files["gegner09"] = icon(woman("09", "#f4d35e", "#c9a32a", "#3fb8a8", "pony"))
    files["gegner10"] = icon(woman("10", "#2e2333", "#5a4566", "#f08a24", "bob"))
    files["gegner11"] = icon(police("11", 1))
    files["gegner12"] = icon(police("12", 2))
    files["gegner13"] = icon(alien())
    files["gegner14"] = icon(beer_can())
    files["gegner15"] = icon(television())
    files["gegner16"] = icon(woman("16", Q_HAIR, Q_HAIR_SH, Q_TOP, "long"))
    files["brummo"] = svg(64, 64, brummo_side("green"))
    files["brummo_blau"] = icon(brummo_side("blue"))
    files["brummo_rot"] = icon(brummo_side("red"))
    return files


def half_robot():
    metal, metal_sh = "#aab4c0", "#6f7a88"
    out = flitz_shirt_front("07") + flitz_ears_front(True, False)
    out += P(F_FACE_FRONT, SKIN, 3)
    out += L("M32,14 L30,3", 2.4) + C(30, 3, 2.6, "#ff3b3b", 1.8)
    out += C(48, 35, 5.5, metal_sh, 2.6) + L("M45.5,35 L50.5,35 M48,32.5 L48,37.5", 1.6, "#30343c")
    # the metal half covers the right side of the face
    half = "M32,16 C40,16 47,21 47,31 C47,43 40,52 32,52 L33,47 L31,42 L33,37 L31,32 L33,27 L31,22 Z"
    out += P(half, metal, 3)
    out += L("M36,46 L43,40", 2, metal_sh)
    out += C(37, 21, 1.1, metal_sh, 0) + C(44, 27, 1.1, metal_sh, 0) + C(44, 41, 1.1, metal_sh, 0)
    out += P("M33.5,30 L44,30 L44,38 L33.5,38 Z", "#23232a", 2)
    out += C(38.8, 34, 2.7, "#ff3b3b", 0) + C(38, 33, 0.9, "#ffd0d0", 0)
    # human half
    out += P("M16,31 L9,22 L16,21 L10,9 L22,14 L24,1 L31,11 L32,16 L32,23 L27,21 L22,26 L19,23 Z", F_HAIR, 3)
    out += E(25.5, 34, 4, 3.8, WHITE, 2) + C(27.2, 34.6, 2, OL, 0)
    out += L("M20,27.5 L30,31", 3.2)
    out += L("M32,35 L34,40.5 L31.5,41", 2.2)
    out += P("M24,43 Q28,47.5 32,46 L32,44 Q28,45 24,43 Z", WHITE, 2.2)
    out += P("M32,44 L40,44 L40,47 L32,47 Z", "#23232a", 1.6) + L("M35,44 L35,47 M38,44 L38,47", 1, metal)
    return out


# =================================================================== scenes
def cloud(x, y, s, fill="#ffffff", sw=0, extra=""):
    d = (f"M{x - 30 * s},{y + 8 * s} Q{x - 34 * s},{y - 6 * s} {x - 18 * s},{y - 6 * s} "
         f"Q{x - 14 * s},{y - 22 * s} {x + 2 * s},{y - 16 * s} Q{x + 14 * s},{y - 26 * s} {x + 22 * s},{y - 8 * s} "
         f"Q{x + 36 * s},{y - 6 * s} {x + 32 * s},{y + 8 * s} Z")
    return P(d, fill, sw, extra)


def mitt(x, y, r, fingers, skin=SKIN, sw=3):
    """A cartoon hand: palm plus finger stubs, outlined as one silhouette."""
    out = C(x, y, r, skin, sw)
    for dx, dy in fingers:
        out += L(f"M{x},{y} L{x + dx},{y + dy}", r * 0.7 + 2 * sw, OL)
    for dx, dy in fingers:
        out += L(f"M{x},{y} L{x + dx},{y + dy}", r * 0.7, skin)
    return out + C(x, y, r - 0.2, skin, 0)


def brummo_running():
    """Brummo at full stretch, running to the right, about 225 units tall, feet at y=250."""
    out = ""
    # back limbs first
    out += tube([(68, 104), (50, 134), (28, 128)], 11, B_SWEATER_SH)
    out += mitt(26, 127, 7, [(-7, -4), (-6, 3)])
    out += tube([(64, 166), (46, 202), (16, 210)], 15, "#34508a")
    out += P("M4,200 Q2,216 10,220 L20,218 Q22,208 14,200 Z", B_SHOE, 3)
    # a long thin body leaning into the chase
    out += P("M66,96 Q82,90 96,100 L84,168 Q70,174 58,166 Z", B_SWEATER, 3)
    out += L("M60,156 Q72,162 84,158", 2, B_SWEATER_SH)
    # front leg
    out += tube([(76, 166), (110, 196), (108, 240)], 15, B_JEANS)
    out += P("M98,236 L116,236 Q136,238 136,248 Q136,254 122,254 L98,254 Q94,246 98,236 Z", B_SHOE, 3)
    # head
    out += G(brummo_side("green", collar=False, mood="angry"), "translate(40,30) scale(1.05)")
    out += P("M62,94 Q80,102 98,96 L96,104 Q78,110 60,102 Z", B_SWEATER_SH, 2.4)
    # front arm reaching for Flitz
    out += tube([(90, 106), (114, 126), (140, 112)], 11, B_SWEATER)
    out += mitt(146, 110, 8, [(10, -9), (12, -3), (11, 3), (8, 9)])
    return out


def flitz_running():
    """Flitz sprinting to the right but looking back with a cheeky laugh; feet at y=250."""
    out = ""
    # back arm and back leg, kicked up behind him
    out += tube([(32, 72), (16, 86), (2, 84)], 9, F_RED)
    out += mitt(0, 84, 5.5, [(-4, -4)])
    out += tube([(30, 100), (18, 120), (-2, 118)], 11, "#2a2640")
    out += P("M-2,108 Q-16,108 -16,116 Q-16,124 -8,126 L2,126 Q4,116 -2,108 Z", F_SHOE, 3)
    body = "M30,62 Q42,58 52,66 L44,104 Q34,108 24,102 Z"
    out += stripes("fbody", body, 56, 110, 7, 3.5, F_RED, WHITE)
    # front leg stretched out in a big stride
    out += tube([(40, 100), (62, 112), (70, 136)], 11, F_PANTS)
    out += P("M62,132 L76,132 Q90,134 90,142 Q90,147 80,147 L62,147 Q58,140 62,132 Z", F_SHOE, 3)
    out += G(mirror(flitz_side("run", "laugh", body=False)), "translate(10,2)")
    out += tube([(48, 70), (64, 82), (76, 70)], 9, F_RED)
    out += mitt(77, 68, 5.5, [(4, -4)])
    return out


def splash():
    w, h = 251, 278
    out = f'<rect width="{w}" height="{h}" fill="#a6dcf7"/>'
    out += C(214, 40, 20, "#ffe066", 0) + C(214, 40, 14, "#fff0a0", 0)
    out += cloud(60, 40, 1.0) + cloud(170, 78, 0.7)
    # garden: hills, a tree, the fence, lawn and the path they race along
    out += P("M-5,160 Q60,120 130,150 Q190,128 260,150 L260,290 L-5,290 Z", "#8fd06a", 0)
    out += P(f"M0,152 L{w},152 L{w},172 L0,172 Z", "#3f8f3a", 0)
    for x in range(4, w, 30):
        out += C(x, 152, 16, "#4aa043", 0)
    out += P(f"M0,176 L{w},176 L{w},{h} L0,{h} Z", "#7cc84e", 0)
    out += L(f"M-2,162 L{w + 2},162", 4, "#c9b79a")
    for x in range(-4, w + 10, 18):
        out += P(f"M{x},186 L{x},152 L{x + 5},146 L{x + 10},152 L{x + 10},186 Z", WHITE, 1.8)
    out += L(f"M-2,168 L{w + 2},168", 4, "#efe7d8")
    out += P(f"M0,222 Q120,210 {w},220 L{w},{h} L0,{h} Z", "#e8cf95", 0)
    out += L(f"M0,222 Q120,210 {w},220", 3, "#c8ac6c")
    for x, y, c in ((20, 200, "#ff6f8f"), (46, 205, "#fff06a"), (228, 198, "#ff6f8f"), (200, 206, "#b07cff"),
                    (120, 200, "#fff06a")):
        out += C(x, y, 3.4, c, 1.4)
    # speed lines and dust say "fast" without any text
    for y, x0, x1 in ((104, 0, 26), (140, 0, 18), (168, 148, 166), (190, 140, 162), (212, 146, 164)):
        out += L(f"M{x0},{y} L{x1},{y}", 3, WHITE)
    out += G(brummo_running(), "translate(4,12) scale(0.98)")
    out += cloud(24, 258, 0.45, "#f5ecd6", 2) + cloud(156, 258, 0.35, "#f5ecd6", 2)
    out += G(flitz_running(), "translate(158,105)")
    return svg(w, h, out)


# ---------------------------------------------------------------- playing field
def spielfeld():
    """Drawn in the 476 x 291 shape the game shows it in; the build squeezes it into the stored size."""
    w, h = 476, 291
    line = "#6e5f55"

    def p(d, fill, sw=1.6, extra=""):
        return f'<path d="{d}" fill="{fill}" stroke="{line}" stroke-width="{sw}" stroke-linejoin="round"{extra}/>'

    out = ('<defs><linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">'
           '<stop offset="0" stop-color="#bfe0f2"/><stop offset="1" stop-color="#eef7fb"/></linearGradient></defs>')
    out += f'<rect width="{w}" height="{h}" fill="url(#sky)"/>'
    out += cloud(70, 40, 1.2, "#ffffff", 0, ' opacity="0.8"') + cloud(400, 30, 0.9, "#ffffff", 0, ' opacity="0.8"')
    out += P("M0,190 Q80,150 170,175 Q280,140 380,170 Q430,160 476,170 L476,240 L0,240 Z", "#bcd9a8", 0)
    # tree on the left
    out += p("M58,250 L62,170 L70,170 L74,250 Z", "#9c7a5c")
    for cx, cy, r in ((46, 160, 30), (86, 158, 32), (66, 128, 36), (40, 192, 22), (94, 190, 24)):
        out += C(cx, cy, r, "#8fbf76", 0, f' stroke="{line}" stroke-width="1.6"')
    for cx, cy, r in ((46, 160, 28), (86, 158, 30), (66, 128, 34), (40, 192, 20), (94, 190, 22)):
        out += C(cx, cy, r, "#8fbf76", 0)
    # garage
    out += p("M338,160 L444,160 L444,250 L338,250 Z", "#e6dccb")
    out += p("M332,152 L450,152 L450,162 L332,162 Z", "#a48a7a")
    out += p("M352,178 L430,178 L430,250 L352,250 Z", "#d3cbbd")
    for y in range(190, 250, 12):
        out += L(f"M352,{y} L430,{y}", 1.2, "#b7ae9f")
    # house body and roof
    out += p("M130,112 L346,112 L346,250 L130,250 Z", "#f1e6cf")
    out += p("M296,36 L316,36 L316,80 L296,80 Z", "#b5826c")
    out += p("M110,118 L238,34 L366,118 Z", "#c9917a")
    for i in range(1, 5):
        y = 34 + i * 17
        half = (y - 34) * 128 / 84
        out += L(f"M{238 - half:.1f},{y} L{238 + half:.1f},{y}", 1.2, "#b37c66")
    out += C(238, 82, 14, "#dcebf2", 0, f' stroke="{line}" stroke-width="1.6"') + L("M224,82 L252,82 M238,68 L238,96", 1.4, line)

    def window(x, y, wdt, hgt):
        o = p(f"M{x - 9},{y} L{x},{y} L{x},{y + hgt} L{x - 9},{y + hgt} Z", "#a9b9a0")
        o += p(f"M{x + wdt},{y} L{x + wdt + 9},{y} L{x + wdt + 9},{y + hgt} L{x + wdt},{y + hgt} Z", "#a9b9a0")
        o += p(f"M{x},{y} L{x + wdt},{y} L{x + wdt},{y + hgt} L{x},{y + hgt} Z", "#dcebf2")
        o += L(f"M{x + wdt / 2},{y} L{x + wdt / 2},{y + hgt} M{x},{y + hgt / 2} L{x + wdt},{y + hgt / 2}", 2, "#fbf8f2")
        o += p(f"M{x - 3},{y + hgt} L{x + wdt + 3},{y + hgt} L{x + wdt + 3},{y + hgt + 5} L{x - 3},{y + hgt + 5} Z", "#fbf8f2", 1.2)
        return o

    out += window(160, 126, 40, 34) + window(276, 126, 40, 34)
    out += window(158, 180, 44, 40) + window(274, 180, 44, 40)
    # door with a little canopy and a step
    out += p("M218,182 L258,182 L258,250 L218,250 Z", "#a8805e")
    out += p("M224,190 L252,190 L252,214 L224,214 Z", "#b99272", 1.2)
    out += C(251, 220, 2.4, "#e8d48a", 1)
    out += p("M210,176 L266,176 L260,170 L216,170 Z", "#b5826c")
    out += p("M212,250 L264,250 L264,256 L212,256 Z", "#cfc7bb")
    # front garden, bushes and fence
    out += P(f"M0,250 L{w},250 L{w},262 L0,262 Z", "#a7cf8e", 0)
    out += p("M214,256 L262,256 L272,262 L204,262 Z", "#ddd3c2", 1.2)
    for cx in (140, 170, 310, 336):
        out += C(cx, 248, 12, "#86b86f", 0, f' stroke="{line}" stroke-width="1.4"')
    for x in list(range(4, 200, 14)) + list(range(278, w, 14)):
        out += p(f"M{x},264 L{x},242 L{x + 4},238 L{x + 8},242 L{x + 8},264 Z", "#f4f1ea", 1.2)
    out += L("M0,250 L200,250 M278,250 L476,250", 3, "#e6e1d6")
    out += P(f"M0,264 L{w},264 L{w},276 L0,276 Z", "#d4cfc6", 0)
    out += L(f"M0,276 L{w},276", 2, "#b3aea5")
    out += P(f"M0,277 L{w},277 L{w},{h} L0,{h} Z", "#9a9ea2", 0)
    for x in range(10, w, 60):
        out += L(f"M{x},285 L{x + 28},285", 2, "#d9d9d2")
    return svg(w, h, out)


# ---------------------------------------------------------------- winner
def sunburst(cx, cy, n, r, c1, c2):
    out = f'<rect x="-10" y="-10" width="2000" height="2000" fill="{c1}"/>'
    for i in range(0, n, 2):
        a0 = 2 * math.pi * i / n
        a1 = 2 * math.pi * (i + 1) / n
        out += (f'<path d="M{cx},{cy} L{cx + r * math.cos(a0):.1f},{cy + r * math.sin(a0):.1f} '
                f'L{cx + r * math.cos(a1):.1f},{cy + r * math.sin(a1):.1f} Z" fill="{c2}"/>')
    return out


def star(cx, cy, r, fill):
    pts = []
    for i in range(10):
        rr = r if i % 2 == 0 else r * 0.45
        a = -math.pi / 2 + i * math.pi / 5
        pts.append(f"{cx + rr * math.cos(a):.1f},{cy + rr * math.sin(a):.1f}")
    return P("M" + " L".join(pts) + " Z", fill, 2.2)


def open_hand(x, y, up_angle, s=1.0):
    """A raised open hand with spread fingers, fingers pointing roughly up."""
    out = ""
    for k, a in enumerate((-75, -34, -10, 14, 38)):
        ang = math.radians(a + up_angle - 90)
        ln = (20 if k == 0 else 30 - abs(k - 2) * 3) * s
        x1 = x + math.cos(ang) * ln
        y1 = y + math.sin(ang) * ln
        out += L(f"M{x},{y} L{x1:.1f},{y1:.1f}", 9 * s + 6, OL)
    for k, a in enumerate((-75, -34, -10, 14, 38)):
        ang = math.radians(a + up_angle - 90)
        ln = (20 if k == 0 else 30 - abs(k - 2) * 3) * s
        x1 = x + math.cos(ang) * ln
        y1 = y + math.sin(ang) * ln
        out += L(f"M{x},{y} L{x1:.1f},{y1:.1f}", 9 * s, SKIN)
    out += C(x, y + 4 * s, 14 * s, SKIN, 0)
    return out


def ondie():
    teal, teal_sh = "#2bb3a3", "#1c7f74"
    hair = "#c0522a"
    out = ""
    # arms up in surprise
    out += tube([(112, 262), (70, 205)], 34, teal)
    out += tube([(70, 205), (58, 130)], 24, SKIN)
    out += tube([(216, 262), (258, 205)], 34, teal)
    out += tube([(258, 205), (270, 130)], 24, SKIN)
    out += open_hand(58, 116, -14) + open_hand(270, 116, 14)
    out += L("M54,197 Q70,212 86,205 M242,205 Q258,212 274,197", 3, teal_sh)
    # body
    out += P("M80,330 C84,262 118,236 164,236 C210,236 244,262 248,330 Z", teal, 3)
    out += P("M140,238 L164,262 L188,238 Z", WHITE, 3)
    out += L("M164,262 L164,330", 2.4, teal_sh)
    for y in (280, 305):
        out += C(164, y, 3.2, WHITE, 2)
    out += P("M164,252 L140,240 L140,264 Z", "#ffd23a", 3) + P("M164,252 L188,240 L188,264 Z", "#ffd23a", 3)
    out += C(164, 252, 6, "#ff5a3c", 3)
    # head
    out += E(104, 152, 13, 17, SKIN, 3) + E(224, 152, 13, 17, SKIN, 3)
    out += L("M100,146 Q96,154 102,160 M228,146 Q232,154 226,160", 2.4, SKIN_SH)
    out += P("M108,150 C106,96 130,82 164,82 C198,82 222,96 220,150 C220,198 196,226 164,226 "
             "C132,226 108,198 108,150 Z", SKIN, 3.5)
    for cx, cy, r in ((112, 118, 13), (104, 132, 11), (118, 104, 12)):
        out += C(cx, cy, r, hair, 3)
    for cx, cy, r in ((216, 118, 13), (224, 132, 11), (210, 104, 12)):
        out += C(cx, cy, r, hair, 3)
    out += L("M164,84 C150,66 170,52 180,64 C186,72 176,80 170,74", 6, OL) + L("M164,84 C150,66 170,52 180,64 C186,72 176,80 170,74", 3, hair)
    # eyes wide open, tiny pupils, brows flung up
    out += E(142, 140, 15, 19, WHITE, 3) + E(186, 140, 15, 19, WHITE, 3)
    out += C(143, 142, 5, OL, 0) + C(185, 142, 5, OL, 0)
    out += L("M124,106 Q140,94 156,104 M172,104 Q188,94 204,106", 5)
    out += C(120, 178, 9, CHEEK, 0, ' opacity="0.6"') + C(208, 178, 9, CHEEK, 0, ' opacity="0.6"')
    out += E(164, 168, 9, 8, SKIN_SH, 2.6)
    out += E(164, 200, 12, 15, "#7a1420", 3)
    out += P("M155,208 Q164,200 173,208 Q170,214 164,214 Q158,214 155,208 Z", "#ff6f7f", 0)
    return out


def exclaim(x, y, rot, fill="#e0303c"):
    inner = P("M-5,-30 L5,-30 L3,2 L-3,2 Z", fill, 2.6) + C(0, 11, 5, fill, 2.6)
    return G(inner, f"translate({x},{y}) rotate({rot})")


def winner():
    w, h = 329, 321
    out = sunburst(164, 160, 28, 420, "#ffd84a", "#ffc21a")
    confetti = [(30, 40, 20, "#e0303c"), (290, 60, -30, "#2f6fe0"), (40, 250, 40, "#34a853"),
                (300, 240, -10, "#ff6fa8"), (110, 20, 60, "#8e44c8"), (230, 24, -50, "#34a853"),
                (18, 150, 10, "#2f6fe0"), (314, 150, 30, "#e0303c"), (70, 300, -20, "#8e44c8"),
                (266, 300, 50, "#2f6fe0")]
    for x, y, r, c in confetti:
        out += G(P("M-6,-3 L6,-3 L6,3 L-6,3 Z", c, 1.6), f"translate({x},{y}) rotate({r})")
    out += star(30, 96, 11, WHITE) + star(300, 110, 13, WHITE) + star(254, 34, 8, WHITE) + star(76, 40, 8, WHITE)
    out += ondie()
    out += exclaim(106, 52, -18) + exclaim(226, 52, 18)
    out += L("M96,84 L84,76 M232,84 L244,76", 3.4)
    return svg(w, h, out)


# ---------------------------------------------------------------- loser
def brummo_front_head(cap="green"):
    """Brummo seen from the front, in despair; head centre near (103,118)."""
    cap_c, cap_sh = CAPS[cap]
    out = ""
    out += E(60, 118, 10, 15, SKIN, 3) + E(146, 118, 10, 15, SKIN, 3)
    face = "M64,96 C64,60 142,60 142,96 L142,122 C142,152 128,172 103,172 C78,172 64,152 64,122 Z"
    out += P(face, SKIN, 3.5)
    out += P("M70,140 C76,156 90,166 103,166 C116,166 130,156 136,140 C140,152 128,172 103,172 C78,172 66,152 70,140 Z",
             B_STUBBLE, 0, ' opacity="0.3"')
    for x, y in ((80, 158), (88, 164), (96, 167), (110, 167), (118, 164), (126, 158), (84, 150), (122, 150),
                 (100, 171), (106, 171)):
        out += C(x, y, 1.3, B_STUBBLE, 0, ' opacity="0.75"')
    out += P(face, "none", 3.5)
    # worried eyes, brows pushed up in the middle
    out += E(84, 110, 10, 12, WHITE, 3) + E(122, 110, 10, 12, WHITE, 3)
    out += C(85, 106, 3.6, OL, 0) + C(121, 106, 3.6, OL, 0)
    out += L("M70,98 Q82,96 94,88 M112,88 Q124,96 136,98", 4.4, B_HAIR)
    out += P("M74,121 Q72,131 76,133 Q80,131 78,121 Z", "#8fd3ff", 1.6)
    # the nose
    out += C(103, 132, 17, SKIN, 3.5)
    out += C(103, 134, 12, B_NOSE, 0)
    out += C(97, 125, 4.5, "#ffe0d0", 0)
    out += C(96, 141, 2.6, "#b0604a", 0) + C(110, 141, 2.6, "#b0604a", 0)
    # trembling mouth
    out += P("M86,156 Q92,150 98,155 Q103,151 108,155 Q114,150 120,156 Q116,164 103,163 Q90,164 86,156 Z", "#7a1420", 2.6)
    out += P("M90,155 Q94,152 98,156 Q103,153 108,156 Q112,152 116,155 L114,157 L92,157 Z", WHITE, 0)
    # hair tufts and the cap
    out += P("M64,82 L56,90 L64,92 L58,100 L68,98 Z", B_HAIR, 2.4) + P("M142,82 L150,90 L142,92 L148,100 L138,98 Z", B_HAIR, 2.4)
    out += P("M56,84 C52,34 154,34 150,84 Z", cap_c, 3.5)
    out += L("M103,40 Q100,62 103,82 M80,46 Q76,64 78,82 M126,46 Q130,64 128,82", 2.4, cap_sh)
    out += C(103, 38, 5, cap_c, 3)
    out += P("M52,82 Q103,72 154,82 L154,90 Q103,80 52,90 Z", cap_sh, 3)
    out += P("M58,88 Q103,78 148,88 Q150,100 103,98 Q56,100 58,88 Z", cap_sh, 3)
    return out


def loser():
    w, h = 206, 233
    out = f'<rect width="{w}" height="{h}" fill="#8d9cb3"/>'
    out += C(103, 140, 120, "#a3b0c4", 0)
    out += L("M30,20 L24,44 M50,30 L44,54 M150,28 L144,52 M172,18 L166,42 M186,40 L180,64 M16,52 L10,76", 2.4, "#6a7a94")
    out += cloud(103, 20, 1.3, "#6f7b8e", 3)
    out += P("M150,30 L142,44 L150,44 L144,58 L158,40 L150,40 L156,30 Z", "#ffe066", 2)
    # sweater and shoulders
    out += P("M14,240 C18,196 58,178 103,178 C148,178 188,196 192,240 Z", B_SWEATER, 3.5)
    out += P("M86,160 L120,160 L120,184 L86,184 Z", SKIN, 3)
    out += P("M80,180 Q103,196 126,180 L128,188 Q103,204 78,188 Z", B_SWEATER_SH, 3)
    # arms bent up so the hands can clutch the head
    out += tube([(44, 200), (20, 150), (40, 110)], 24, B_SWEATER)
    out += tube([(162, 200), (186, 150), (166, 110)], 24, B_SWEATER)
    out += G(brummo_front_head(), "rotate(-5 103 118)")
    for side in (1, -1):
        cx = 103 - side * 50
        hand_d = (f"M{cx - side * 14},{118} Q{cx - side * 20},{96} {cx - side * 6},{84} "
                  f"Q{cx + side * 12},{72} {cx + side * 18},{88} Q{cx + side * 14},{112} {cx + side * 2},{124} Z")
        out += P(hand_d, SKIN, 3)
        for k in range(3):
            y0 = 84 + k * 10
            out += L(f"M{cx + side * 4},{y0} Q{cx + side * 14},{y0 + 2} {cx + side * 14},{y0 + 8}", 2.4)
    out += P("M22,60 Q16,72 22,76 Q28,72 22,60 Z", "#8fd3ff", 2) + P("M186,54 Q180,66 186,70 Q192,66 186,54 Z", "#8fd3ff", 2)
    out += L("M30,90 L18,86 M176,90 L188,86 M34,78 L24,70 M172,78 L182,70", 3)
    return svg(w, h, out)


def build_scenes():
    return {"splash": splash(), "spielfeld": spielfeld(), "winner": winner(), "loser": loser()}


def main():
    os.makedirs(ART, exist_ok=True)
    files = build_icons()
    files.update(build_scenes())
    for name, text in files.items():
        with open(os.path.join(ART, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
