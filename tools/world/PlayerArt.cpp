#include "tools/world/PlayerArt.h"

#include "tools/world/WorldText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// Palette indices of a player set.
constexpr int kCloak = 0;
constexpr int kTrim = 1;
constexpr int kMask = 2;
constexpr int kEyes = 3;
constexpr int kBlade = 4;
constexpr int kHandle = 5;
constexpr int kShade = 6;
constexpr const char* kOutline = "#0B0B12";
constexpr const char* kSwish = "#79E0FF70";
constexpr double kCentre = 32.0;
constexpr double kGround = 96.0;

const std::vector<std::string> kMotions = {"idle", "walk", "jump", "fall", "crouch", "highfall", "hitground",
    "hitair", "crouchext", "attack", "walkattack", "airattack", "crouchattack", "climbidle", "climbup",
    "climbdown", "spideridle", "spiderwalk", "spiderjump", "spiderfall", "spiderhitground", "spiderhitair",
    "strafffwd", "straffbwd", "respawn", "die", "crossbow", "crouchcrossbow", "aircrossbow"};

// One drawing primitive in the right-facing picture; the left one is its
// mirror image (x -> 64 - x), exact because coordinates keep two decimals.
struct Shape {
    std::string op; // rect, ellipse, tri
    std::vector<double> v;
    std::string colour;
};

double Round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

std::string Number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", Round2(v));
    return text;
}

// What the figure does in one frame.
struct Figure {
    enum Body { kStanding, kClimbing, kSpider, kFallen } body = kStanding;
    double lift = 0;     // feet above the ground
    double height = 64;  // hood top to the ground
    double lean = 0;     // head ahead of the feet
    double stride = 0;   // legs apart
    double scythe = -25; // handle angle in degrees, 0 = upright, positive = forward
    double blade = 1.0;  // blade size
    double reach = 0;    // arm out, towards the blow
    bool swish = false;  // the blow's arc
    bool hurt = false;   // recoil: the eyes flare
    double glow = 0;     // respawn ring, 0..1
    double legPhase = 0; // spider legs and climbing arms
    // The crossbow shot: held at the muzzle's row instead of the scythe,
    // which hangs on the back.
    bool crossbow = false;
    double muzzleRow = 0; // where the bolt leaves, pixels from the top
    double kick = 0;      // the recoil, degrees up
    bool loaded = false;  // string drawn back on a new bolt
    bool flash = false;   // the frame the bolt leaves
};

class Drawing {
public:
    void Rect(double x, double y, double w, double h, const std::string& c) { Add("rect", {x, y, w, h}, c); }
    void Ellipse(double cx, double cy, double rx, double ry, const std::string& c)
    {
        Add("ellipse", {cx, cy, rx, ry}, c);
    }
    void Tri(double ax, double ay, double bx, double by, double qx, double qy, const std::string& c)
    {
        Add("tri", {ax, ay, bx, by, qx, qy}, c);
    }
    // A quad as two triangles.
    void Quad(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy,
        const std::string& c)
    {
        Tri(ax, ay, bx, by, cx, cy, c);
        Tri(ax, ay, cx, cy, dx, dy, c);
    }
    // A thick segment.
    void Line(double x0, double y0, double x1, double y1, double width, const std::string& c)
    {
        const double len = std::max(0.01, std::hypot(x1 - x0, y1 - y0));
        const double nx = -(y1 - y0) / len * width / 2, ny = (x1 - x0) / len * width / 2;
        Quad(x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny, c);
    }

    // The steps of the picture facing right, or mirrored to face left.
    std::vector<ArtStep> Steps(bool left, int frame, int line) const
    {
        std::vector<ArtStep> steps;
        for (const Shape& s : shapes) {
            ArtStep step;
            step.op = s.op;
            step.frame = frame;
            step.line = line;
            std::vector<double> v = s.v;
            if (left) {
                if (s.op == "rect")
                    v[0] = kPlayerWidth - v[0] - v[2];
                else if (s.op == "ellipse")
                    v[0] = kPlayerWidth - v[0];
                else
                    for (size_t i = 0; i < v.size(); i += 2)
                        v[i] = kPlayerWidth - v[i];
            }
            for (double n : v)
                step.args.push_back(s.op == "rect" ? std::to_string(int(std::lround(n))) : Number(n));
            step.args.push_back(s.colour);
            steps.push_back(step);
        }
        return steps;
    }

private:
    void Add(const char* op, std::vector<double> v, const std::string& c)
    {
        for (double& n : v)
            n = Round2(n);
        // Rectangles take whole pixels: round them here so the mirror is exact.
        if (std::string(op) == "rect")
            for (double& n : v)
                n = std::round(n);
        shapes.push_back({op, v, c});
    }
    std::vector<Shape> shapes;
};

