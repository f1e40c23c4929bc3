// rendersound: renders each module through the game's module library (on the headless output,
// 44.1 kHz 16-bit stereo) into a WAV file for listening: once through to the point where it
// repeats, and five seconds more, so that the join of the loop can be heard too. WAV effects are
// copied as they are.
//
//   rendersound OUTPUT-FOLDER FILE...
#include <xmp.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/headless_audio.h"
#include "platform/module_player.h"
#include "wave_writer.h"

namespace {

constexpr int kRate = 44100;
constexpr double kPastTheLoop = 5.0;

// How long libxmp plays the module before it comes round to its start; 0 if it cannot load it.
double SecondsBeforeRepeat(const std::filesystem::path& file) {
    xmp_context context = xmp_create_context();
    double seconds = 0;
    if (xmp_load_module(context, file.string().c_str()) == 0) {
        xmp_start_player(context, kRate, 0);
        xmp_frame_info frame;
        while (seconds < 600 && xmp_play_frame(context) == 0) {
            xmp_get_frame_info(context, &frame);
            if (frame.loop_count > 0) break;
            seconds += frame.buffer_size / 4.0 / kRate;
        }
        xmp_end_player(context);
        xmp_release_module(context);
    }
    xmp_free_context(context);
    return seconds;
}

bool RenderModule(const std::filesystem::path& from, const std::filesystem::path& to) {
    const double seconds = SecondsBeforeRepeat(from);
    ModuleRecord* module = nullptr;
    if (seconds <= 0 || ALoadModuleFile(from.string().c_str(), &module, 0) != MODULE_OK) {
        std::fprintf(stderr, "rendersound: cannot load %s\n", from.string().c_str());
        return false;
    }
    AOpenVoices(module->trackCount);
    ASetModuleVolume(64);
    APlayModule(module);
    const std::vector<int16_t> samples =
        HeadlessAudio::Render(static_cast<int>((seconds + kPastTheLoop) * kRate));
    AStopModule();
    AFreeModuleFile(module);
    std::printf("%s: %.2f s before it repeats; rendered with %.0f s more\n",
                from.filename().string().c_str(), seconds, kPastTheLoop);
    const std::vector<uint8_t> bytes = EncodeWave(samples, kRate, 2);
    FILE* file = std::fopen(to.string().c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: rendersound OUTPUT-FOLDER FILE...\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    Headless::Reset();
    HeadlessAudio::Reset();
    const AudioDeviceRecord device{AnyAudioDevice, AudioFormat16Bits | AudioFormatStereo, kRate};
    AInitialize();
    if (AOpenAudio(&device) != MODULE_OK) {
        std::fprintf(stderr, "rendersound: no output\n");
        return 1;
    }
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path from = std::filesystem::absolute(argv[i]);
        const std::filesystem::path to = folder / (from.stem().string() + ".wav");
        std::string extension = from.extension().string();
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (extension == ".mod") {
            ok = RenderModule(from, to) && ok;
        } else {
            std::error_code error;
            std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                                       error);
            ok = !error && ok;
        }
    }
    ACloseVoices();
    ACloseAudio();
    return ok ? 0 : 1;
}
