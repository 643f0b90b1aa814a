// Wave data: current position, selection (the 100 ms rule), durations and sample counts.
#include <algorithm>

#include "audio/wave.h"

namespace {

// Whole frames (a sample value of every channel), so that a position never parts the channels; 4-bit data
// moves by single bytes.
u32 Step(const PCMWAVEFORMAT& format)
{
    return std::max<u32>(1, format.wBitsPerSample / 8 * std::max<u32>(1, format.wf.nChannels));
}

u32 AlignedOffset(const PCMWAVEFORMAT& format, u32 total, double dFraction)
{
    u32 step = Step(format);
    return static_cast<u32>(static_cast<long long>(total * dFraction / step) * step);
}

}  // namespace

bool CWave::HasSelection() const
{
    DWORD rate = m_format.wf.nAvgBytesPerSec;
    if (rate == 0)
        return false;
    return static_cast<long long>(static_cast<double>(m_nPlayedLength) / rate * 1000) >= 100;
}

double CWave::SetStartFraction(double dFraction)
{
    u32 offset = std::min(AlignedOffset(m_format, m_nTotalLength, dFraction), m_nTotalLength);
    m_pCurrent = m_pBase + offset;
    m_nRemaining = m_nTotalLength - offset;
    m_nPlayedLength = 0;
    DWORD rate = m_format.wf.nAvgBytesPerSec;
    return rate ? static_cast<double>(offset) / rate : 0.0;
}

double CWave::FractionToSeconds(double dFraction)
{
    u32 offset = AlignedOffset(m_format, m_nTotalLength, dFraction);
    DWORD rate = m_format.wf.nAvgBytesPerSec;
    return rate ? static_cast<double>(offset) / rate : 0.0;
}

void CWave::SetEndFraction(double dFraction)
{
    long long end = AlignedOffset(m_format, m_nTotalLength, dFraction);
    long long played = static_cast<long long>(m_nRemaining) - (static_cast<long long>(m_nTotalLength) - end);
    // An end before the current position selects nothing rather than wrapping around.
    m_nPlayedLength = static_cast<u32>(std::clamp<long long>(played, 0, m_nRemaining));
}

u32 CWave::GetPlayedLength()
{
    if (!HasSelection())
        m_nPlayedLength = m_nRemaining;
    return m_nPlayedLength;
}

double CWave::GetPlayedDuration()
{
    DWORD rate = m_format.wf.nAvgBytesPerSec;
    if (rate == 0)
        return 0.0;
    return static_cast<double>(HasSelection() ? m_nPlayedLength : m_nBufferSize) / rate;
}

u32 CWave::GetSaveLength() { return HasSelection() ? std::min(m_nPlayedLength, m_nRemaining) : m_nTotalLength; }

BYTE* CWave::GetPlayData() { return HasSelection() ? m_pCurrent : m_pBase; }

double CWave::GetDuration()
{
    DWORD rate = m_format.wf.nAvgBytesPerSec;
    return rate ? static_cast<double>(m_nRemaining) / rate : 0.0;
}

double CWave::GetTotalDuration()
{
    DWORD rate = m_format.wf.nAvgBytesPerSec;
    return rate ? static_cast<double>(m_nTotalLength) / rate : 0.0;
}

int CWave::GetSampleCount()
{
    unsigned bits = m_format.wBitsPerSample;
    return bits ? static_cast<int>(static_cast<unsigned long long>(m_nBufferSize) * 8 / bits) : 0;
}

int CWave::GetRemainingSampleCount()
{
    unsigned bits = m_format.wBitsPerSample;
    return bits ? static_cast<int>(static_cast<unsigned long long>(m_nRemaining) * 8 / bits) : 0;
}