std::string Index(int i)
{
    return std::to_string(i);
}

void DrawScythe(Drawing& d, double handX, double handY, const Figure& f)
{
    const double a = f.scythe * std::numbers::pi / 180.0;
    const double dx = std::sin(a), dy = -std::cos(a);
    const double tipX = handX + dx * 26, tipY = handY + dy * 26;
    d.Line(handX - dx * 14, handY - dy * 14, tipX, tipY, 2.2, Index(kHandle));
    // The blade curves back from the tip, away from the swing.
    const double bx = -dy, by = dx; // forward normal
    const double s = f.blade;
    d.Tri(tipX, tipY, tipX - bx * 18 * s + dx * 2, tipY - by * 18 * s + dy * 2, tipX - dx * 5 * s,
        tipY - dy * 5 * s, Index(kBlade));
    if (f.swish)
        d.Tri(handX, handY, tipX + bx * 10, tipY + by * 10, tipX - bx * 6 * s, tipY - by * 6 * s, kSwish);
}

void DrawHead(Drawing& d, double cx, double top, const Figure& f, bool faceShown)
{
    d.Ellipse(cx, top + 11, 10, 11, Index(kCloak));
    if (!faceShown) {
        d.Rect(cx - 7, top + 4, 14, 2, Index(kTrim));
        return;
    }
    d.Ellipse(cx + 2, top + 12, 8, 9, Index(kTrim));
    d.Ellipse(cx + 3, top + 13, 5.5, 6.5, Index(kMask));
    const std::string eyes = f.hurt ? "#FFFFFF" : Index(kEyes);
    d.Rect(cx + 2, top + 11, 2, 2, eyes);
    d.Rect(cx + 5, top + 11, 2, 2, eyes);
}

bool IsCrossbow(const std::string& motion)
{
    return motion.find("crossbow") != std::string::npos;
}

// The blow's box (type 3, frame 0) of an attack or a crossbow shot, facing
// right, y up: a crossbow's bolt leaves from its centre.
ArtBox BlowBox(const std::string& motion, int rank)
{
    const int reach = 28 + 8 * (rank - 1);
    const int high = motion == "crouchattack" || motion == "crouchcrossbow" ? 50 : 84;
    return {36, high, 36 + reach + 8, high - 64, 3, 0};
}

// The crossbow held level at the muzzle's row, its stock against the
// shoulder: a dark tiller, the bow across its front, the string drawn back
// on a fresh bolt or slack after the shot, and the near arm on the tiller.
void DrawCrossbow(Drawing& d, double shoulderX, double shoulderY, const Figure& f)
{
    const ArtBox blow = BlowBox("crossbow", 1);
    // The bolt flies with its shaft a few rows above the box's centre.
    const double mx = (blow.x0 + blow.x1) / 2.0, my = f.muzzleRow;
    const double a = f.kick * std::numbers::pi / 180.0;
    const double ux = std::cos(a), uy = -std::sin(a); // along the tiller, forward
    const double vx = uy, vy = -ux;                   // across it, upward when level
    constexpr double kTiller = 16;
    // The recoil turns the crossbow about its butt.
    const double bx = mx - kTiller, by = my + 1;
    const double tipX = bx + ux * kTiller, tipY = by + uy * kTiller;
    const double prodX = tipX - ux * 4, prodY = tipY - uy * 4;
    const double nock = f.loaded ? 11 : 3;
    const double nutX = prodX - ux * nock, nutY = prodY - uy * nock;
    // The bow's limbs sweep back from the prod; the string joins their tips.
    const double limb = 8;
    const double upX = prodX + vx * limb - ux * 3, upY = prodY + vy * limb - uy * 3;
    const double dnX = prodX - vx * limb - ux * 3, dnY = prodY - vy * limb - uy * 3;
    d.Line(upX, upY, nutX, nutY, 1, Index(kMask));
    d.Line(dnX, dnY, nutX, nutY, 1, Index(kMask));
    if (f.loaded)
        d.Line(nutX, nutY, tipX + ux * 2, tipY + uy * 2, 1.4, Index(kBlade));
    d.Line(bx, by, tipX, tipY, 3, Index(kHandle));
    d.Tri(prodX + ux, prodY + uy, upX, upY, prodX - ux * 2, prodY - uy * 2, Index(kTrim));
    d.Tri(prodX + ux, prodY + uy, dnX, dnY, prodX - ux * 2, prodY - uy * 2, Index(kTrim));
    // The near arm from the shoulder to the tiller, the hand on the trigger.
    const double gripX = bx + ux * 8, gripY = by + uy * 8;
    d.Line(shoulderX, shoulderY, gripX, gripY + 1, 4, Index(kCloak));
    d.Ellipse(gripX, gripY + 1, 2, 2, Index(kShade));
    if (f.flash)
        d.Tri(tipX + ux * 2, tipY + uy * 2 - 3, tipX + ux * 10, tipY + uy * 10, tipX + ux * 2,
            tipY + uy * 2 + 3, kSwish);
}

