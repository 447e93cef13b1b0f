# Writes the frost sentinel's art recipe, data/art/snow_sentinel.txt.
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from recipe_lines import *  # noqa: E402,F403

HEADER = '''# The frost sentinel of the Glacier Throat (snow_03), written by
# tools/art/sentinel.py: change the script, then run
#   python3 tools/art/sentinel.py > data/art/snow_sentinel.txt
# (the source checks compare the two). It wakes from its block of ice (the
# shell cracks and falls, it rises, its visor lights), raises its shield,
# lifts its maul overhead while the frost gathers and strikes the ground at
# frame 13 (the spikes leave a frame later), and screams with its arms up
# while the imps fall. Its palette "bosssnow" is in snow_bosses.txt.
'''

ACC = "#FF4FD8"
ACC2 = "#FFC0F0"
OUT = "#06101A"
BOXES = ["box 48 300 208 0 2", "box 64 200 192 0 5"]

def pose(**kw):
    p = dict(by=0, lean=0, hr=(196, 200), hl=(70, 200), ham=None, shield=None, hx=0, hy=0,
             mouth=0, eyes=1, cape=0, ham_at=None, swoosh=0, ice=0, breath=0, shards=0, ring=0, charge=0, armsup=False)
    p.update(kw)
    return p

def hammer(fr, hand, ang, charge):
    # ang: direction the shaft points from the hand to the head (radians, y down)
    d = (math.cos(ang), math.sin(ang))
    tail = (hand[0] - d[0] * 22, hand[1] - d[1] * 22)
    head = (hand[0] + d[0] * 70, hand[1] + d[1] * 70)
    fr.line(tail, head, 9, 0)
    fr.line(tail, head, 7, 5)
    fr.line((tail[0] - 1, tail[1] - 1), (head[0] - 1, head[1] - 1), 2, 6)
    # wrapping bands on the shaft
    for k in (0.15, 0.55):
        b = lerpp(tail, head, k)
        fr.ellipse(b[0], b[1], 5, 5, 1)
    # the ice block of the maul, across the shaft
    fr_ang = ang
    block(fr, head, fr_ang, 19, 27, 0)
    block(fr, head, fr_ang, 17, 25, 2)
    block(fr, add(head, rot((-3, -3), fr_ang)), fr_ang, 11, 19, 3)
    block(fr, add(head, rot((-6, -8), fr_ang)), fr_ang, 4, 10, 4)
    # frost spikes off the striking face
    face = add(head, rot((19, 0), fr_ang))
    for s in (-17, 0, 17):
        a = add(face, rot((0, s - 7), fr_ang))
        b = add(face, rot((0, s + 7), fr_ang))
        tip = add(face, rot((12, s), fr_ang))
        fr.tri(a, b, tip, 7)
    if charge:
        fr.ellipse(head[0], head[1], 22 + 4 * charge, 22 + 4 * charge, "#9FE8FF40")
        fr.ellipse(head[0], head[1], 10 + 3 * charge, 10 + 3 * charge, "#FFFFFF90")
    return head

def shield(fr, centre, s, shimmer):
    cx, cy = centre
    fr.ellipse(cx, cy, 36 * s, 46 * s, 1)
    fr.ellipse(cx, cy, 32 * s, 42 * s, 3)
    fr.ellipse(cx + 3 * s, cy + 4 * s, 26 * s, 34 * s, 2)
    fr.ellipse(cx - 8 * s, cy - 12 * s, 10 * s, 14 * s, 4)
    # the snowflake of the sentinel's order
    for k in range(3):
        a = k * math.pi / 3
        p1 = (cx + math.cos(a) * 22 * s, cy + math.sin(a) * 28 * s)
        p2 = (cx - math.cos(a) * 22 * s, cy - math.sin(a) * 28 * s)
        fr.line(p1, p2, 3, 7)
    fr.ellipse(cx, cy, 7 * s, 7 * s, 0)
    fr.ellipse(cx, cy, 4 * s, 4 * s, 7)
    if shimmer:
        fr.tri((cx - 30 * s, cy - 10 * s + shimmer), (cx - 24 * s, cy - 20 * s + shimmer),
               (cx + 26 * s, cy + 14 * s + shimmer), "#FFFFFF70")

