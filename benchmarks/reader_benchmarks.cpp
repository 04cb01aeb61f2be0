// The cost of the reader's steps on the Linux layer, headless (SDL's dummy
// drivers): one character drawn, one compose, one brightness step, one character
// of normal pacing, and fast-forward over a whole 500-entry script.
#include "benchmarks/reader_setup.h"

#include "display/display.h"
#include "shell/pacing.h"
#include "story/line_presenter.h"
#include "story/script.h"
#include "story/text_style.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// Draws the next sample character where the story would, as the story does:
// the font is made and released inside the call.
int DrawNextCharacter(int slot) {
    static size_t next = 0;
    const std::vector<std::string>& characters = SampleCharacters();
    const std::string& character = characters[next++ % characters.size()];
    const int width = TheTextPainter.DrawScreenText(
        TextCursor.x, TextCursor.y, character.c_str(), StoryFontHeight, 0, TextWeight, 3,
        TextColour, 0, MinchoFaceName, SHIFTJIS_CHARSET, slot);
    TextCursor.x += width;
    if (TextCursor.x > RowFullBeyondX) {
        TextCursor.x = TextMargin;
        TextCursor.y += RowPitch;
    }
    if (TextCursor.y > PageFullBeyondY) TextCursor = {TextMargin, TextMargin};
    return width;
}

void ComposeAndFlip() {
    TheDisplay.CopyOpaque(0, 0, 640, 480, BackSurface, BackdropSurface);
    TheDisplay.CopyKeyed(0, 0, 640, 480, BackSurface, TextLayerSurface);
    TheDisplay.FlipPages();
}

class ReaderFixture : public benchmark::Fixture {
public:
    void SetUp(benchmark::State& state) override {
        // Argument 640: a 640x480 screen, shown unscaled; 0: the desktop (1024x768
        // with the dummy driver), scaled up smoothly.
        const int width = static_cast<int>(state.range(0));
        if (!StartReaderDisplay(width, width * 3 / 4))
            state.SkipWithError("the display could not be set up");
        TextCursor = {TextMargin, TextMargin};
        PacingEnabled = 1;
    }
    void TearDown(benchmark::State&) override {
        PacingEnabled = 1;
        FreeScript();
        StopReaderDisplay();
    }
};

BENCHMARK_DEFINE_F(ReaderFixture, DrawOneCharacter)(benchmark::State& state) {
    long long advanced = 0;
    for (auto _ : state) advanced += DrawNextCharacter(TextLayerSurface);
    // A drawing that does nothing would advance by nothing.
    state.counters["pixels_advanced_per_character"] =
        benchmark::Counter(static_cast<double>(advanced), benchmark::Counter::kAvgIterations);
}

BENCHMARK_DEFINE_F(ReaderFixture, ComposeTwoCopiesAndFlip)(benchmark::State& state) {
    for (auto _ : state) ComposeAndFlip();
}

BENCHMARK_DEFINE_F(ReaderFixture, BrightnessStepPresented)(benchmark::State& state) {
    int level = -255;
    for (auto _ : state) {
        TheBrightness.SetBrightness(level);
        level = level >= 0 ? -255 : level + FadeStep;
    }
}

// Normal pacing's work for one character, without its wait: draw on the text
// layer, compose two full copies, flip and present.
BENCHMARK_DEFINE_F(ReaderFixture, CharacterAtNormalPace)(benchmark::State& state) {
    for (auto _ : state) {
        DrawNextCharacter(TextLayerSurface);
        ComposeAndFlip();
    }
}

// Ctrl held: every line of a 500-entry script presented, each character drawn on
// the text layer and the visible page, every wait a single pump.
BENCHMARK_DEFINE_F(ReaderFixture, FastForwardWholeScript)(benchmark::State& state) {
    const int charactersPerLine = 120;
    LoadGeneratedScript(ScriptCapacity - 1, charactersPerLine);
    long long characters = 0;
    for (int i = 0; i < ScriptLineCount; ++i) characters += std::strlen(ScriptLines[i]) / 2;
    PacingEnabled = 0;
    for (auto _ : state) {
        TextCursor = {TextMargin, TextMargin};
        for (int i = 0; i < ScriptLineCount; ++i) PresentLine(i);
    }
    state.counters["characters_per_second"] =
        benchmark::Counter(static_cast<double>(characters) * state.iterations(),
                           benchmark::Counter::kIsRate);
}

#define REGISTER_ON_BOTH_SCREENS(name) \
    BENCHMARK_REGISTER_F(ReaderFixture, name)->ArgName("window_width")->Arg(640)->Arg(0)
REGISTER_ON_BOTH_SCREENS(DrawOneCharacter);
REGISTER_ON_BOTH_SCREENS(ComposeTwoCopiesAndFlip);
REGISTER_ON_BOTH_SCREENS(BrightnessStepPresented);
REGISTER_ON_BOTH_SCREENS(CharacterAtNormalPace);
REGISTER_ON_BOTH_SCREENS(FastForwardWholeScript)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