void DrawStanding(Drawing& d, const Figure& f)
{
    const double feet = kGround - f.lift;
    const double top = feet - f.height;
    const double legs = std::max(4.0, f.height * 0.16);
    const double hem = feet - legs;
    const double head = kCentre + f.lean;
    d.Rect(kCentre - 5 - f.stride, hem, 4, legs, Index(kShade));
    d.Rect(kCentre + 1 + f.stride, hem, 4, legs, Index(kShade));
    if (f.crossbow) {
        // The scythe slung across the back, its blade over the shoulder.
        Figure slung = f;
        slung.scythe = -25;
        slung.swish = false;
        DrawScythe(d, kCentre + 2, top + std::min(40.0, f.height * 0.62), slung);
    }
    d.Quad(head - 9, top + 16, head + 9, top + 16, kCentre + 12, hem, kCentre - 12, hem, Index(kCloak));
    d.Rect(kCentre - 12, hem - 3, 24, 3, Index(kTrim));
    if (f.crossbow) {
        DrawHead(d, head, top, f, true);
        DrawCrossbow(d, head + 4, top + 20, f);
        return;
    }
    const double handX = head + 8 + f.reach, handY = top + std::min(30.0, f.height * 0.47);
    d.Line(head + 4, top + 20, handX, handY, 4, Index(kCloak));
    DrawScythe(d, handX, handY, f);
    DrawHead(d, head, top, f, true);
}

void DrawClimbing(Drawing& d, const Figure& f)
{
    const double top = kGround - f.height - 4;
    const double hem = kGround - 14;
    // Seen from behind: the scythe across the back, the arms reaching up in turn.
    const Figure back = [&] {
        Figure b = f;
        b.scythe = -40;
        return b;
    }();
    DrawScythe(d, kCentre + 10, top + 40, back);
    d.Quad(kCentre - 9, top + 16, kCentre + 9, top + 16, kCentre + 11, hem, kCentre - 11, hem, Index(kCloak));
    d.Rect(kCentre - 11, hem - 3, 22, 3, Index(kTrim));
    const double up = 6 * std::sin(f.legPhase);
    d.Line(kCentre - 7, top + 20, kCentre - 12, top + 2 + up, 4, Index(kCloak));
    d.Line(kCentre + 7, top + 20, kCentre + 12, top + 2 - up, 4, Index(kCloak));
    d.Rect(kCentre - 6, hem, 4, 12 + up, Index(kShade));
    d.Rect(kCentre + 2, hem, 4, 12 - up, Index(kShade));
    DrawHead(d, kCentre, top, f, false);
}

void DrawSpider(Drawing& d, const Figure& f)
{
    // A low four-legged crouch, 31 pixels high from the ground.
    const double base = kGround - f.lift;
    const double bodyY = base - 13 + (f.height < 64 ? 3 : 0);
    for (int leg = 0; leg < 4; ++leg) {
        const double x = kCentre - 14 + leg * 9;
        const double swing = 4 * std::sin(f.legPhase + leg * std::numbers::pi / 2);
        d.Line(x, bodyY, x - 4 + swing, bodyY - 9, 2.5, Index(kShade));
        d.Line(x - 4 + swing, bodyY - 9, x - 6 + swing * 1.5, base - 1, 2.5, Index(kShade));
    }
    d.Ellipse(kCentre - 2, bodyY, 15, 8, Index(kCloak));
    d.Ellipse(kCentre - 2, bodyY + 4, 13, 3, Index(kTrim));
    const double headX = kCentre + 13 + f.lean;
    d.Ellipse(headX, bodyY - 3, 7, 7, Index(kCloak));
    d.Ellipse(headX + 2, bodyY - 2, 4.5, 5, Index(kMask));
    const std::string eyes = f.hurt ? "#FFFFFF" : Index(kEyes);
    d.Rect(headX + 1, bodyY - 4, 2, 2, eyes);
    d.Rect(headX + 4, bodyY - 4, 2, 2, eyes);
}