def figure(p):
    fr = Frame()
    by, lean = p["by"], p["lean"]
    hip_l, hip_r = (110 + lean * 0.3, 224 + by), (146 + lean * 0.3, 224 + by)
    foot_l, foot_r = (98, 304), (158, 304)
    chest = (128 + lean, 160 + by)
    sh_l, sh_r = (82 + lean, 120 + by), (174 + lean, 120 + by)
    head = (128 + lean + p["hx"], 78 + by + p["hy"])

    # the cape behind, blown to the west, frayed at its hem
    cp = p["cape"]
    hem = [(206 + 4 * math.sin(cp), 298), (168, 310 + 3 * math.sin(cp + 1)), (128, 306),
           (88, 312 + 3 * math.sin(cp + 2)), (44 - 6 * math.sin(cp), 300)]
    fr.poly([(sh_l[0] + 4, sh_l[1] - 8), (sh_r[0] - 4, sh_r[1] - 8)] + hem, 0)
    fr.poly([(sh_l[0] + 8, sh_l[1] - 4), (sh_r[0] - 8, sh_r[1] - 4), (hem[0][0] - 6, hem[0][1] - 6),
             (hem[2][0], hem[2][1] - 6), (hem[4][0] + 6, hem[4][1] - 6)], 1)
    for k in range(4):
        a, b = hem[k], hem[k + 1]
        m = lerpp(a, b, 0.5)
        fr.tri(a, b, (m[0], m[1] - 14), 0)

    # legs: thighs and greaves, knees bent outward as the body sinks
    for hip, foot, side in ((hip_l, foot_l, 1), (hip_r, foot_r, -1)):
        knee = ik(hip, foot, 44, 44, side)
        fr.line(hip, knee, 30, 0)
        fr.line(hip, knee, 26, 1)
        fr.line(knee, foot, 28, 0)
        # the greave flares toward the foot
        d = (foot[0] - knee[0], foot[1] - knee[1])
        fr.poly([(knee[0] - 11, knee[1]), (knee[0] + 11, knee[1]), (foot[0] + 14, foot[1] - 4), (foot[0] - 14, foot[1] - 4)], 2)
        fr.line((knee[0] - 5, knee[1] + 6), (foot[0] - 7, foot[1] - 10), 4, 3)
        fr.ellipse(knee[0], knee[1], 15, 13, 0)
        fr.ellipse(knee[0], knee[1] - 1, 12, 10, 2)
        fr.ellipse(knee[0] - 3, knee[1] - 4, 5, 4, 4)
        fr.tri((knee[0] - 5, knee[1] - 8), (knee[0] + 5, knee[1] - 8), (knee[0], knee[1] - 22), 7)
        toe = 8 if side < 0 else -8
        fr.ellipse(foot[0] + toe, 310, 24, 10, 0)
        fr.ellipse(foot[0] + toe, 307, 20, 7, 1)
        fr.rect(foot[0] + toe - 16, 304, 32, 2, 3)

    # the fauld and its hanging plates
    fr.poly([(hip_l[0] - 28, hip_l[1] - 20), (hip_r[0] + 28, hip_r[1] - 20), (hip_r[0] + 22, hip_r[1] + 22),
             (hip_l[0] - 22, hip_l[1] + 22)], 0)
    for k in range(4):
        x = hip_l[0] - 18 + k * 19
        fr.poly([(x, hip_l[1] - 8), (x + 17, hip_l[1] - 8), (x + 15, hip_l[1] + 20), (x + 2, hip_l[1] + 20)], 1)
        fr.rect(x + 2, hip_l[1] - 8, 13, 3, 2)

    # the breastplate
    cx, cy = chest
    fr.poly([(cx - 60, cy - 46), (cx + 60, cy - 46), (cx + 44, cy + 46), (cx + 22, cy + 62), (cx - 22, cy + 62), (cx - 44, cy + 46)], 0)
    fr.poly([(cx - 56, cy - 44), (cx + 56, cy - 44), (cx + 41, cy + 44), (cx + 20, cy + 58), (cx - 20, cy + 58), (cx - 41, cy + 44)], 1)
    fr.poly([(cx - 50, cy - 40), (cx + 50, cy - 40), (cx + 36, cy + 34), (cx - 36, cy + 34)], 2)
    fr.poly([(cx - 46, cy - 38), (cx - 6, cy - 38), (cx - 8, cy + 30), (cx - 32, cy + 30)], 3)
    fr.line((cx - 40, cy - 32), (cx - 30, cy + 20), 3, 4)
    fr.rect(cx - 2, cy - 42, 4, 94, 0)
    # ribs of the plate
    for k in (12, 24):
        fr.line((cx - 36, cy + k), (cx - 12, cy + k + 6), 2, 1)
        fr.line((cx + 36, cy + k), (cx + 12, cy + k + 6), 2, 1)
    # the frost heart in its cage of ice: the weak spot
    core = (cx, cy + 2)
    fr.ellipse(core[0], core[1], 19, 21, 0)
    for k in range(6):
        a = k * math.pi / 3 + 0.3
        fr.tri(add(core, rot((15, -4), a)), add(core, rot((15, 4), a)), add(core, rot((27, 0), a)), 7)
    fr.ellipse(core[0], core[1], 14, 16, ACC)
    fr.ellipse(core[0] - 3, core[1] - 5, 6, 6, ACC2)
    fr.ellipse(core[0], core[1], 22, 24, "#FF4FD830")
    # belt
    fr.rect(cx - 40, cy + 46, 80, 9, 0)
    fr.rect(cx - 40, cy + 47, 80, 5, 5)
    fr.rect(cx - 40, cy + 47, 80, 1, 6)
    fr.rect(cx - 8, cy + 44, 16, 13, 7)
    fr.rect(cx - 4, cy + 47, 8, 7, 0)

    # a mantle of snow over the shoulders
    fr.ellipse(cx, cy - 46, 54, 14, 2)
    fr.ellipse(cx, cy - 48, 50, 11, 3)
    fr.ellipse(cx - 10, cy - 51, 30, 5, 4)

    # the head: a horned helm crowned with icicles, the visor a slit of frost
    hx, hy = head
    for dx, h, c in ((-26, 36, 3), (-13, 52, 7), (0, 62, 4), (13, 52, 7), (26, 36, 3)):
        fr.tri((hx + dx - 7, hy - 20), (hx + dx + 7, hy - 20), (hx + dx * 1.3, hy - 20 - h), c)
    fr.ellipse(hx, hy, 31, 34, 0)
    fr.ellipse(hx, hy, 28, 31, 1)
    fr.ellipse(hx - 3, hy - 4, 24, 25, 2)
    fr.ellipse(hx - 9, hy - 14, 12, 9, 3)
    fr.rect(hx - 2, hy - 30, 4, 24, 3)
    # horns sweeping out
    fr.tri((hx - 27, hy - 8), (hx - 22, hy + 6), (hx - 58, hy - 32), 3)
    fr.tri((hx + 27, hy - 8), (hx + 22, hy + 6), (hx + 58, hy - 32), 3)
    fr.tri((hx - 42, hy - 18), (hx - 40, hy - 12), (hx - 58, hy - 32), 4)
    fr.tri((hx + 42, hy - 18), (hx + 40, hy - 12), (hx + 58, hy - 32), 4)
    # visor
    fr.rect(hx - 23, hy - 4, 46, 12, 0)
    eyes = p["eyes"]
    if eyes > 0:
        ec = 7 if eyes == 1 else 4
        fr.ellipse(hx - 11, hy + 2, 6, 3, ec)
        fr.ellipse(hx + 11, hy + 2, 6, 3, ec)
        if eyes >= 2:
            fr.ellipse(hx - 11, hy + 2, 13, 7, "#9FE8FF60")
            fr.ellipse(hx + 11, hy + 2, 13, 7, "#9FE8FF60")
    else:
        fr.rect(hx - 16, hy + 1, 10, 2, 1)
        fr.rect(hx + 6, hy + 1, 10, 2, 1)
    # the jaw guard, parting to scream
    m = p["mouth"]
    fr.poly([(hx - 21, hy + 11), (hx + 21, hy + 11), (hx + 12, hy + 32 + m * 6), (hx - 12, hy + 32 + m * 6)], 0)
    fr.poly([(hx - 19, hy + 12), (hx + 19, hy + 12), (hx + 11, hy + 30 + m * 6), (hx - 11, hy + 30 + m * 6)], 1)
    if m > 0:
        fr.poly([(hx - 13, hy + 14), (hx + 13, hy + 14), (hx + 8, hy + 14 + m * 18), (hx - 8, hy + 14 + m * 18)], 0)
        fr.ellipse(hx, hy + 16 + m * 10, 5 * m, 4 * m, 7)
        for k in range(-2, 3):
            fr.tri((hx + k * 5 - 2, hy + 14), (hx + k * 5 + 2, hy + 14), (hx + k * 5, hy + 20), 4)
    else:
        for k in range(-2, 3):
            fr.rect(hx + k * 6 - 1, hy + 16, 2, 11, 0)

    # pauldrons with their icicles
    for sh, side in ((sh_l, -1), (sh_r, 1)):
        for k in range(3):
            bx = sh[0] + side * (k * 11 - 2)
            fr.tri((bx - 6, sh[1] - 12), (bx + 6, sh[1] - 12), (bx + side * 6, sh[1] - 38 + k * 7), 7 if k != 1 else 4)
        fr.ellipse(sh[0], sh[1], 33, 25, 0)
        fr.ellipse(sh[0], sh[1] - 1, 30, 22, 1)
        fr.ellipse(sh[0] - 2, sh[1] - 4, 24, 15, 2)
        fr.ellipse(sh[0] - 6, sh[1] - 9, 13, 6, 3)
        fr.ellipse(sh[0], sh[1] + 14, 26, 8, 0)
        fr.ellipse(sh[0], sh[1] + 12, 24, 6, 2)

    # arms: the maul in the east hand, the shield on the west arm
    def arm(sh, hand, side):
        hand = reach(sh, hand, 84)
        # the elbow that points away from the body
        e1, e2 = ik(sh, hand, 44, 42, 1), ik(sh, hand, 44, 42, -1)
        elbow = e1 if abs(e1[0] - 128) > abs(e2[0] - 128) else e2
        fr.line(sh, elbow, 26, 0)
        fr.line(sh, elbow, 20, 1)
        fr.line(lerpp(sh, elbow, 0.35), elbow, 16, 2)
        fr.line(lerpp(sh, elbow, 0.4), lerpp(sh, elbow, 0.8), 4, 3)
        fr.line(elbow, hand, 28, 0)
        fr.line(lerpp(elbow, hand, 0.25), hand, 22, 2)
        fr.line(lerpp(elbow, hand, 0.3), lerpp(elbow, hand, 0.8), 5, 3)
        fr.ellipse(elbow[0], elbow[1], 12, 12, 0)
        fr.ellipse(elbow[0], elbow[1], 9, 9, 2)
        fr.ellipse(elbow[0] - 2, elbow[1] - 2, 4, 4, 4)
        fr.ellipse(hand[0], hand[1], 15, 14, 0)
        fr.ellipse(hand[0], hand[1] - 1, 12, 11, 1)
        fr.ellipse(hand[0] - 3, hand[1] - 4, 5, 4, 3)
        return hand
    hl = arm(sh_l, p["hl"], 1)
    if p["shield"] is not None:
        s, shim = p["shield"]
        shield(fr, (hl[0] + 4, hl[1] - 4), s, shim)
    hr = reach(sh_r, p["hr"], 84)
    if p["swoosh"]:
        # the trail of the maul's swing
        fr.tri((hr[0], hr[1]), (hr[0] + 30, hr[1] - 100), (hr[0] + 52, hr[1] + 30), "#FFFFFF40")
        fr.tri((hr[0], hr[1]), (hr[0] + 42, hr[1] - 40), (hr[0] + 52, hr[1] + 30), "#CFE6F560")
    if p["ham"] is not None:
        hammer(fr, p["ham_at"] or hr, p["ham"], p["charge"])
    arm(sh_r, p["hr"], -1)
    if p["ham_at"] is None:
        # gauntlet fingers over the shaft
        fr.rect(hr[0] - 8, hr[1] - 3, 16, 3, 2)

    # effects
    if p["ice"]:
        # the block of ice the sentinel sleeps in, cracking
        a = p["ice"]
        fr.poly([(40, 16), (216, 16), (236, 318), (20, 318)], f"#CFE6F5{int(0x90 * a):02X}")
        fr.poly([(52, 26), (120, 26), (60, 200)], f"#FFFFFF{int(0x60 * a):02X}")
        fr.line((200, 40), (160, 150), 3, f"#FFFFFF{int(0xB0 * a):02X}")
        fr.line((160, 150), (190, 240), 2, f"#FFFFFF{int(0xB0 * a):02X}")
        fr.line((70, 230), (110, 280), 2, f"#FFFFFF{int(0xB0 * a):02X}")
    if p["breath"]:
        b = p["breath"]
        for k in range(3):
            fr.ellipse(hx + 10 + k * 22 * b, hy + 30 + k * 6, 8 + k * 6 * b, 6 + k * 4 * b, f"#CFE6F5{int(0xB0 - k * 0x28):02X}")
    if p["ring"]:
        rr = p["ring"]
        fr.ellipse(128, 200, rr, rr * 0.9, "#9FE8FF38")
        fr.ellipse(128, 200, rr * 0.8, rr * 0.72, "#FFFFFF30")
    return fr

