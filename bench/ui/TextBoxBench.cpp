// A full dialogue box of text against the same number of plain sprites from
// one atlas, each frame recorded on the main thread and replayed by the
// render thread (Mesa's software renderer when run headless), measured side
// by side in one run: every iteration times one text frame and one sprite
// frame. The counter "ratio" is text time / sprite time (target: 1.5 or less).

#include "bench/render/BenchFrame.h"
#include "engine/config/GamePaths.h"
#include "engine/render/DXRenderEngine.h"
#include "engine/render/ImageHandleManager.h"
#include "engine/render/PixelImage.h"
#include "engine/render/RenderPoolManager.h"
#include "game/Game.h"
#include "scene/Sprite.h"
#include "ui/UI_Font.h"
#include "ui/UI_Frame_Text.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// The box's text rectangle (288 x 96) in cells of 8 x 12: 36 glyphs on each
// of 8 lines.
constexpr int kColumns = 36;
constexpr int kRows = 8;
constexpr int kGlyphs = kColumns * kRows;

class TextBoxFrame {
public:
    TextBoxFrame()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
        folder
            = std::filesystem::temp_directory_path() / ("quenholt_bench_text_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        PixelImage picture(128, 128);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                picture.SetPixel(x, y, ((x + y) % 3 == 0) ? 0xFFFFFFFFu : 0u);
        picture.SavePng((folder / "font.png").string());
        SetBasePath(folder.string() + "/");

        engine = std::make_unique<DXRenderEngine>();
        pool = engine->SetRenderPool(new RenderPoolManager());
        while (pool->idle.load() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));

        atlas = std::make_unique<Sprite>("font_basic", "font.png", 0, 0, 128, 128);
        font.SetAtlas(atlas.get());
        font.SetSpacing(Point<int>(8, 12));
        std::vector<FontGlyph> glyphs;
        for (int c = 32; c < 127; ++c)
            glyphs.push_back({std::string(1, char(c)), Point<int>(c % 16, c / 16 - 2), Point<int>(1, 0),
                Point<int>(7, 12)});
        font.SetGlyphs(glyphs);
        for (int c = 32; c < 127; ++c)
            cells.push_back(std::make_unique<Sprite>("cell", "font.png", (c % 16) * 8, (c / 16 - 2) * 12,
                (c % 16) * 8 + 7, (c / 16 - 2) * 12 + 12));

        // Eight lines of 36 characters, without spaces, so nothing wraps.
        std::string text;
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column)
                text += char('A' + (row * kColumns + column) % 58);
            if (row + 1 < kRows)
                text += '\n';
        }
        box.SetFont(&font);
        box.SetSize(kColumns * 8, kRows * 12, true);
        box.SetTextColour(0xFFFFFFFFu);
        box.SetText(text);
        box.Update(0.0);
    }

    ~TextBoxFrame()
    {
        cells.clear();
        atlas.reset();
        engine.reset();
        ImageHandleManager::DestroyInstance();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    bool Usable() const { return !pool->startFailed.load(); }

    void Begin() { BeginBenchFrame(*pool); }
    void End() { EndBenchFrame(*pool); }
    void RecordText()
    {
        Begin();
        box.Render(nullptr, 112, 336, 0, 0, 0.0f);
        End();
    }
    void RecordSprites()
    {
        Begin();
        for (int i = 0; i < kGlyphs; ++i)
            engine->DrawSprite(cells[size_t(i) % cells.size()].get(), nullptr, 112 + (i % kColumns) * 8,
                338 + (i / kColumns) * 12, 0, 0, 0.0f, nullptr, false);
        End();
    }

    // Hands the frame over and waits until the render thread has drawn it.
    template <class Record> void Replay(Record record) { ReplayBenchFrame(*pool, record); }

    std::filesystem::path folder;
    Game game;
    std::unique_ptr<DXRenderEngine> engine;
    RenderPoolManager* pool = nullptr;
    std::unique_ptr<Sprite> atlas;
    std::vector<std::unique_ptr<Sprite>> cells;
    UI_Font font {"UI_Font_Basic"};
    UI_Frame_Text box {"Dialogue"};
};

void BM_FullTextBoxAgainstPlainSprites(benchmark::State& state)
{
    TextBoxFrame frame;
    if (!frame.Usable()) {
        state.SkipWithError("no GL device");
        return;
    }
    using Clock = std::chrono::steady_clock;
    auto text = [&] { frame.RecordText(); };
    auto sprites = [&] { frame.RecordSprites(); };
    // The first frames load the image.
    text();
    frame.Replay(text);
    sprites();
    frame.Replay(sprites);
    double textSeconds = 0.0, spriteSeconds = 0.0;
    for (auto _ : state) {
        const auto start = Clock::now();
        text();
        frame.Replay(text);
        const auto middle = Clock::now();
        sprites();
        frame.Replay(sprites);
        const auto end = Clock::now();
        textSeconds += std::chrono::duration<double>(middle - start).count();
        spriteSeconds += std::chrono::duration<double>(end - middle).count();
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["glyphs"] = kGlyphs;
    state.counters["text_ms"] = 1000.0 * textSeconds / frames;
    state.counters["sprites_ms"] = 1000.0 * spriteSeconds / frames;
    state.counters["ratio"] = spriteSeconds > 0.0 ? textSeconds / spriteSeconds : 0.0;
}
BENCHMARK(BM_FullTextBoxAgainstPlainSprites)->Unit(benchmark::kMillisecond)->UseRealTime();

// Recording alone: the text frame's glyph draws against plain sprite draws.
void BM_RecordFullTextBox(benchmark::State& state)
{
    TextBoxFrame frame;
    if (!frame.Usable()) {
        state.SkipWithError("no GL device");
        return;
    }
    const bool text = state.range(0) == 0;
    for (auto _ : state) {
        if (text)
            frame.RecordText();
        else
            frame.RecordSprites();
    }
    frame.pool->ClearCurrentFrame();
}
// Argument 0: the text frame; 1: plain sprites.
BENCHMARK(BM_RecordFullTextBox)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
