// How fast the surface primitives are, and how a whole-screen copy compares with SDL's blitter.
//   build/bench/surface_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <SDL.h>
#include <benchmark/benchmark.h>

#include "display/surface.h"
#include "platform/headless.h"

namespace {

struct Display {
    Display() {
        Headless::Reset();
        DirectDrawCreate(nullptr, &DisplayObject, nullptr);
        GreenBits = 6;
    }
    ~Display() {
        DisplayObject->Release();
        DisplayObject = nullptr;
    }
};

Surface* MakeScreen(uint16_t seed) {
    Surface* surface = nullptr;
    NewSurface(ScreenWidth, ScreenHeight, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY, &surface);
    uint8_t* bits = nullptr;
    LONG pitch = 0;
    LockSurface(surface, &bits, &pitch);
    uint32_t state = seed;
    for (int y = 0; y < ScreenHeight; ++y) {
        auto* row = reinterpret_cast<uint16_t*>(bits + y * pitch);
        for (int x = 0; x < ScreenWidth; ++x) {
            state = state * 1103515245u + 12345u;
            // About half the pixels are the key 0, in runs, as in the game's overlays.
            row[x] = ((state >> 20) & 3) < 2 ? 0 : static_cast<uint16_t>(state >> 16);
        }
    }
    UnlockSurface(surface);
    return surface;
}

void BM_ReadPixel(benchmark::State& state) {
    Display display;
    Surface* surface = MakeScreen(1);
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadPixel(surface, x, 100));
        x = (x + 1) & 511;
    }
    surface->Release();
}
BENCHMARK(BM_ReadPixel);

void BM_FillOnePixel(benchmark::State& state) {
    Display display;
    Surface* surface = MakeScreen(1);
    int x = 0;
    for (auto _ : state) {
        FillSurfaceRect(surface, x, 100, x + 1, 101, 0x1234);
        x = (x + 1) & 511;
    }
    surface->Release();
}
BENCHMARK(BM_FillOnePixel);

void BM_BlitScreen(benchmark::State& state) {
    Display display;
    Surface* source = MakeScreen(1);
    Surface* dest = MakeScreen(2);
    for (auto _ : state) BlitScreen(dest, source);
    state.SetBytesProcessed(state.iterations() * ScreenWidth * ScreenHeight * 2);
    source->Release();
    dest->Release();
}
BENCHMARK(BM_BlitScreen);

void BM_BlitRectKeyedScreen(benchmark::State& state) {
    Display display;
    Surface* source = MakeScreen(1);
    Surface* dest = MakeScreen(2);
    SetSourceKey(source, 0);
    const RECT whole{0, 0, ScreenWidth, ScreenHeight};
    for (auto _ : state) BlitRectKeyed(dest, 0, 0, whole, source);
    state.SetBytesProcessed(state.iterations() * ScreenWidth * ScreenHeight * 2);
    source->Release();
    dest->Release();
}
BENCHMARK(BM_BlitRectKeyedScreen);

SDL_Surface* MakeSdlScreen(uint32_t seed) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 16, SDL_PIXELFORMAT_RGB565);
    uint32_t state = seed;
    for (int y = 0; y < 480; ++y) {
        auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                y * surface->pitch);
        for (int x = 0; x < 640; ++x) {
            state = state * 1103515245u + 12345u;
            row[x] = ((state >> 20) & 3) < 2 ? 0 : static_cast<uint16_t>(state >> 16);
        }
    }
    return surface;
}

void BM_SdlBlitScreen(benchmark::State& state) {
    SDL_Surface* source = MakeSdlScreen(1);
    SDL_Surface* dest = MakeSdlScreen(2);
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    for (auto _ : state) SDL_BlitSurface(source, nullptr, dest, nullptr);
    state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
    SDL_FreeSurface(source);
    SDL_FreeSurface(dest);
}
BENCHMARK(BM_SdlBlitScreen);

void BM_SdlBlitKeyedScreen(benchmark::State& state) {
    SDL_Surface* source = MakeSdlScreen(1);
    SDL_Surface* dest = MakeSdlScreen(2);
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_SetColorKey(source, SDL_TRUE, 0);
    for (auto _ : state) SDL_BlitSurface(source, nullptr, dest, nullptr);
    state.SetBytesProcessed(state.iterations() * 640 * 480 * 2);
    SDL_FreeSurface(source);
    SDL_FreeSurface(dest);
}
BENCHMARK(BM_SdlBlitKeyedScreen);

}  // namespace

BENCHMARK_MAIN();