def shards(fr, t, x0):
    # ice thrown up where the maul strikes
    for k, (dx, h) in enumerate(((0, 34), (14, 50), (28, 30), (-12, 26), (40, 20))):
        hh = h * t
        fr.tri((x0 + dx - 6, 318), (x0 + dx + 6, 318), (x0 + dx + 2, 318 - hh), 7 if k % 2 else 3)
    fr.ellipse(x0 + 10, 314, 40 * t + 10, 8, "#FFFFFFA0")

HAM_REST = math.radians(95)  # head down by the right foot

def stand(i=0, **kw):
    b = math.sin(i * math.pi / 2) * 2
    base = dict(by=b, cape=i * 0.8, hr=(208, 208 + b), ham=math.radians(84), hl=(76, 190 + b), shield=(0.8, 0))
    base.update(kw)
    return pose(**base)

def opening():
    frames = []
    for i in range(8):
        t = i / 7
        crouch = 34 * (1 - t) ** 1.4
        ice = max(0.0, 1 - i / 4) if i < 4 else 0
        eyes = 0 if i < 2 else (2 if i in (3, 4, 5) else 1)
        p = stand(i, by=crouch, hy=8 * (1 - t), eyes=eyes, ice=ice,
                  hl=(84, 214 + crouch * 0.6), hr=(196, 222 + crouch * 0.4), ham=math.radians(70 + 20 * t),
                  cape=i * 0.6)
        fr = figure(p)
        if 1 <= i <= 4:
            # shards of its shell falling away
            for k in range(5):
                x = 40 + k * 44 + (i * 13) % 17
                y = 60 + i * 50 + (k * 37) % 60
                fr.tri((x, y), (x + 12, y + 4), (x + 4, y + 16), f"#CFE6F5C0")
        frames.append(fr.lines)
    return frames

