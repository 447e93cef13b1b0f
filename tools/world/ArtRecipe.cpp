#include "tools/world/ArtRecipe.h"

#include "tools/world/PlayerArt.h"
#include "tools/world/WorldText.h"

#include <fstream>
#include <set>
#include <sstream>

namespace {

struct PrimitiveForm {
    size_t words;
    std::set<size_t> colours;    // which words are colours
    std::set<size_t> texts = {}; // which words are free text; the others are numbers
};

// Primitive keywords with their number of words.
const std::map<std::string, PrimitiveForm> kPrimitives = {
    {"fill", {1, {0}}},
    {"rect", {5, {4}}},
    {"ellipse", {5, {4}}},
    {"dither", {6, {4, 5}}},
    {"vgrad", {4, {2, 3}}},
    {"speckle", {6, {4}}},
    {"ridge", {4, {3}}},
    {"tri", {7, {6}}},
    {"line", {6, {5}}},
    {"outline", {1, {0}}},
    {"cells", {5, {4}}},
    {"cellsfill", {5, {4}}},
    {"glyphs", {2, {0, 1}}},
    {"text", {5, {2, 3}, {4}}},
    {"label", {6, {3, 4}, {5}}},
};

} // namespace

bool ParseHexColour(const std::string& word, uint32_t& argb)
{
    if ((word.size() != 7 && word.size() != 9) || word[0] != '#')
        return false;
    uint32_t value = 0;
    for (size_t i = 1; i < word.size(); ++i) {
        char c = word[i];
        int digit = (c >= '0' && c <= '9') ? c - '0'
            : (c >= 'A' && c <= 'F')       ? c - 'A' + 10
            : (c >= 'a' && c <= 'f')       ? c - 'a' + 10
                                           : -1;
        if (digit < 0)
            return false;
        value = (value << 4) | uint32_t(digit);
    }
    argb = word.size() == 7 ? (0xFF000000u | value) : ((value & 0xFFu) << 24) | (value >> 8);
    return true;
}

void ArtBook::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw WorldError(path, 0, "cannot read the recipe file");
    std::stringstream text;
    text << in.rdbuf();
    ReadText(text.str(), path);
}

