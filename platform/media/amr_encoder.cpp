// AMR narrow-band (opencore) and wide-band (VisualOn) encoding into the AMR storage format.
#include "media/amr_encoder.h"

#include <opencore-amrnb/interf_enc.h>
#include <vo-amrwbenc/enc_if.h>

#include "kernel/path_map.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

const int kWideBandMode = 8;  // 23.85 kbit/s

}  // namespace

int AmrSampleRate(AmrKind kind) { return kind == AMR_NARROW_BAND ? 8000 : 16000; }

bool EncodeAmr(AmrKind kind, const int16_t* samples, size_t count, std::vector<uint8_t>* file) {
    const bool narrow = kind == AMR_NARROW_BAND;
    const size_t frameSamples = narrow ? 160 : 320;
    void* state = narrow ? Encoder_Interface_init(0) : E_IF_init();
    if (!state) return false;
    const char* magic = narrow ? "#!AMR\n" : "#!AMR-WB\n";
    file->assign(magic, magic + std::strlen(magic));
    std::vector<short> frame(frameSamples);
    unsigned char packet[512];
    for (size_t at = 0; at < count; at += frameSamples) {
        size_t n = std::min(frameSamples, count - at);
        std::fill(frame.begin(), frame.end(), 0);
        std::copy(samples + at, samples + at + n, frame.begin());
        int bytes = narrow ? Encoder_Interface_Encode(state, MR122, frame.data(), packet, 0)
                           : E_IF_encode(state, kWideBandMode, frame.data(), packet, 0);
        if (bytes > 0) file->insert(file->end(), packet, packet + bytes);
    }
    if (narrow)
        Encoder_Interface_exit(state);
    else
        E_IF_exit(state);
    return true;
}

bool EncodeAmrFile(AmrKind kind, const std::string& pcmPath, const std::string& amrPath) {
    std::ifstream in(MapPath(pcmPath), std::ios::binary);
    if (!in) return false;
    std::vector<uint8_t> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(raw.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(raw[2 * i] | (raw[2 * i + 1] << 8));
    std::vector<uint8_t> file;
    if (!EncodeAmr(kind, samples.data(), samples.size(), &file)) return false;
    std::ofstream out(MapPath(amrPath), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out.flush());
}