def idle_attack():
    frames = []
    for i in range(10):
        t = min(1, i / 3)
        up = 0.5 - 0.5 * math.cos(t * math.pi)
        sway = math.sin(i * math.pi / 2.5) * 2
        p = stand(i, by=2 + sway * 0.5, lean=-4 * up,
                  hl=(lerp(76, 116, up), lerp(190, 140, up) + sway), shield=(lerp(0.8, 1.15, up), (i % 5) * 6 if i >= 3 else 0),
                  hr=(210, 210 + sway), ham=math.radians(lerp(80, 70, up)), eyes=2 if i in (3, 4) else 1)
        frames.append(figure(p).lines)
    return frames

def attack_down():
    frames = []
    # raise (0-3), hold and charge (4-11), swing (12), strike (13), shards (14-15)
    for i in range(16):
        if i <= 3:
            t = i / 3
            ang = lerp(math.radians(84), math.radians(280), t)
            hand = lerpp((208, 208), (186, 96), t)
            p = stand(i, hr=hand, ham=ang, by=lerp(0, -4, t), hl=(lerp(76, 70, t), 196))
        elif i <= 11:
            c = 1 + (i % 2)
            p = stand(i, hr=(186 + (i % 2), 96), ham=math.radians(-80), by=-4 + (i % 2), charge=c,
                      hl=(68, 198), eyes=2 if i % 2 else 1)
        elif i == 12:
            p = stand(i, hr=(196, 140), ham=math.radians(70), by=8, lean=8, hl=(76, 210))
        else:
            p = stand(i, hr=(200, 222), ham=math.radians(80), by=22, lean=10, hl=(80, 222), eyes=2)
        fr = figure(p)
        if i >= 13:
            shards(fr, [1.0, 0.8, 0.4][i - 13], 200)
        frames.append(fr.lines)
    return frames

