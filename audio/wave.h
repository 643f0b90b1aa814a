// Wave data: one PCM format block and one sample buffer with a current position and a selection, read and written as
// RIFF/WAVE.
#pragma once

#include "kernel/cfile.h"
#include "kernel/cstring.h"
#include "kernel/object.h"
#include "kernel/windef.h"
#include "media/mmio_riff.h"
#include "media/mmio_wave_format.h"

typedef uint32_t u32;

class CWave : public CObject {
    DECLARE_SERIAL(CWave)

public:
    CWave();
    ~CWave() override;
    CWave(const CWave&) = delete;
    CWave& operator=(const CWave&) = delete;

    int Create(int nSamples, int nRate, int nBits, int nChannels);
    // Null or empty path: asks for a file first.
    int Load(const char* pszPath);
    // An open file: its first 8 bytes are kept, then it is parsed as RIFF/WAVE.
    int LoadFromFile(CFile* pFile);
    int LoadFromHandle(HANDLE hFile);
    int ParseRiff(HMMIO hmmio);
    // A "WAVE" resource of the program with that numeric id.
    int LoadResource(UINT nID);
    // Loading reads the archive's file as RIFF/WAVE; storing writes nothing.
    void Serialize(CArchive& ar) override;
    // 1 after the file was written, 0 when it could not be created.
    int Save(CString strPath);

    int GetSampleCount();
    int GetSample(int nIndex);
    void SetSample(int nIndex, int nValue);

    double SetStartFraction(double dFraction);
    double FractionToSeconds(double dFraction);
    void SetEndFraction(double dFraction);
    u32 GetPlayedLength();
    double GetPlayedDuration();
    u32 GetSaveLength();
    BYTE* GetPlayData();
    double GetDuration();
    double GetTotalDuration();
    int GetRemainingSampleCount();

    PCMWAVEFORMAT* GetFormat() { return &m_format; }
    u32 GetTotalLength() const { return m_nTotalLength; }
    unsigned int GetBitsPerSample() const { return m_format.wBitsPerSample; }
    unsigned int GetChannels() const { return m_format.wf.nChannels; }
    u32 GetSampleRate() const { return m_format.wf.nSamplesPerSec; }
    BYTE* GetData() { return m_pCurrent; }
    BYTE* GetBaseData() { return m_pBase; }
    void SetPlaying(int bPlaying) { m_bPlaying = bPlaying; }
    void LockData();

    int Resample(int nRate, int nBits, CWave* pSource, int nChannels);
    void Sharpen(int nPercent);
    void ZeroRepeats();
    void DumpSample(int nIndex, int a, int b, int c);

    BYTE m_riffHeader[8];
    PCMWAVEFORMAT m_format;
    int m_bPlaying;
    u32 m_nPlayedLength;
    HGLOBAL m_hBuffer;
    u32 m_nBufferSize;
    BYTE* m_pCurrent;
    u32 m_nRemaining;
    BYTE* m_pBase;
    u32 m_nTotalLength;

private:
    void Stop() {}
    // True when the selection is at least 100 ms long.
    bool HasSelection() const;
    void ReplaceBuffer(BYTE* pData, u32 nSize);
};