void ArtBook::ReadText(const std::string& text, const std::string& fileName)
{
    ArtObject* current = nullptr;
    int frame = -1;
    std::string poseImage, posePalette;
    std::set<std::string> names;
    for (const ArtObject& o : objects)
        names.insert(o.name);
    ForEachWordLine(text, [&](std::vector<std::string>& w, int lineNo) {
        const std::string& key = w[0];
        auto need = [&](size_t n) {
            if (w.size() < n + 1)
                throw WorldError(fileName, lineNo,
                    "\"" + key + "\" expects " + std::to_string(n) + " values, found "
                        + std::to_string(w.size() - 1));
        };
        auto integer = [&](size_t i) { return ParseInt(w[i], fileName, lineNo); };
        if (key == "palette" && current == nullptr) {
            need(9);
            std::vector<uint32_t> colours;
            for (size_t i = 2; i < 10; ++i) {
                uint32_t c = 0;
                if (!ParseHexColour(w[i], c))
                    throw WorldError(fileName, lineNo, "expected a colour #RRGGBB, found \"" + w[i] + "\"");
                colours.push_back(c);
            }
            palettes[w[1]] = colours;
        } else if (key == "object" || key == "sprite") {
            need(3);
            if (!names.insert(w[1]).second)
                throw WorldError(fileName, lineNo, "picture \"" + w[1] + "\" is defined twice");
            objects.emplace_back();
            current = &objects.back();
            current->name = w[1];
            current->width = integer(2);
            current->height = integer(3);
            current->plainSprite = key == "sprite";
            current->file = fileName;
            current->line = lineNo;
            if (current->width <= 0 || current->height <= 0 || current->width > 1024
                || current->height > 1024)
                throw WorldError(fileName, lineNo, "picture size must be 1 to 1024 pixels");
            frame = -1;
        } else if (key == "particles") {
            need(7);
            ArtParticles system;
            system.name = w[1];
            system.count = integer(2);
            system.lifetime = static_cast<float>(ParseDouble(w[3], fileName, lineNo));
            system.speed = static_cast<float>(ParseDouble(w[4], fileName, lineNo));
            system.spread = static_cast<float>(ParseDouble(w[5], fileName, lineNo));
            system.gravity = static_cast<float>(ParseDouble(w[6], fileName, lineNo));
            system.pictures.assign(w.begin() + 7, w.end());
            system.file = fileName;
            system.line = lineNo;
            if (system.count < 1 || system.count > 256 || !(system.lifetime >= 1.0f))
                throw WorldError(fileName, lineNo, "particles: 1 to 256 particles living 1 update or more");
            for (const ArtParticles& other : particles)
                if (other.name == system.name)
                    throw WorldError(
                        fileName, lineNo, "particle system \"" + system.name + "\" is defined twice");
            particles.push_back(std::move(system));
            current = nullptr;
        } else if (key == "poses") {
            // The atlas and palette of the pose lines that follow.
            need(2);
            if (!palettes.count(w[2]))
                throw WorldError(fileName, lineNo, "unknown palette \"" + w[2] + "\"");
            poseImage = w[1];
            posePalette = w[2];
            current = nullptr;
        } else if (key == "pose") {
            need(6);
            if (poseImage.empty())
                throw WorldError(fileName, lineNo, "a \"poses\" line must come before the first pose");
            if (w[6] != "loop" && w[6] != "finish")
                throw WorldError(fileName, lineNo, "expected \"loop\" or \"finish\", found \"" + w[6] + "\"");
            const PoseSpec pose {
                w[1], w[2], w[3], integer(4), integer(5), w[6] == "loop", poseImage, posePalette};
            for (ArtObject& picture : MakePlayerPose(pose, fileName, lineNo)) {
                if (!names.insert(picture.name).second)
                    throw WorldError(fileName, lineNo, "picture \"" + picture.name + "\" is defined twice");
                objects.push_back(std::move(picture));
            }
            current = nullptr;
        } else if (current == nullptr) {
            throw WorldError(
                fileName, lineNo, "expected \"palette\", \"object\" or \"sprite\", found \"" + key + "\"");
        } else if (key == "image") {
            need(1);
            current->image = w[1];
        } else if (key == "record") {
            need(1);
            current->recordClass = w[1];
        } else if (key == "category") {
            need(1);
            current->category = w[1];
        } else if (key == "palette") {
            need(1);
            if (!palettes.count(w[1]))
                throw WorldError(fileName, lineNo, "unknown palette \"" + w[1] + "\"");
            current->palette = w[1];
        } else if (key == "frames") {
            need(2);
            current->frames = integer(1);
            current->frameMs = integer(2);
            if (current->frames < 1 || current->frames > 64 || current->frameMs < 1)
                throw WorldError(fileName, lineNo, "frames: 1 to 64 frames of at least 1 ms");
        } else if (key == "loop") {
            current->loop = true;
        } else if (key == "finish") {
            current->loop = false;
        } else if (key == "box") {
            need(5);
            ArtBox box {integer(1), integer(2), integer(3), integer(4), integer(5), -1};
            if (w.size() > 6)
                box.frame = integer(6);
            current->boxes.push_back(box);
        } else if (key == "anchor") {
            need(2);
            current->anchored = true;
            current->anchorX = integer(1);
            current->anchorY = integer(2);
        } else if (key == "frame") {
            need(1);
            frame = integer(1);
            if (frame < 0 || frame >= current->frames)
                throw WorldError(fileName, lineNo, "frame " + w[1] + " is outside the object's frames");
        } else if (key == "all") {
            frame = -1;
        } else {
            auto it = kPrimitives.find(key);
            if (it == kPrimitives.end())
                throw WorldError(fileName, lineNo, "unknown recipe word \"" + key + "\"");
            need(it->second.words);
            for (size_t k = 0; k < it->second.words; ++k) {
                uint32_t colour = 0;
                const std::string& word = w[k + 1];
                if (it->second.texts.count(k))
                    continue;
                if (!it->second.colours.count(k))
                    ParseDouble(word, fileName, lineNo);
                else if (word != "clear" && !ParseHexColour(word, colour))
                    ParseInt(word, fileName, lineNo);
            }
            current->steps.push_back({key, {w.begin() + 1, w.end()}, frame, lineNo});
        }
    });
    for (const ArtObject& o : objects)
        if (o.image.empty())
            throw WorldError(o.file, o.line, "picture \"" + o.name + "\" has no \"image\" line");
    for (const ArtParticles& system : particles)
        for (const std::string& picture : system.pictures)
            if (!names.count(picture))
                throw WorldError(system.file, system.line,
                    "particle system \"" + system.name + "\" shows the unknown picture \"" + picture + "\"");
}

const ArtObject* ArtBook::Find(const std::string& name) const
{
    for (const ArtObject& o : objects)
        if (o.name == name)
            return &o;
    return nullptr;
}
