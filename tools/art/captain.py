# Writes the drowned captain's art recipe, data/art/boat_captain.txt.
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from recipe_lines import *  # noqa: E402,F403

HEADER = '''# The drowned captain of the Stern (boat_03), written by
# tools/art/captain.py: change the script, then run
#   python3 tools/art/captain.py > data/art/boat_captain.txt
# (the source checks compare the two). The deck's cannons flash as it fires;
# each section raises its two cutlasses while the ghost-fire in its crack
# swells, and flings them at frame 10; a lost section is a splintered stump;
# the skull's jaw drops to scream, its eyes burning when it is left alone.
# Its palette "bossboat" is in boat_bosses.txt.
'''

OUT = "#05080C"
GHOST = "#7FE0C8"

def wisps(fr, top, bottom, phase, x0=56, x1=200):
    # the ghost-light that binds the floating sections of the captain
    for k in range(5):
        x = lerp(x0 + 10, x1 - 10, k / 4)
        h = 6 + 4 * math.sin(phase + k * 1.7)
        if top is not None:
            fr.ellipse(x, top, 12, h, GHOST + "30")
        if bottom is not None:
            fr.ellipse(x, bottom, 12, h, GHOST + "30")

def cutlass(fr, hand, ang, glint=False):
    d = (math.cos(ang), math.sin(ang))
    n = (-d[1], d[0])
    tip = add(hand, (d[0] * 66, d[1] * 66))
    base = add(hand, (d[0] * 8, d[1] * 8))
    # a curved blade: a wide triangle pair
    mid = add(add(hand, (d[0] * 42, d[1] * 42)), (n[0] * 8, n[1] * 8))
    fr.tri(add(base, (n[0] * 5, n[1] * 5)), add(base, (-n[0] * 3, -n[1] * 3)), mid, 6)
    fr.tri(add(base, (-n[0] * 3, -n[1] * 3)), mid, tip, 6)
    fr.tri(add(base, (n[0] * 5, n[1] * 5)), mid, add(mid, (n[0] * 3, n[1] * 3)), 6)
    fr.line(base, tip, 1, "#A8B4B8")
    # guard and grip
    fr.line(add(hand, (n[0] * 8, n[1] * 8)), add(hand, (-n[0] * 8, -n[1] * 8)), 4, 4)
    fr.line(hand, add(hand, (-d[0] * 10, -d[1] * 10)), 5, 1)
    if glint:
        fr.ellipse(mid[0], mid[1], 4, 4, "#FFFFFFC0")

def arm(fr, shoulder, hand, sleeve=5, cuff=4):
    hand = reach(shoulder, hand, 60)
    e1, e2 = ik(shoulder, hand, 32, 30, 1), ik(shoulder, hand, 32, 30, -1)
    elbow = e1 if abs(e1[0] - 128) > abs(e2[0] - 128) else e2
    fr.line(shoulder, elbow, 18, 0)
    fr.line(shoulder, elbow, 14, sleeve)
    fr.line(elbow, hand, 16, 0)
    fr.line(elbow, hand, 12, sleeve)
    fr.ellipse(elbow[0], elbow[1], 7, 7, sleeve)
    cf = lerpp(elbow, hand, 0.7)
    fr.line(cf, lerpp(elbow, hand, 0.85), 16, cuff)
    fr.ellipse(hand[0], hand[1], 7, 7, 6)
    fr.ellipse(hand[0] - 2, hand[1] - 2, 3, 3, "#FFFFFF")
    return hand