void DrawFallen(Drawing& d, const Figure& f)
{
    const double h = std::max(8.0, f.height);
    d.Ellipse(kCentre + f.lean, kGround - h / 2, 18, h / 2, Index(kCloak));
    d.Rect(kCentre - 16 + f.lean, kGround - 4, 32, 3, Index(kTrim));
    d.Ellipse(kCentre + f.lean + 14, kGround - h + 6, 5, 5, Index(kMask));
    d.Line(kCentre - 26, kGround - 3, kCentre + 26, kGround - 5, 2.2, Index(kHandle));
    d.Tri(kCentre + 26, kGround - 5, kCentre + 14, kGround - 12, kCentre + 22, kGround - 4, Index(kBlade));
}

// The figure of frame i of n for a motion; p runs 0..1 across the frames.
Figure FigureFor(const std::string& motion, int i, int n, int rank)
{
    Figure f;
    const double p = n > 1 ? double(i) / (n - 1) : 0.0;
    const double cycle = 2 * std::numbers::pi * i / std::max(1, n);
    f.blade = 1.0 + 0.15 * (rank - 1);
    const bool attack = motion.find("attack") != std::string::npos;
    if (attack) {
        // Raised behind the shoulder, then swept through to the front and low.
        f.scythe = -70 + 200 * p;
        f.reach = 4 * std::sin(p * std::numbers::pi);
        f.swish = i > 0 && i < n - 1;
        f.lean = 3 * std::sin(p * std::numbers::pi);
    }
    if (IsCrossbow(motion)) {
        // The bolt leaves on frame 0; the crossbow kicks up, settles, and the
        // string is drawn back on a fresh bolt for the last frames.
        f.crossbow = true;
        f.kick = 12 * std::sin(p * std::numbers::pi);
        f.lean = -2 * std::sin(p * std::numbers::pi);
        f.flash = i == 0;
        f.loaded = p > 0.6;
        const ArtBox blow = BlowBox(motion, 1);
        f.muzzleRow = kGround - 1 - (blow.y0 + blow.y1) / 2.0 - 4;
        if (motion == "crouchcrossbow") {
            f.height = 44;
            f.stride = 5;
        } else if (motion == "aircrossbow") {
            f.lift = 8;
            f.stride = 2;
        }
    }
    if (motion == "idle") {
        f.height = 64 - (i % 4 >= 2 ? 1 : 0);
    } else if (motion == "walk" || motion == "walkattack") {
        f.stride = 4 * std::sin(cycle);
        f.height = 64 - std::abs(std::sin(cycle)) * 2;
        f.lean += 2;
    } else if (motion == "jump") {
        f.lift = 6 + 4 * p;
        f.height = 66;
        f.scythe = -35;
    } else if (motion == "fall") {
        f.lift = 8 - 2 * (i % 2);
        f.stride = 3;
        f.scythe = -15;
    } else if (motion == "airattack") {
        f.lift = 8;
        f.stride = 2;
    } else if (motion == "crouch" || motion == "crouchattack") {
        f.height = 44;
        f.stride = 5;
    } else if (motion == "highfall") {
        f.height = 40 + 24 * p * p;
        f.stride = 6 * (1 - p);
    } else if (motion == "crouchext") {
        f.height = 44 + 20 * p;
        f.stride = 5 * (1 - p);
    } else if (motion == "hitground" || motion == "hitair") {
        f.hurt = i % 2 == 0;
        f.lean = -5 * (1 - p);
        f.scythe = -50;
        f.lift = motion == "hitair" ? 8 : 0;
    } else if (motion == "climbidle" || motion == "climbup" || motion == "climbdown") {
        f.body = Figure::kClimbing;
        // A quarter turn ahead, so no two frames of a climb share a pose.
        f.legPhase
            = motion == "climbidle" ? 0 : (motion == "climbup" ? cycle : -cycle) + std::numbers::pi / 4;
    } else if (motion.rfind("spider", 0) == 0) {
        f.body = Figure::kSpider;
        f.legPhase = motion == "spiderwalk" ? cycle : 0;
        if (motion == "spiderjump" || motion == "spiderfall")
            f.lift = motion == "spiderjump" ? 6 + 6 * p : 10 - 2 * (i % 2);
        if (motion == "spiderhitground" || motion == "spiderhitair") {
            f.hurt = i % 2 == 0;
            f.lean = -3 * (1 - p);
            f.lift = motion == "spiderhitair" ? 8 : 0;
            f.height = 60;
        }
    } else if (motion == "strafffwd" || motion == "straffbwd") {
        f.lean = motion == "strafffwd" ? 6 : -6;
        f.stride = 6;
        f.height = 60;
        f.scythe = motion == "strafffwd" ? 20 : -60;
    } else if (motion == "die" || motion == "respawn") {
        const double q = motion == "die" ? p : 1 - p;
        f.height = 64 - 50 * q;
        f.lean = 8 * q;
        f.scythe = -25 + 100 * q;
        f.hurt = motion == "die" && i < 2;
        f.glow = motion == "respawn" ? 1 - q : 0;
        if (q > 0.75)
            f.body = Figure::kFallen;
    }
    return f;
}

