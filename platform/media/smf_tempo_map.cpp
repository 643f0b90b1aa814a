// Tempo map of a Standard MIDI File: where its data ends, in ticks and in seconds.
#include "media/smf_tempo_map.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "kernel/path_map.h"

namespace {

uint32_t BE32(const uint8_t* p) { return (uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

// Reads a variable-length number; false past the end or after four bytes without an end.
bool ReadVarLen(const uint8_t*& p, const uint8_t* end, uint32_t* value)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        if (p >= end)
            return false;
        uint8_t b = *p++;
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80)) {
            *value = v;
            return true;
        }
    }
    return false;
}

// Walks one track; its last event's tick goes to endTick, its tempo events to the map.
void ScanTrack(const uint8_t* p, const uint8_t* end, SmfTempoMap* map)
{
    uint64_t tick = 0;
    uint8_t status = 0;
    while (p < end) {
        uint32_t delta;
        if (!ReadVarLen(p, end, &delta))
            break;
        tick += delta;
        if (p >= end)
            break;
        uint8_t b = *p;
        if (b & 0x80) {
            status = b;
            ++p;
        } else if (status == 0 || status >= 0xF0) {
            break;  // data byte without a running status
        }
        if (status == 0xFF) {
            if (p >= end)
                break;
            uint8_t type = *p++;
            uint32_t len;
            if (!ReadVarLen(p, end, &len) || len > size_t(end - p))
                break;
            if (type == 0x51 && len >= 3)
                map->tempos.push_back({tick, (uint32_t(p[0]) << 16) | (p[1] << 8) | p[2]});
            p += len;
            map->endTick = std::max(map->endTick, tick);
            status = 0;
            if (type == 0x2F)
                break;
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            uint32_t len;
            if (!ReadVarLen(p, end, &len) || len > size_t(end - p))
                break;
            p += len;
            status = 0;
        } else {
            int kind = status & 0xF0;
            size_t bytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (bytes > size_t(end - p))
                break;
            p += bytes;
        }
        map->endTick = std::max(map->endTick, tick);
    }
}

}  // namespace

double SmfTempoMap::TickToSeconds(uint64_t tick) const
{
    if (division < 0) {
        int fps = -static_cast<int8_t>((division >> 8) & 0xFF);
        int perFrame = division & 0xFF;
        return fps > 0 && perFrame > 0 ? double(tick) / (double(fps) * perFrame) : 0.0;
    }
    if (division == 0)
        return 0.0;
    double seconds = 0.0;
    uint64_t at = 0;
    uint32_t tempo = 500000;
    for (const SmfTempoChange& change : tempos) {
        if (change.tick >= tick)
            break;
        seconds += double(change.tick - at) * tempo / (1e6 * division);
        at = change.tick;
        tempo = change.microsecondsPerQuarter;
    }
    return seconds + double(tick - at) * tempo / (1e6 * division);
}

bool ParseSmfTempoMap(const uint8_t* data, size_t size, SmfTempoMap* map)
{
    *map = SmfTempoMap();
    if (size < 14 || BE32(data) != 0x4D546864)
        return false;  // "MThd"
    uint32_t headerLength = BE32(data + 4);
    if (headerLength < 6 || headerLength > size - 8)
        return false;
    int raw = (data[12] << 8) | data[13];
    map->division = (raw & 0x8000) ? raw - 0x10000 : raw;
    size_t pos = 8 + headerLength;
    while (size - pos >= 8) {
        uint32_t id = BE32(data + pos);
        uint32_t length = BE32(data + pos + 4);
        pos += 8;
        size_t available = std::min<size_t>(length, size - pos);
        if (id == 0x4D54726B)
            ScanTrack(data + pos, data + pos + available, map);  // "MTrk"
        pos += available;
    }
    std::stable_sort(map->tempos.begin(), map->tempos.end(),
                     [](const SmfTempoChange& a, const SmfTempoChange& b) { return a.tick < b.tick; });
    return true;
}

bool ReadSmfTempoMap(const std::string& path, SmfTempoMap* map)
{
    std::ifstream in(MapPath(path), std::ios::binary);
    if (!in)
        return false;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseSmfTempoMap(bytes.data(), bytes.size(), map);
}