def section_body(fr, top, bottom, bob, kind):
    """The carved body of a section: a barrel of planks dressed in the coat."""
    t, b = top + bob, bottom + bob
    # planks behind (the totem's wood)
    fr.poly([(66, t), (190, t), (200, t + 40), (202, b - 40), (194, b), (62, b), (54, b - 40), (56, t + 40)], 1)
    for k in range(7):
        x = 66 + k * 20
        fr.rect(x, t + 2, 2, b - t - 4, 2)
    # the iron hoops that bind the section
    fr.rect(58, t + 2, 140, 5, 0)
    fr.rect(58, b - 7, 140, 5, 0)
    # the coat
    if kind == 1:
        # skirts of the coat over the breeches and boots
        fr.poly([(64, t), (192, t), (212, b - 28), (44, b - 28)], 5)
        fr.poly([(44, b - 28), (212, b - 28), (214, b - 24), (42, b - 24)], 4)
        fr.poly([(118, t + 20), (138, t + 20), (146, b - 26), (110, b - 26)], 1)
        for x in (84, 172):
            fr.line((x, t + 30), (x + (x - 128) * 0.2, b - 32), 3, "#7A2A22")
        for y in (t + 40, t + 62, t + 84):
            fr.ellipse(104, y, 3, 3, 4)
            fr.ellipse(152, y, 3, 3, 4)
        # breeches and boots
        for x in (96, 160):
            fr.rect(x - 16, b - 30, 32, 14, 6)
            fr.poly([(x - 20, b - 18), (x + 20, b - 18), (x + 22, b), (x - 24, b)], 0)
            fr.rect(x - 20, b - 18, 40, 4, 2)
            fr.rect(x + 2, b - 14, 4, 4, 4)
        # the sash with its knot
        fr.rect(64, t + 6, 128, 14, 2)
        fr.rect(64, t + 6, 128, 3, 3)
        fr.rect(118, t + 2, 20, 22, 4)
        fr.rect(123, t + 7, 10, 12, 1)
        fr.tri((140, t + 18), (150, t + 18), (156, t + 48), 2)
    elif kind == 2:
        # the waist: coat fronts with two rows of bone buttons, a bandolier
        fr.poly([(66, t), (190, t), (204, t + 40), (206, b - 40), (196, b), (60, b), (50, b - 40), (52, t + 40)], 5)
        fr.poly([(112, t), (144, t), (140, b), (116, b)], 4)
        fr.poly([(116, t), (140, t), (136, b), (120, b)], 6)
        for k in range(4):
            y = t + 16 + k * 30
            fr.ellipse(104, y, 4, 4, 4)
            fr.ellipse(152, y, 4, 4, 4)
        fr.line((64, t + 8), (196, b - 10), 12, 1)
        fr.line((64, t + 8), (196, b - 10), 8, 2)
        for k in range(5):
            p = lerpp((76, t + 16), (184, b - 18), k / 4)
            fr.rect(p[0] - 3, p[1] - 4, 6, 8, 4)
    else:
        # the chest: lapels, epaulettes and the cravat
        fr.poly([(50, t + 16), (206, t + 16), (200, b), (56, b)], 5)
        fr.poly([(96, t + 10), (160, t + 10), (128, b - 10)], 6)
        fr.poly([(108, t + 14), (148, t + 14), (128, t + 60)], "#F4F0E4")
        fr.poly([(96, t + 10), (112, t + 10), (128, b - 10), (118, b - 4)], 0)
        fr.poly([(160, t + 10), (144, t + 10), (128, b - 10), (138, b - 4)], 0)
        fr.rect(50, t + 16, 156, 3, 4)
        for x, side in ((56, -1), (200, 1)):
            fr.ellipse(x, t + 20, 26, 12, 4)
            fr.ellipse(x, t + 18, 22, 8, "#E8C98A")
            for k in range(6):
                fr.rect(x - 22 + k * 8, t + 28, 3, 12, 4)
        # the medal of the drowned fleet
        fr.ellipse(88, t + 70, 8, 8, 4)
        fr.ellipse(88, t + 70, 4, 4, 5)
        fr.rect(85, t + 50, 6, 12, 0)
    # the coat's volume: lit from the west, in shadow to the east
    fr.poly([(64, t + 6), (76, t + 6), (66, b - 6), (56, b - 20)], "#FFFFFF22")
    fr.poly([(180, t + 6), (192, t + 6), (202, b - 20), (190, b - 6)], "#0E1B2450")
    return (t, b)