// Hurt boxes (type 2) keep to the body: full height standing, 56 crouched,
// 28 as the spider. Attacks and crossbow shots add the blow (type 3) on
// frame 0, reaching further with each rank.
std::vector<ArtBox> BoxesFor(const std::string& motion, int rank, bool left)
{
    int top = 88;
    if (motion.rfind("crouch", 0) == 0 || motion == "highfall")
        top = 56;
    if (motion.rfind("spider", 0) == 0)
        top = 28;
    std::vector<ArtBox> boxes = {{20, top, 44, 0, 2, -1}};
    if (motion.find("attack") != std::string::npos || IsCrossbow(motion))
        boxes.push_back(BlowBox(motion, rank));
    if (left)
        for (ArtBox& b : boxes) {
            const int x0 = kPlayerWidth - 1 - b.x1, x1 = kPlayerWidth - 1 - b.x0;
            b.x0 = x0;
            b.x1 = x1;
        }
    return boxes;
}

} // namespace

const std::vector<std::string>& PlayerMotions()
{
    return kMotions;
}

std::vector<ArtObject> MakePlayerPose(const PoseSpec& pose, const std::string& file, int line)
{
    if (std::find(kMotions.begin(), kMotions.end(), pose.motion) == kMotions.end())
        throw WorldError(file, line, "unknown player motion \"" + pose.motion + "\"");
    if (pose.sides != "LR" && pose.sides != "RL")
        throw WorldError(file, line, "a pose's sides are \"LR\" or \"RL\", found \"" + pose.sides + "\"");
    if (pose.frames < 1 || pose.frames > 64 || pose.frameMs < 1)
        throw WorldError(file, line, "a pose has 1 to 64 frames of at least 1 ms");
    // The rank of an attack is written in its name: "...Attack[r3]".
    int rank = 1;
    if (const size_t r = pose.name.find("[r"); r != std::string::npos && r + 2 < pose.name.size())
        rank = std::clamp(pose.name[r + 2] - '0', 1, 4);

    std::vector<ArtObject> pictures;
    for (char side : pose.sides) {
        const bool left = side == 'L';
        ArtObject o;
        o.name = pose.name + side;
        o.image = pose.image;
        o.palette = pose.palette;
        o.category = "(Player)";
        o.width = kPlayerWidth;
        o.height = kPlayerHeight;
        o.frames = pose.frames;
        o.frameMs = pose.frameMs;
        o.loop = pose.loop;
        o.file = file;
        o.line = line;
        o.boxes = BoxesFor(pose.motion, rank, left);
        for (int i = 0; i < pose.frames; ++i) {
            const Figure f = FigureFor(pose.motion, i, pose.frames, rank);
            Drawing d;
            if (f.glow > 0)
                d.Ellipse(kCentre, kGround - 40, 26 * f.glow + 4, 44 * f.glow + 4, "#79E0FF50");
            switch (f.body) {
            case Figure::kStanding:
                DrawStanding(d, f);
                break;
            case Figure::kClimbing:
                DrawClimbing(d, f);
                break;
            case Figure::kSpider:
                DrawSpider(d, f);
                break;
            case Figure::kFallen:
                DrawFallen(d, f);
                break;
            }
            for (ArtStep& step : d.Steps(left, i, line))
                o.steps.push_back(std::move(step));
        }
        o.steps.push_back({"outline", {kOutline}, -1, line});
        pictures.push_back(std::move(o));
    }
    return pictures;
}
