// Wave data as RIFF/WAVE files: loading through the multimedia I/O functions and saving.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "audio/audio_window.h"
#include "audio/memory_mmio.h"
#include "audio/wave.h"
#include "kernel/archive.h"
#include "kernel/file_api.h"
#include "kernel/resources.h"

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// Bytes from the current position to the end of the file.
LONG BytesLeft(HMMIO hmmio)
{
    LONG here = mmioSeek(hmmio, 0, SEEK_CUR);
    LONG end = mmioSeek(hmmio, 0, SEEK_END);
    mmioSeek(hmmio, here, SEEK_SET);
    return here < 0 || end < here ? 0 : end - here;
}

// Reads the wave through a freshly opened handle (none when it could not be opened) and closes it.
int ParseRiffAndClose(CWave& wave, HMMIO hmmio)
{
    if (!hmmio)
        return 0;
    int result = wave.ParseRiff(hmmio);
    mmioClose(hmmio, 0);
    return result;
}

// WAVE_FORMAT_EXTENSIBLE (0xFFFE) whose sub-format GUID is PCM's, 00000001-0000-0010-8000-00AA00389B71: the
// tag at 0, the extension's size at 16, the GUID at 24.
bool IsExtensiblePcm(const BYTE* format, DWORD size)
{
    static const BYTE kPcmGuid[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                      0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    return size >= 40 && format[0] == 0xFE && format[1] == 0xFF && (format[16] | format[17] << 8) >= 22 &&
           std::memcmp(format + 24, kPcmGuid, sizeof kPcmGuid) == 0;
}

}  // namespace

int CWave::Load(const char* pszPath)
{
    CString strPath = pszPath ? pszPath : "";
    if (strPath.IsEmpty()) {
        strPath = PromptForWaveFile();
        if (strPath.IsEmpty())
            return 0;
    }
    CFile file;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyWrite)) {
        AudioMessageBox("Failed to open file");
        return 0;
    }
    int result = LoadFromFile(&file);
    file.Abort();
    if (!result)
        AudioMessageBox("Failed to load file");
    return result;
}

int CWave::LoadFromFile(CFile* pFile)
{
    if (!pFile)
        return 0;
    // Only the first 8 bytes are kept from this pass; the mmio functions read the file again.
    pFile->SeekToBegin();
    BYTE header[8] = {};
    pFile->Read(header, sizeof header);
    std::memcpy(m_riffHeader, header, sizeof header);
    pFile->SeekToBegin();
    return LoadFromHandle(pFile->m_hFile);
}

void CWave::Serialize(CArchive& ar)
{
    if (ar.IsLoading())
        LoadFromFile(ar.GetFile());
}

int CWave::LoadFromHandle(HANDLE hFile)
{
    int fd = GetFileDescriptor(hFile);
    if (fd < 0)
        return 0;
    MMIOINFO info = {};
    info.adwInfo[0] = static_cast<DWORD>(fd);
    return ParseRiffAndClose(*this, mmioOpen(nullptr, &info, MMIO_READ));
}

int CWave::ParseRiff(HMMIO hmmio)
{
    MMCKINFO riff = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(hmmio, &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR)
        return 0;
    MMCKINFO chunk = {};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(hmmio, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR)
        return 0;

    // Chunk sizes are checked against the file before anything is allocated or read.
    if (chunk.cksize < sizeof(PCMWAVEFORMAT) || chunk.cksize > static_cast<DWORD>(BytesLeft(hmmio)))
        return 0;
    std::unique_ptr<BYTE, FreeDeleter> format(static_cast<BYTE*>(std::malloc(chunk.cksize)));
    if (!format)
        return 0;
    if (mmioRead(hmmio, reinterpret_cast<HPSTR>(format.get()), static_cast<LONG>(chunk.cksize)) !=
        static_cast<LONG>(chunk.cksize))
        return 0;
    PCMWAVEFORMAT pcm;
    std::memcpy(&pcm, format.get(), sizeof pcm);
    // Writers use the extensible form for more than two channels or 16 bits; its sub-format tells PCM.
    if (IsExtensiblePcm(format.get(), chunk.cksize))
        pcm.wf.wFormatTag = WAVE_FORMAT_PCM;
    if (pcm.wf.wFormatTag != WAVE_FORMAT_PCM || pcm.wf.nAvgBytesPerSec == 0)
        return 0;

    mmioAscend(hmmio, &chunk, 0);
    MMCKINFO data = {};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(hmmio, &data, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR)
        return 0;
    if (data.cksize > static_cast<DWORD>(BytesLeft(hmmio)))
        return 0;
    BYTE* samples = static_cast<BYTE*>(std::calloc(data.cksize ? data.cksize : 1, 1));
    if (!samples)
        return 0;
    if (mmioRead(hmmio, reinterpret_cast<HPSTR>(samples), static_cast<LONG>(data.cksize)) !=
        static_cast<LONG>(data.cksize)) {
        std::free(samples);
        return 0;
    }
    m_format = pcm;
    ReplaceBuffer(samples, data.cksize);
    return 1;
}

int CWave::LoadResource(UINT nID)
{
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = FindResource(instance, MAKEINTRESOURCE(nID), "WAVE");
    if (!resource)
        return 0;
    HGLOBAL loaded = ::LoadResource(instance, resource);
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data)
        return 0;
    // The resource itself is read-only; the memory file gets a writable copy.
    std::vector<char> copy(data, data + SizeofResource(instance, resource));
    return ParseRiffAndClose(*this, OpenMemoryMmio(copy));
}

int CWave::Save(CString strPath)
{
    PCMWAVEFORMAT format = m_format;
    HMMIO hmmio = mmioOpen(strPath.GetBuffer(0), nullptr, MMIO_CREATE | MMIO_WRITE | MMIO_DENYNONE);
    strPath.ReleaseBuffer();
    if (!hmmio) {
        AudioMessageBox("Can't open the file.", "Error", MB_ICONQUESTION);
        return 0;
    }
    bool ok = true;
    MMCKINFO riff = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    ok = ok && mmioCreateChunk(hmmio, &riff, MMIO_CREATERIFF) == MMSYSERR_NOERROR;
    MMCKINFO fmt = {};
    fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
    fmt.cksize = sizeof format;
    ok = ok && mmioCreateChunk(hmmio, &fmt, 0) == MMSYSERR_NOERROR;
    ok = ok && mmioWrite(hmmio, reinterpret_cast<const char*>(&format), sizeof format) == sizeof format;
    ok = ok && mmioAscend(hmmio, &fmt, 0) == MMSYSERR_NOERROR;
    MMCKINFO data = {};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    ok = ok && mmioCreateChunk(hmmio, &data, 0) == MMSYSERR_NOERROR;
    u32 length = GetSaveLength();
    BYTE* pData = GetPlayData();
    if (ok && pData && length)
        ok = mmioWrite(hmmio, reinterpret_cast<const char*>(pData), static_cast<LONG>(length)) ==
             static_cast<LONG>(length);
    ok = ok && mmioAscend(hmmio, &data, 0) == MMSYSERR_NOERROR;
    ok = ok && mmioAscend(hmmio, &riff, 0) == MMSYSERR_NOERROR;
    mmioClose(hmmio, 0);
    return ok ? 1 : 0;
}