def part_frame(kind, i, mode):
    """mode: idle, attack, dead."""
    fr = Frame()
    if mode == "dead":
        # a splintered stump, the coat in rags, the fire gone out
        fr.poly([(60, 150), (196, 150), (200, 100), (176, 84), (150, 104), (128, 70), (100, 102), (76, 80), (56, 104)], 1)
        for k in range(7):
            x = 64 + k * 20
            fr.rect(x, 96 + (k * 7) % 11, 2, 52 - (k * 7) % 11, 2)
        fr.poly([(60, 150), (196, 150), (198, 126), (170, 116), (140, 132), (110, 114), (80, 130), (58, 120)], 5)
        fr.tri((76, 80), (86, 96), (66, 98), 3)
        fr.tri((128, 70), (138, 96), (118, 96), 3)
        fr.tri((176, 84), (184, 100), (166, 98), 3)
        fr.speckle(60, 80, 136, 70, 0, 60)
        fr.ellipse(128, 150, 90, 6, "#0E1B2480")
        return fr.lines
    phase = i * math.pi / 2
    bob = round(math.sin(phase) * 1.5) if mode == "idle" else 0
    if mode == "attack":
        shake = (1 if i % 2 else -1) if 4 <= i <= 9 else 0
        bob = shake
    t, b = 14, 150
    wisps(fr, t + 4, b - 2, phase)
    # arms and blades behind the body when raised
    sh_l, sh_r = (62, t + 34 + bob), (194, t + 34 + bob)
    if mode == "idle":
        sw = math.sin(phase) * 4
        hl, hr = (30, 110 + sw), (226, 110 - sw)
        al, ar = math.radians(100), math.radians(80)
        blades = True
    else:
        if i <= 3:
            u = i / 3
        elif i <= 9:
            u = 1
        else:
            u = 0
        lift = 0.5 - 0.5 * math.cos(u * math.pi)
        hl = (lerp(30, 26, lift), lerp(110, 76, lift))
        hr = (lerp(226, 230, lift), lerp(110, 76, lift))
        al = lerp(math.radians(100), math.radians(250), lift)
        ar = lerp(math.radians(80), math.radians(-70), lift)
        blades = i <= 9
        if i >= 10:
            # thrown: the arms are flung out, empty
            hl, hr = (12, 60 + (i - 10) * 20), (244, 60 + (i - 10) * 20)
    section_body(fr, t, b, bob, kind)
    # the crack and its ghost-fire: wider while the section attacks
    glow = 0
    if mode == "attack":
        glow = [1, 2, 3, 4, 5, 6, 5, 6, 5, 6, 3, 1][i]
    cy = (60 if kind == 1 else 84 if kind == 2 else 112) + bob
    w = 4 + glow
    crack = [(128, cy - 22), (128 + w, cy - 8), (124 + w, cy + 2), (128 + w * 0.8, cy + 18), (128, cy + 26),
             (128 - w * 0.8, cy + 14), (132 - w, cy), (128 - w, cy - 10)]
    fr.poly([(x + (2 if x > 128 else -2 if x < 128 else 0), y) for x, y in crack], 0)
    fr.poly(crack, 7)
    fr.poly([(128, cy - 14), (128 + w * 0.4, cy), (128, cy + 16), (128 - w * 0.4, cy)], "#FFE0A0")
    if glow >= 4:
        fr.ellipse(128, cy, 20 + glow * 2, 24 + glow * 2, "#FF8A3D38")
    if blades:
        cutlass(fr, hl, al, glint=(mode == "attack" and i in (5, 8)))
        cutlass(fr, hr, ar, glint=(mode == "attack" and i in (6, 9)))
    arm(fr, sh_l, hl)
    arm(fr, sh_r, hr)
    return fr.lines

