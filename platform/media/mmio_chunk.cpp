// RIFF chunks through the multimedia I/O files: descend (with search), ascend (with size fix-up and padding), create.
#include <cstring>

#include "media/mmio_file.h"

namespace {

DWORD ReadLE32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }

void WriteLE32(BYTE* p, DWORD v)
{
    p[0] = static_cast<BYTE>(v);
    p[1] = static_cast<BYTE>(v >> 8);
    p[2] = static_cast<BYTE>(v >> 16);
    p[3] = static_cast<BYTE>(v >> 24);
}

}  // namespace

MMRESULT mmioDescend(HMMIO hmmio, LPMMCKINFO ck, LPCMMCKINFO parent, UINT fuDescend)
{
    MmioFile* f = MmioFromHandle(hmmio);
    if (!f || !ck)
        return MMIOERR_CANNOTREAD;
    // Searching stays inside the parent's data.
    long long limit = parent ? static_cast<long long>(parent->dwDataOffset) + parent->cksize : -1;
    FOURCC wantId = ck->ckid;
    FOURCC wantType = ck->fccType;
    if (fuDescend & MMIO_FINDRIFF)
        wantId = FOURCC_RIFF;
    if (fuDescend & MMIO_FINDLIST)
        wantId = FOURCC_LIST;
    bool search = (fuDescend & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST)) != 0;

    for (;;) {
        long long start = f->position;
        if (limit >= 0 && start + 8 > limit)
            return MMIOERR_CHUNKNOTFOUND;
        BYTE header[8];
        if (mmioRead(hmmio, reinterpret_cast<HPSTR>(header), 8) != 8)
            return MMIOERR_CHUNKNOTFOUND;
        MMCKINFO found{};
        found.ckid = ReadLE32(header);
        found.cksize = ReadLE32(header + 4);
        found.dwDataOffset = static_cast<DWORD>(start + 8);
        bool hasType = found.ckid == FOURCC_RIFF || found.ckid == FOURCC_LIST;
        if (hasType) {
            BYTE type[4];
            if (mmioRead(hmmio, reinterpret_cast<HPSTR>(type), 4) != 4)
                return MMIOERR_CHUNKNOTFOUND;
            found.fccType = ReadLE32(type);
        }
        bool match = !search || (found.ckid == wantId &&
                                 (!(fuDescend & (MMIO_FINDRIFF | MMIO_FINDLIST)) || found.fccType == wantType));
        if (match) {
            *ck = found;
            return MMSYSERR_NOERROR;
        }
        long long next = start + 8 + found.cksize + (found.cksize & 1);
        if (next > 0x7FFFFFFF || mmioSeek(hmmio, static_cast<LONG>(next), SEEK_SET) < 0)
            return MMIOERR_CHUNKNOTFOUND;
    }
}

MMRESULT mmioAscend(HMMIO hmmio, LPMMCKINFO ck, UINT)
{
    MmioFile* f = MmioFromHandle(hmmio);
    if (!f || !ck)
        return MMIOERR_CANNOTSEEK;
    if (ck->dwFlags & MMIO_DIRTY) {
        // A chunk written by us: its size is what was written, and odd data gets one pad byte.
        DWORD size = static_cast<DWORD>(f->position) - ck->dwDataOffset;
        if (size & 1) {
            char pad = 0;
            if (mmioWrite(hmmio, &pad, 1) != 1)
                return MMIOERR_CANNOTWRITE;
        }
        if (size != ck->cksize) {
            LONG end = f->position;
            BYTE field[4];
            WriteLE32(field, size);
            if (mmioSeek(hmmio, static_cast<LONG>(ck->dwDataOffset) - 4, SEEK_SET) < 0 ||
                mmioWrite(hmmio, reinterpret_cast<const char*>(field), 4) != 4)
                return MMIOERR_CANNOTWRITE;
            mmioSeek(hmmio, end, SEEK_SET);
            ck->cksize = size;
        }
        ck->dwFlags &= ~MMIO_DIRTY;
        return MMSYSERR_NOERROR;
    }
    long long next = static_cast<long long>(ck->dwDataOffset) + ck->cksize + (ck->cksize & 1);
    if (next > 0x7FFFFFFF || mmioSeek(hmmio, static_cast<LONG>(next), SEEK_SET) < 0)
        return MMIOERR_CANNOTSEEK;
    return MMSYSERR_NOERROR;
}

MMRESULT mmioCreateChunk(HMMIO hmmio, LPMMCKINFO ck, UINT fuCreate)
{
    MmioFile* f = MmioFromHandle(hmmio);
    if (!f || !ck)
        return MMIOERR_CANNOTWRITE;
    if (fuCreate & MMIO_CREATERIFF)
        ck->ckid = FOURCC_RIFF;
    if (fuCreate & MMIO_CREATELIST)
        ck->ckid = FOURCC_LIST;
    bool hasType = (fuCreate & (MMIO_CREATERIFF | MMIO_CREATELIST)) != 0;
    BYTE header[12];
    WriteLE32(header, ck->ckid);
    WriteLE32(header + 4, ck->cksize);
    WriteLE32(header + 8, ck->fccType);
    LONG length = hasType ? 12 : 8;
    LONG start = f->position;
    if (mmioWrite(hmmio, reinterpret_cast<const char*>(header), length) != length)
        return MMIOERR_CANNOTWRITE;
    ck->dwDataOffset = static_cast<DWORD>(start + 8);
    ck->dwFlags = MMIO_DIRTY;
    return MMSYSERR_NOERROR;
}
