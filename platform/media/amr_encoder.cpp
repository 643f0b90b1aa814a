// AMR narrow-band (opencore) and wide-band (VisualOn) encoding into the AMR storage format.
#include "media/amr_encoder.h"

#include <opencore-amrnb/interf_enc.h>
#include <vo-amrwbenc/enc_if.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

#include "kernel/path_map.h"

namespace {

const int kWideBandMode = 8;  // 23.85 kbit/s
const size_t kFramesPerRead = 256;

// One encoder of either kind, frame by frame.
class AmrFrameEncoder {
public:
    explicit AmrFrameEncoder(AmrKind kind)
        : m_narrow(kind == AMR_NARROW_BAND), m_state(m_narrow ? Encoder_Interface_init(0) : E_IF_init())
    {
    }
    ~AmrFrameEncoder()
    {
        if (!m_state)
            return;
        if (m_narrow)
            Encoder_Interface_exit(m_state);
        else
            E_IF_exit(m_state);
    }
    AmrFrameEncoder(const AmrFrameEncoder&) = delete;
    AmrFrameEncoder& operator=(const AmrFrameEncoder&) = delete;

    bool Started() const { return m_state != nullptr; }
    size_t FrameSamples() const { return m_narrow ? 160 : 320; }
    const char* Magic() const { return m_narrow ? "#!AMR\n" : "#!AMR-WB\n"; }
    // The packet of one whole frame; its length, 0 or less when the encoder gave none.
    int Encode(short* frame, unsigned char* packet)
    {
        return m_narrow ? Encoder_Interface_Encode(m_state, MR122, frame, packet, 0)
                        : E_IF_encode(m_state, kWideBandMode, frame, packet, 0);
    }

private:
    bool m_narrow;
    void* m_state;
};

}  // namespace

int AmrSampleRate(AmrKind kind) { return kind == AMR_NARROW_BAND ? 8000 : 16000; }

bool EncodeAmrFile(AmrKind kind, const std::string& pcmPath, const std::string& amrPath)
{
    std::ifstream in(MapPath(pcmPath), std::ios::binary);
    if (!in)
        return false;
    AmrFrameEncoder encoder(kind);
    if (!encoder.Started())
        return false;
    std::ofstream out(MapPathLiteral(amrPath), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(encoder.Magic(), static_cast<std::streamsize>(std::strlen(encoder.Magic())));

    const size_t frameSamples = encoder.FrameSamples();
    // Whole frames per read, so that only the file's last frame is ever short.
    std::vector<unsigned char> raw(frameSamples * 2 * kFramesPerRead);
    std::vector<short> frame(frameSamples);
    unsigned char packet[512];
    while (in && out) {
        in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
        size_t samples = static_cast<size_t>(in.gcount()) / 2;
        for (size_t at = 0; at < samples; at += frameSamples) {
            size_t n = std::min(frameSamples, samples - at);
            std::fill(frame.begin(), frame.end(), 0);
            for (size_t i = 0; i < n; ++i)
                frame[i] = static_cast<short>(raw[2 * (at + i)] | (raw[2 * (at + i) + 1] << 8));
            int bytes = encoder.Encode(frame.data(), packet);
            if (bytes > 0)
                out.write(reinterpret_cast<const char*>(packet), bytes);
        }
    }
    return !in.bad() && static_cast<bool>(out.flush());
}