def head_frame(i, mode, enraged):
    """mode idle / scream. 256 x 192."""
    fr = Frame()
    phase = i * math.pi / 2
    bob = round(math.sin(phase) * 1.5) if mode == "idle" else 0
    jaw = 0
    lean = 0
    if mode == "scream":
        jaw = [2, 5, 10, 15, 18, 18, 16, 8][i]
        lean = [0, -2, -4, -2, 0, 0, 0, 0][i]
        bob = [0, -2, -4, -2, 0, 1, 0, 0][i]
    y0 = bob + lean
    wisps(fr, None, 186, phase)
    # the beard, a mass of dark weed-like strands
    fr.poly([(80, 112 + y0), (176, 112 + y0), (168, 160 + y0 + jaw), (128, 184 + jaw), (88, 160 + y0 + jaw)], 1)
    for k in range(7):
        x = 88 + k * 13
        fr.line((x, 120 + y0), (x + (k - 3) * 2, 166 + y0 + jaw - abs(k - 3) * 4), 4, 2)
    # the skull
    fr.ellipse(128, 100 + y0, 54, 52, 0)
    fr.ellipse(128, 98 + y0, 50, 48, 6)
    fr.ellipse(116, 86 + y0, 28, 24, "#F4F0E4")
    fr.ellipse(128, 132 + y0, 34, 16, "#C8C0AC")
    # the eye sockets and their fire
    ec = "#FFE0A0" if enraged else 7
    for x in (106, 150):
        fr.ellipse(x, 98 + y0, 15, 13, 0)
        fr.ellipse(x, 100 + y0, 7, 6, 7)
        fr.ellipse(x, 100 + y0, 3, 3, ec)
        if enraged or jaw > 14:
            fr.ellipse(x, 98 + y0, 20, 18, "#FF8A3D50")
            fr.tri((x - 6, 90 + y0), (x + 6, 90 + y0), (x, 74 + y0 - (i % 2) * 4), "#FF8A3DA0")
    # nose
    fr.tri((122, 124 + y0), (134, 124 + y0), (128, 112 + y0), 0)
    # the jaw: teeth above, the lower jaw dropping to scream
    fr.rect(100, 134 + y0, 56, 4, 0)
    for k in range(7):
        fr.rect(102 + k * 8, 136 + y0, 6, 7, 6)
    if jaw > 2:
        fr.poly([(100, 143 + y0), (156, 143 + y0), (150, 143 + y0 + jaw), (106, 143 + y0 + jaw)], 0)
        fr.ellipse(128, 143 + y0 + jaw * 0.6, 16, jaw * 0.35, 7 if jaw > 10 else 1)
    fr.poly([(98, 143 + y0 + jaw), (158, 143 + y0 + jaw), (150, 158 + y0 + jaw), (106, 158 + y0 + jaw)], 6)
    for k in range(6):
        fr.rect(106 + k * 8, 141 + y0 + jaw, 6, 5, "#F4F0E4")
    # the tricorn hat
    hy = 52 + y0
    fr.poly([(20, hy + 10), (128, hy - 52), (236, hy + 10), (128, hy + 28)], 0)
    fr.poly([(26, hy + 8), (128, hy - 48), (230, hy + 8), (128, hy + 23)], 1)
    fr.poly([(56, hy - 4), (200, hy - 4), (180, hy - 40), (76, hy - 40)], 1)
    fr.ellipse(128, hy - 38, 52, 14, 1)
    fr.line((26, hy + 8), (128, hy + 23), 4, 4)
    fr.line((230, hy + 8), (128, hy + 23), 4, 4)
    fr.line((128, hy - 48), (26, hy + 8), 3, 4)
    fr.line((128, hy - 48), (230, hy + 8), 3, 4)
    # the skull and bones of the hat
    fr.line((114, hy - 6), (142, hy + 14), 4, 6)
    fr.line((142, hy - 6), (114, hy + 14), 4, 6)
    fr.ellipse(128, hy - 2, 10, 9, 6)
    fr.rect(122, hy - 3, 4, 4, 0)
    fr.rect(130, hy - 3, 4, 4, 0)
    # a red plume
    sway = math.sin(phase) * 3
    fr.poly([(170, hy - 30), (182, hy - 34), (218 + sway, hy - 58), (206 + sway, hy - 60)], 5)
    fr.line((176, hy - 32), (212 + sway, hy - 58), 2, "#C85040")
    if mode == "scream" and jaw >= 15:
        # the scream's rings
        for k, rr in enumerate((36, 52)):
            rr += (i % 2) * 6
            fr.ellipse(128, 150 + jaw * 0.5, rr, rr * 0.45, "#FF8A3D30")
    return fr.lines

