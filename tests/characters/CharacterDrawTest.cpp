#include "characters/CharacterObject.h"

#include "engine/render/ShaderEffect_TimeDependent.h"
#include "scene/Sprite.h"
#include "tests/characters/CharacterTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Records each sprite draw with the effect current at the time.
class DrawLog : public rendertest::NullRenderEngine {
public:
    struct Call {
        Point<int> position;
        Rect<int> source;
        GraphicalEffect* effect;
    };
    bool DrawSprite(
        ISprite*, IGraphicalSurface*, int x, int y, int, int, float, const Rect<int>* clip, bool) override
    {
        calls.push_back({Point<int>(x, y), clip ? *clip : Rect<int>(), GetEffect()});
        return true;
    }
    std::vector<Call> calls;
};

// A 32 x 32 character drawn through a recording engine; the view's
// upper-left corner stands at (0, 448).
class CharacterDraw : public testing::Test {
protected:
    CharacterDraw()
    {
        body.SetSize(32, 32, true);
        body.AddSpriteInstance(&sprite, 0, 0);
        body.AddGenericSpriteIndex(&sprite, 0);
        character.SetSize(32, 32);
        character.SetCurrentGraphical(&body);
        character.SetPosition(Point<float>(100.0f, 50.0f));
        previousEngine = g_RenderEngine;
        g_RenderEngine = &engine;
    }
    ~CharacterDraw() override { g_RenderEngine = previousEngine; }
    std::vector<DrawLog::Call> Frame()
    {
        engine.calls.clear();
        EXPECT_TRUE(character.Draw(nullptr, Point<int>(0, 448)));
        return engine.calls;
    }
    charactertest::FakeCharacterGame game;
    DrawLog engine;
    IRenderEngine* previousEngine = nullptr;
    Sprite sprite {"Body", "body.png", 0, 0, 31, 31};
    GraphicalObject body {"Body"};
    CharacterObject character {"NPC_Test"};
};

TEST_F(CharacterDraw, AHitDrawsASecondFlashPassForFiveTicks)
{
    auto calls = Frame();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].position, Point<int>(100, 448 - 82));
    EXPECT_EQ(calls[0].effect, nullptr);

    character.ApplyDamage(nullptr, 1);
    for (int tick = 0; tick < 5; ++tick) {
        calls = Frame();
        ASSERT_EQ(calls.size(), 2u) << tick;
        EXPECT_EQ(calls[1].effect, character.GetHitFlash());
        EXPECT_EQ(calls[1].position, calls[0].position);
    }
    EXPECT_EQ(Frame().size(), 1u); // the flash advanced by its drawing has ended
}

} // namespace
