// Wave data: single samples scaled to the signed 16-bit range.
#include "audio/wave.h"

int CWave::GetSample(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSampleCount() || !m_pBase)
        return 0;
    switch (m_format.wBitsPerSample) {
    case 4: {
        BYTE b = m_pBase[nIndex / 2];
        int nibble = (nIndex % 2 == 0) ? (b >> 4) : (b & 0x0F);
        return (nibble - 8) * 256;
    }
    case 8: return (m_pBase[nIndex] - 128) * 256;
    case 16: return static_cast<int16_t>(m_pBase[2 * nIndex] | (m_pBase[2 * nIndex + 1] << 8));
    default: return 0;
    }
}

void CWave::SetSample(int nIndex, int nValue)
{
    if (nIndex < 0 || nIndex >= GetSampleCount() || !m_pBase)
        return;
    BYTE high = static_cast<BYTE>(((static_cast<uint16_t>(nValue) >> 8) + 128) % 256);
    switch (m_format.wBitsPerSample) {
    case 4: {
        BYTE& b = m_pBase[nIndex / 2];
        BYTE nibble = high >> 4;
        b = (nIndex % 2 == 0) ? static_cast<BYTE>((b & 0x0F) | (nibble << 4)) : static_cast<BYTE>((b & 0xF0) | nibble);
        break;
    }
    case 8: m_pBase[nIndex] = high; break;
    case 16:
        m_pBase[2 * nIndex] = static_cast<BYTE>(nValue);
        m_pBase[2 * nIndex + 1] = static_cast<BYTE>(nValue >> 8);
        break;
    default: break;
    }
}