def base_frame(i, mode):
    """320 x 160: the gun deck the captain stands on."""
    fr = Frame()
    bob = 0
    # the deck's carcass
    fr.poly([(16, 40), (304, 40), (312, 160), (8, 160)], 1)
    fr.rect(16, 36, 288, 10, 3)
    fr.rect(16, 36, 288, 3, 4)
    for k in range(9):
        fr.rect(20 + k * 32, 48, 3, 112, 2)
    for y in (70, 100, 130):
        fr.rect(12, y, 296, 3, 2)
    # the rail above with its balusters
    fr.rect(16, 20, 288, 6, 3)
    fr.rect(16, 20, 288, 2, 4)
    for k in range(15):
        fr.rect(22 + k * 19, 26, 6, 10, 2)
        fr.ellipse(25 + k * 19, 31, 4, 3, 3)
    # iron bands and the stern lanterns
    fr.rect(8, 150, 304, 10, 0)
    fr.rect(8, 150, 304, 2, 2)
    # the captain's stand: a carved plinth
    fr.poly([(168, 40), (288, 40), (296, 84), (160, 84)], 2)
    fr.rect(164, 40, 128, 4, 4)
    fr.ellipse(228, 62, 16, 12, 0)
    fr.ellipse(228, 62, 10, 8, 4)
    fr.ellipse(228, 62, 5, 4, 5)
    # the cannons: one ported low in the west, one on the east side
    fire = 0
    if mode == "attack":
        fire = [3, 5, 4, 3, 2, 1][i]
    for (px, py, dirx) in ((52, 98, -1), (268, 126, 1)):
        fr.ellipse(px, py, 22, 18, 0)
        fr.ellipse(px, py, 18, 14, 1)
        barrel_end = (px + dirx * 34, py)
        fr.line((px - dirx * 4, py), barrel_end, 16, 0)
        fr.line((px - dirx * 4, py - 1), barrel_end, 12, "#3A4048")
        fr.line((px - dirx * 2, py - 4), (barrel_end[0], py - 4), 3, "#6A7480")
        fr.ellipse(barrel_end[0], py, 6, 8, 0)
        fr.ellipse(barrel_end[0] + dirx * 2, py, 3, 5, 7 if fire else 0)
        if fire:
            f = fire
            fr.ellipse(barrel_end[0] + dirx * (6 + f * 2), py, 4 + f * 2, 3 + f * 2, "#FFE0A0")
            fr.ellipse(barrel_end[0] + dirx * (8 + f * 3), py, 6 + f * 3, 5 + f * 2, "#FF8A3DB0")
            fr.ellipse(barrel_end[0] + dirx * (10 + f * 5), py - f * 3, 6 + f * 3, 5 + f * 3, "#8A8A8A60")
    # a hanging lantern at the middle, its light breathing
    glow = [0, 1, 2, 1][i % 4] if mode == "idle" else 3
    fr.line((128, 40), (128, 56), 2, 0)
    fr.rect(120, 56, 16, 22, 0)
    fr.rect(122, 58, 12, 18, 7)
    fr.rect(125, 60, 6, 14, "#FFE0A0")
    fr.ellipse(128, 67, 20 + glow * 3, 18 + glow * 3, "#FF8A3D30")
    fr.rect(118, 54, 20, 4, 3)
    fr.rect(118, 76, 20, 4, 3)
    # wisps at the plinth where the legs float above it
    fr.ellipse(228, 40, 54, 6 + glow, GHOST + "40")
    return fr.lines

def emit():
    out = []
    bb = ["box 32 150 288 0 2"]
    out.append(obj("NPC_Boss2_Boat_GraphicalBaseIdle", 320, 160, "boat/boss2.png", "bossboat", 4, 200, False, bb, [],
                   [base_frame(i, "idle") for i in range(4)], OUT))
    out.append(obj("NPC_Boss2_Boat_GraphicalBaseAttack", 320, 160, "boat/boss2.png", "bossboat", 6, 100, True, bb, [],
                   [base_frame(i, "attack") for i in range(6)], OUT))
    pb = ["box 32 150 224 10 2"]
    for k in (1, 2, 3):
        out.append(obj(f"NPC_Boss2_Boat_GraphicalPart{k}Idle", 256, 160, "boat/boss2.png", "bossboat", 4, 200, False, pb, [],
                       [part_frame(k, i, "idle") for i in range(4)], OUT))
        out.append(obj(f"NPC_Boss2_Boat_GraphicalPart{k}Atatck", 256, 160, "boat/boss2.png", "bossboat", 12, 280, True, pb, [],
                       [part_frame(k, i, "attack") for i in range(12)], OUT))
        out.append(obj(f"NPC_Boss2_Boat_GraphicalPart{k}Dead", 256, 160, "boat/boss2.png", "bossboat", 1, 200, False, [], [],
                       [part_frame(k, 0, "dead")], OUT))
    hb = ["box 48 180 208 20 2"]
    out.append(obj("NPC_Boss2_Boat_GraphicalHeadIdle", 256, 192, "boat/boss2.png", "bossboat", 4, 200, False, hb, [],
                   [head_frame(i, "idle", False) for i in range(4)], OUT))
    out.append(obj("NPC_Boss2_Boat_GraphicalHeadIdle2", 256, 192, "boat/boss2.png", "bossboat", 4, 150, False, hb, [],
                   [head_frame(i, "idle", True) for i in range(4)], OUT))
    out.append(obj("NPC_Boss2_Boat_GraphicalHeadScream", 256, 192, "boat/boss2.png", "bossboat", 8, 150, True, hb, [],
                   [head_frame(i, "scream", False) for i in range(8)], OUT))
    out.append(obj("NPC_Boss2_Boat_GraphicalHeadScream2", 256, 192, "boat/boss2.png", "bossboat", 8, 150, True, hb, [],
                   [head_frame(i, "scream", True) for i in range(8)], OUT))
    return "\n".join(out) + "\n"

if __name__ == "__main__":
    sys.stdout.write(HEADER + emit())
