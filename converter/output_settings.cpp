// The output settings: their tables, one format's settings in common.ini, and the current set in memory.
#include "converter/output_settings.h"

#include "converter/converter_dlg.h"
#include "converter/export_format_dlg.h"
#include "kernel/crt_compat.h"
#include "kernel/path_map.h"
#include "services/documents_folder.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "services/settings_ini.h"
#include "ui/shellapi.h"

const int kSampleRates[kSampleRateCount] = {48000, 44100, 32000, 24000, 22050, 16000, 12000, 11025, 8000};
// No rate below 8 kHz is offered: the formats' encoders take none.
const char* const kSampleRateLabels[kSampleRateCount] = {"48kHz", "44kHz", "32kHz", "24kHz", "22kHz",
                                                         "16kHz", "12kHz", "11kHz", "8kHz"};
const int kBitRates[kBitRateCount] = {320, 256, 224, 192, 160, 128, 112, 96, 64, 56, 32, 16};
const char* const kBitRateLabels[kBitRateCount] = {"320 kbps", "256 kbps", "224 kbps", "192 kbps",
                                                   "160 kbps", "128 kbps", "112 kbps", "96 kbps",
                                                   "64 kbps",  "56 kbps",  "32 kbps",  "16 kbps"};

int g_sampleRate = kSampleRates[0];
int g_bitRate = kBitRates[0];
int g_channels = 1;

int ClampIndex(int index, int count)
{
    if (index < 0)
        return 0;
    return index < count ? index : count - 1;
}

static CString FormatSection(int format)
{
    CString section;
    section.Format("format%d", format);
    return section;
}

OutputFormatSettings ReadOutputFormatSettings(int format)
{
    CSettingsIni ini;
    const CString section = FormatSection(format);
    OutputFormatSettings settings;
    settings.sampleIndex = ClampIndex(ini.GetInt(section, "sample"), kSampleRateCount);
    settings.bitRateIndex = ClampIndex(ini.GetInt(section, "bitrate"), kBitRateCount);
    settings.channelFlag = ini.GetInt(section, "channel") != 0 ? 1 : 0;
    return settings;
}

void WriteOutputFormatSettings(int format, const OutputFormatSettings& settings)
{
    CSettingsIni ini;
    const CString section = FormatSection(format);
    ini.WriteInt(section, "sample", settings.sampleIndex);
    ini.WriteInt(section, "bitrate", settings.bitRateIndex);
    ini.WriteInt(section, "channel", settings.channelFlag);
}

void CConverterDlg::LoadOutputSettings()
{
    const OutputFormatSettings settings = ReadOutputFormatSettings(g_outputFormat);
    m_sampleIndex = settings.sampleIndex;
    g_sampleRate = kSampleRates[m_sampleIndex];
    m_bitRateIndex = settings.bitRateIndex;
    g_bitRate = kBitRates[m_bitRateIndex];
    m_channelFlag = settings.channelFlag;
    g_channels = m_channelFlag ? 2 : 1;
    m_exportFolder = CSettingsIni().GetString("common", "desdir");
    if (m_exportFolder.IsEmpty()) {
        m_exportFolder = GetDocumentsFolder() + "Tonwick\\";
        _mkdir(m_exportFolder);
    }
    if (m_labels[LBL_EXPORT_FOLDER].GetSafeHwnd() != nullptr)
        m_labels[LBL_EXPORT_FOLDER].SetText(DisplayPath(m_exportFolder.GetString()).c_str());
}

void CConverterDlg::BrowseOutputFolder()
{
    BROWSEINFO info{};
    info.hwndOwner = m_hWnd;
    info.lpszTitle = m_exportFolder;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST list = SHBrowseForFolder(&info);
    if (list == nullptr)
        return;
    char path[MAX_PATH] = {};
    const BOOL chosen = SHGetPathFromIDList(list, path);
    CoTaskMemFree(list);
    if (!chosen)
        return;
    CString folder = path;
    if (folder.Right(1) != "\\")
        folder += "\\";
    CSettingsIni().WriteString("common", "desdir", folder);
    WriteLog("Select output folder - ", folder);
    LoadOutputSettings();
}

void CConverterDlg::ShowOptions()
{
    CExportFormatDlg dialog(GetLanguageText("option"), m_applyFadeFix, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_applyFadeFix = dialog.m_applyOption;
    CSettingsIni().WriteInt("common", "ApplyFadeFix", m_applyFadeFix);
    LoadOutputSettings();
    ShowFileInfo(0);
}
