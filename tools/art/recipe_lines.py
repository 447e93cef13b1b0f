# Helpers for the scripts that write art recipes: frames of recipe lines
# (rect, ellipse, tri, line, speckle) from points and angles, with the small
# geometry a posed figure needs (rotation, two-bone limbs). The scripts are
# the source of the recipe files they write; the art tool reads the files.
import math

class Frame:
    def __init__(self):
        self.lines = []
    def add(self, s):
        self.lines.append("  " + s)
    def rect(self, x, y, w, h, c):
        self.add(f"rect {round(x)} {round(y)} {round(w)} {round(h)} {c}")
    def ellipse(self, x, y, rx, ry, c):
        self.add(f"ellipse {r(x)} {r(y)} {r(rx)} {r(ry)} {c}")
    def tri(self, a, b, q, c):
        self.add(f"tri {r(a[0])} {r(a[1])} {r(b[0])} {r(b[1])} {r(q[0])} {r(q[1])} {c}")
    def line(self, a, b, w, c):
        self.add(f"line {r(a[0])} {r(a[1])} {r(b[0])} {r(b[1])} {r(w)} {c}")
    def poly(self, pts, c):
        # a convex polygon as a fan of triangles
        for i in range(1, len(pts) - 1):
            self.tri(pts[0], pts[i], pts[i + 1], c)
    def speckle(self, x, y, w, h, c, n):
        self.add(f"speckle {round(x)} {round(y)} {round(w)} {round(h)} {c} {n}")

def r(v):
    v = round(v, 1)
    if v == int(v):
        return str(int(v))
    return str(v)

def rot(p, ang, about=(0, 0)):
    ca, sa = math.cos(ang), math.sin(ang)
    x, y = p[0], p[1]
    return (about[0] + x * ca - y * sa, about[1] + x * sa + y * ca)

def add(a, b):
    return (a[0] + b[0], a[1] + b[1])

def lerp(a, b, t):
    return a + (b - a) * t

def lerpp(a, b, t):
    return (lerp(a[0], b[0], t), lerp(a[1], b[1], t))

def ik(shoulder, hand, l1, l2, bend):
    """Elbow of a two-bone limb; bend +1/-1 picks the side."""
    dx, dy = hand[0] - shoulder[0], hand[1] - shoulder[1]
    d = math.hypot(dx, dy)
    d = max(min(d, l1 + l2 - 0.01), abs(l1 - l2) + 0.01)
    a = math.atan2(dy, dx)
    cosb = (l1 * l1 + d * d - l2 * l2) / (2 * l1 * d)
    b = math.acos(max(-1, min(1, cosb)))
    ang = a + bend * b
    return (shoulder[0] + l1 * math.cos(ang), shoulder[1] + l1 * math.sin(ang))

def reach(shoulder, hand, l):
    """The hand moved onto the limb's reach."""
    dx, dy = hand[0] - shoulder[0], hand[1] - shoulder[1]
    d = math.hypot(dx, dy)
    if d <= l:
        return hand
    return (shoulder[0] + dx * l / d, shoulder[1] + dy * l / d)

def block(fr, centre, ang, half_w, half_h, c):
    """A rotated rectangle."""
    pts = [rot(p, ang, centre) for p in [(-half_w, -half_h), (half_w, -half_h), (half_w, half_h), (-half_w, half_h)]]
    fr.poly(pts, c)

def obj(name, w, h, image, palette, frames, ms, finish, boxes, shared, frame_bodies, outline):
    out = [f"object {name} {w} {h}", f"  image {image}", "  category (NPC)", f"  palette {palette}",
           f"  frames {frames} {ms}"]
    if finish:
        out.append("  finish")
    out += ["  " + b for b in boxes]
    out += shared
    if frames == 1:
        out += frame_bodies[0]
    else:
        for i, body in enumerate(frame_bodies):
            out.append(f"  frame {i}")
            out += body
        out.append("  all")
    out.append(f"  outline {outline}")
    return "\n".join(out)
