// kestrin.ini [device]: the MIDI input and output device numbers as one character each.
#include "kernel/cstring.h"
#include "kernel/profile.h"
#include "services/app_folder.h"
#include "services/user_settings.h"
#include "song/midi_device.h"

namespace {

CString DeviceSettingsFile() { return CString(GetAppFolderPath()) + "kestrin.ini"; }

int8_t ReadDeviceNumber(const char* key, const CString& file)
{
    char value[260];
    GetPrivateProfileString("device", key, "0", value, sizeof value, SettingsFileToRead(file));
    return static_cast<int8_t>(value[0] - '0');
}

void WriteDeviceNumber(const char* key, int8_t number, const CString& file)
{
    const char value[2] = {static_cast<char>(number + '0'), 0};
    const CString target = SettingsFileToWrite(file);
    if (!target.IsEmpty())
        WritePrivateProfileString("device", key, value, target);
}

}  // namespace

void ReadMidiDeviceSettings(int8_t& in, int8_t& out)
{
    const CString file = DeviceSettingsFile();
    in = ReadDeviceNumber("in", file);
    out = ReadDeviceNumber("out", file);
}

void WriteMidiDeviceSettings(int8_t in, int8_t out)
{
    const CString file = DeviceSettingsFile();
    WriteDeviceNumber("in", in, file);
    WriteDeviceNumber("out", out, file);
}
