// FinishSmafFile: the length field of the file chunk then covers everything behind the first 8 bytes, CRC included.
#include "converter/convert_smaf_finish.h"

#include <cstdint>
#include <vector>

#include "kernel/cfile.h"
#include "song/smaf_crc/smaf_crc16.h"

bool FinishSmafFile(CString path)
{
    std::vector<uint8_t> bytes;
    try {
        CFile in(path, CFile::modeRead | CFile::typeBinary);
        const ULONGLONG length = in.GetLength();
        if (length < 8 || length > 0x7FFFFFFF)
            return false;
        bytes.resize(static_cast<size_t>(length));
        if (in.Read(bytes.data(), static_cast<UINT>(length)) != length)
            return false;
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
    const size_t length = bytes.size();
    const uint32_t chunk = static_cast<uint32_t>(length - 6);
    bytes[4] = static_cast<uint8_t>(chunk >> 24);
    bytes[5] = static_cast<uint8_t>(chunk >> 16);
    bytes[6] = static_cast<uint8_t>(chunk >> 8);
    bytes[7] = static_cast<uint8_t>(chunk);
    const uint16_t crc = SmafCrc16(bytes.data(), length);
    bytes.push_back(static_cast<uint8_t>(crc >> 8));
    bytes.push_back(static_cast<uint8_t>(crc));
    try {
        CFile out(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        out.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        out.Close();
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
    return true;
}