def drop_enemies():
    frames = []
    for i in range(12):
        if i <= 2:
            t = i / 2
            up = t
        elif i <= 9:
            up = 1
        else:
            up = 1 - (i - 9) / 2
        shake = (2 if i % 2 else -2) if 3 <= i <= 9 else 0
        p = stand(i, by=lerp(0, -6, up) + (i % 2) * (1 if 3 <= i <= 9 else 0), lean=shake,
                  hl=(lerp(76, 40, up), lerp(196, 66, up)), hr=(lerp(208, 212, up), lerp(208, 62, up)),
                  ham=math.radians(86), ham_at=(216, 226), hy=lerp(0, -6, up), mouth=up,
                  eyes=2 if up > 0.5 else 1, breath=up * (0.6 + 0.4 * (i % 2)) if 3 <= i <= 9 else 0,
                  shield=(0.8, 0))
        frames.append(figure(p).lines)
    return frames

def repulse():
    frames = []
    for i in range(4):
        p = stand(i, ring=90 + i * 14, eyes=2, hl=(60, 176), hr=(208, 200))
        frames.append(figure(p).lines)
    return frames

def emit():
    parts = []
    spec = [("NPC_Boss2_Snow_GraphicalOpening", 8, 150, True, opening),
            ("NPC_Boss2_Snow_GraphicalIdle_Attack", 10, 100, True, idle_attack),
            ("NPC_Boss2_Snow_GraphicalAttack_Down", 16, 140, True, attack_down),
            ("NPC_Boss2_Snow_GraphicalDrop_Enemies", 12, 100, True, drop_enemies),
            ("NPC_Boss2_Snow_GraphicalRepulse", 4, 100, False, repulse)]
    for name, n, ms, fin, fn in spec:
        bodies = fn()
        assert len(bodies) == n
        parts.append(obj(name, 256, 320, "snow/boss2.png", "bosssnow", n, ms, fin, BOXES, [], bodies, OUT))
    return "\n".join(parts) + "\n"

if __name__ == "__main__":
    sys.stdout.write(HEADER + emit())
