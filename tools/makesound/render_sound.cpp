// rendersound: plays each module once through to the point where it would repeat, with libxmp,
// into a 44.1 kHz 16-bit stereo WAV file for listening; WAV effects are copied as they are.
//
//   rendersound OUTPUT-FOLDER FILE...
#include <xmp.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "wave_writer.h"

namespace {

constexpr int kRate = 44100;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<uint8_t> StereoWave(const std::vector<int16_t>& frames) {
    std::vector<uint8_t> out;
    const uint32_t bytes = static_cast<uint32_t>(frames.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    Put32(out, 36 + bytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, 2);
    Put32(out, kRate);
    Put32(out, kRate * 4);
    Put16(out, 4);
    Put16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    Put32(out, bytes);
    for (int16_t s : frames) Put16(out, static_cast<uint16_t>(s));
    return out;
}

bool RenderModule(const std::filesystem::path& from, const std::filesystem::path& to) {
    xmp_context context = xmp_create_context();
    if (xmp_load_module(context, from.string().c_str()) != 0) {
        std::fprintf(stderr, "rendersound: libxmp cannot load %s\n", from.string().c_str());
        xmp_free_context(context);
        return false;
    }
    xmp_start_player(context, kRate, 0);
    std::vector<int16_t> samples;
    xmp_frame_info info;
    // At most ten minutes, in case a module never loops.
    while (samples.size() < static_cast<size_t>(kRate) * 2 * 600) {
        if (xmp_play_frame(context) != 0) break;
        xmp_get_frame_info(context, &info);
        if (info.loop_count > 0) break;
        const int16_t* buffer = static_cast<const int16_t*>(info.buffer);
        samples.insert(samples.end(), buffer, buffer + info.buffer_size / 2);
    }
    xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
    std::printf("%s: %.2f s before it repeats\n", from.filename().string().c_str(),
                samples.size() / 2.0 / kRate);
    const std::vector<uint8_t> bytes = StereoWave(samples);
    FILE* file = std::fopen(to.string().c_str(), "wb");
    if (!file) return false;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: rendersound OUTPUT-FOLDER FILE...\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path from = argv[i];
        std::string stem = from.stem().string();
        const std::filesystem::path to = folder / (stem + ".wav");
        if (from.extension() == ".MOD" || from.extension() == ".mod") {
            ok = RenderModule(from, to) && ok;
        } else {
            std::error_code error;
            std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                                       error);
            ok = !error && ok;
        }
    }
    return ok ? 0 : 1;
}
