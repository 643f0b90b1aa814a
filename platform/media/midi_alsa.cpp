// MIDI ports of the ALSA sequencer: listing, output devices and input subscriptions.
#include "media/midi_alsa.h"

#include <alsa/asoundlib.h>
#include <unistd.h>

namespace {

// Without the sequencer device node the library would only report errors.
bool SequencerPresent() { return access("/dev/snd/seq", R_OK | W_OK) == 0; }

snd_seq_t* OpenSequencer(int streams)
{
    if (!SequencerPresent())
        return nullptr;
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", streams, 0) < 0)
        return nullptr;
    snd_seq_set_client_name(seq, "Kestrin");
    return seq;
}

class AlsaOutDevice : public MidiOutDevice {
public:
    AlsaOutDevice(snd_seq_t* seq, int port, snd_midi_event_t* encoder, int client, int destPort)
        : seq_(seq), port_(port), encoder_(encoder), client_(client), destPort_(destPort)
    {
    }
    ~AlsaOutDevice() override
    {
        snd_midi_event_free(encoder_);
        snd_seq_close(seq_);
    }

    void Send(const BYTE* bytes, int length) override
    {
        snd_seq_event_t ev;
        snd_seq_ev_clear(&ev);
        snd_midi_event_reset_encode(encoder_);
        if (snd_midi_event_encode(encoder_, bytes, length, &ev) <= 0 || ev.type == SND_SEQ_EVENT_NONE)
            return;
        snd_seq_ev_set_source(&ev, port_);
        snd_seq_ev_set_dest(&ev, client_, destPort_);
        snd_seq_ev_set_direct(&ev);
        snd_seq_event_output_direct(seq_, &ev);
    }

private:
    snd_seq_t* seq_;
    int port_;
    snd_midi_event_t* encoder_;
    int client_;
    int destPort_;
};

class AlsaInConnection : public AlsaInputConnection {
public:
    explicit AlsaInConnection(snd_seq_t* seq) : seq_(seq) {}
    ~AlsaInConnection() override { snd_seq_close(seq_); }

private:
    snd_seq_t* seq_;
};

}  // namespace

std::vector<MidiPortInfo> AlsaMidiPorts(bool writable)
{
    std::vector<MidiPortInfo> ports;
    snd_seq_t* seq = OpenSequencer(SND_SEQ_OPEN_DUPLEX);
    if (seq == nullptr)
        return ports;
    const unsigned int wanted = writable ? (SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE)
                                         : (SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ);
    snd_seq_client_info_t* client;
    snd_seq_port_info_t* port;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        if (id == SND_SEQ_CLIENT_SYSTEM || id == snd_seq_client_id(seq))
            continue;
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq, port) >= 0) {
            const unsigned int caps = snd_seq_port_info_get_capability(port);
            if ((caps & wanted) != wanted || (caps & SND_SEQ_PORT_CAP_NO_EXPORT) != 0)
                continue;
            MidiPortInfo info;
            info.name = snd_seq_port_info_get_name(port);
            info.technology = MOD_MIDIPORT;
            info.alsaClient = id;
            info.alsaPort = snd_seq_port_info_get_port(port);
            info.key = "alsa:" + std::to_string(id) + ":" + std::to_string(info.alsaPort);
            ports.push_back(info);
        }
    }
    snd_seq_close(seq);
    return ports;
}

MMRESULT OpenAlsaOutPort(const MidiPortInfo& port, std::unique_ptr<MidiOutDevice>& device)
{
    snd_seq_t* seq = OpenSequencer(SND_SEQ_OPEN_OUTPUT);
    if (seq == nullptr)
        return MIDIERR_NODEVICE;
    const int own = snd_seq_create_simple_port(seq, "Kestrin out", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                               SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    snd_midi_event_t* encoder = nullptr;
    if (own < 0 || snd_seq_connect_to(seq, own, port.alsaClient, port.alsaPort) < 0 ||
        snd_midi_event_new(16, &encoder) < 0) {
        snd_seq_close(seq);
        return MIDIERR_NODEVICE;
    }
    device = std::make_unique<AlsaOutDevice>(seq, own, encoder, port.alsaClient, port.alsaPort);
    return MMSYSERR_NOERROR;
}

MMRESULT OpenAlsaInPort(const MidiPortInfo& port, std::unique_ptr<AlsaInputConnection>& connection)
{
    snd_seq_t* seq = OpenSequencer(SND_SEQ_OPEN_INPUT);
    if (seq == nullptr)
        return MIDIERR_NODEVICE;
    const int own = snd_seq_create_simple_port(seq, "Kestrin in", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
                                               SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (own < 0 || snd_seq_connect_from(seq, own, port.alsaClient, port.alsaPort) < 0) {
        snd_seq_close(seq);
        return MIDIERR_NODEVICE;
    }
    connection = std::make_unique<AlsaInConnection>(seq);
    return MMSYSERR_NOERROR;
}
