// Wave data: construction, creation and the buffer it owns.
#include "audio/wave.h"

#include <cstdlib>
#include <cstring>

namespace {

bool IsAcceptedRate(int rate)
{
    return rate == 2000 || rate == 4000 || rate == 8000 || rate == 11025 || rate == 22050 || rate == 44100;
}

bool IsAcceptedBits(int bits) { return bits == 4 || bits == 8 || bits == 12 || bits == 16; }

}  // namespace

IMPLEMENT_SERIAL(CWave, CObject, 0)

CWave::CWave()
    : m_bPlaying(0),
      m_nPlayedLength(0),
      m_hBuffer(nullptr),
      m_nBufferSize(0),
      m_pCurrent(nullptr),
      m_nRemaining(0),
      m_pBase(nullptr),
      m_nTotalLength(0)
{
    std::memset(m_riffHeader, 0, sizeof m_riffHeader);
    std::memset(&m_format, 0, sizeof m_format);
    Create(16, 11025, 8, 1);
    m_nPlayedLength = 0;
}

CWave::~CWave()
{
    if (m_bPlaying)
        Stop();
    std::free(m_hBuffer);
}

int CWave::Create(int nSamples, int nRate, int nBits, int nChannels)
{
    if (!IsAcceptedRate(nRate) || !IsAcceptedBits(nBits) || nSamples < 0)
        return 0;
    if (nChannels <= 0)
        nChannels = 1;
    u32 size = static_cast<u32>(static_cast<unsigned long long>(nSamples) * nBits / 8);
    BYTE* data = static_cast<BYTE*>(std::calloc(size ? size : 1, 1));
    // The format changes only together with a new buffer.
    if (!data)
        return 0;
    m_format.wf.wFormatTag = WAVE_FORMAT_PCM;
    m_format.wf.nChannels = static_cast<WORD>(nChannels);
    m_format.wf.nSamplesPerSec = static_cast<DWORD>(nRate);
    m_format.wf.nAvgBytesPerSec = static_cast<DWORD>(nRate * nChannels * nBits / 8);
    m_format.wf.nBlockAlign = 1;
    m_format.wBitsPerSample = static_cast<WORD>(nBits);
    ReplaceBuffer(data, size);
    return 1;
}

void CWave::ReplaceBuffer(BYTE* pData, u32 nSize)
{
    std::free(m_hBuffer);
    m_hBuffer = pData;
    m_nBufferSize = m_nRemaining = m_nTotalLength = nSize;
    m_nPlayedLength = 0;
    LockData();
}

void CWave::LockData()
{
    m_pCurrent = m_pBase = static_cast<BYTE*>(m_hBuffer);
    m_nPlayedLength = 0;
}
