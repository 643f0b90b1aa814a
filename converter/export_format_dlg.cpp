// CExportFormatDlg: the output format dialog; it writes the chosen format's settings to common.ini on OK.
#include "converter/export_format_dlg.h"

#include <algorithm>

#include "converter/converter_dlg.h"
#include "converter/output_settings.h"
#include "services/language_text.h"
#include "services/settings_ini.h"

namespace {

constexpr UINT kFirstFormatRadio = 1800;  // 1800-1805: MP3, WAV, MMF, AMR, AWB, M4R
constexpr UINT kLastFormatRadio = 1805;
constexpr UINT kStereo = 1022;
constexpr UINT kMono = 1023;
constexpr UINT kBitRateList = 3032;
constexpr UINT kSampleRateList = 3031;
constexpr UINT kSampleRateLabel = 3039;
constexpr UINT kBitRateLabel = 3025;
constexpr UINT kQualityGroup = 3038;
constexpr UINT kApplyOption = 3044;

}  // namespace

BEGIN_MESSAGE_MAP(CExportFormatDlg, CSkinDialog)
ON_CONTROL_RANGE(BN_CLICKED, kFirstFormatRadio, kLastFormatRadio, OnFormat)
ON_CBN_SELCHANGE(kSampleRateList, OnSampleRateChange)
ON_CBN_SELCHANGE(kBitRateList, OnBitRateChange)
ON_BN_CLICKED(kStereo, OnStereo)
ON_BN_CLICKED(kMono, OnMono)
END_MESSAGE_MAP()

CExportFormatDlg::CExportFormatDlg(CString title, int applyOption, CWnd* parent)
    : CSkinDialog(252, parent, title, CAPTION_CHILD), m_format(g_outputFormat), m_applyOption(applyOption)
{
}

CExportFormatDlg::~CExportFormatDlg() = default;

void CExportFormatDlg::DoDataExchange(CDataExchange* dx)
{
    CSkinDialog::DoDataExchange(dx);
    DDX_Control(dx, kBitRateList, m_bitRateList);
    DDX_Control(dx, kSampleRateList, m_sampleRateList);
    DDX_Check(dx, kApplyOption, m_applyOption);
}

void CExportFormatDlg::ReadFormatSettings()
{
    const OutputFormatSettings settings = ReadOutputFormatSettings(m_format);
    m_sampleIndex = settings.sampleIndex;
    m_bitRateIndex = settings.bitRateIndex;
    m_channelFlag = settings.channelFlag;
}

void CExportFormatDlg::ShowChannels() { CheckRadioButton(kStereo, kMono, m_channelFlag == 1 ? kStereo : kMono); }

BOOL CExportFormatDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    SetWindowText(m_strTitle);
    ReadFormatSettings();
    for (const char* label : kSampleRateLabels)
        m_sampleRateList.AddString(label);
    m_sampleRateList.SetCurSel(m_sampleIndex);
    for (const char* label : kBitRateLabels)
        m_bitRateList.AddString(label);
    m_bitRateList.SetCurSel(m_bitRateIndex);
    // The bit rate follows from the format; the choice is kept in the settings but not offered.
    m_bitRateList.ShowWindow(SW_HIDE);
    GetDlgItem(kBitRateLabel)->ShowWindow(SW_HIDE);
    CloseUpBitRateRow();
    ShowChannels();
    static const struct {
        UINT id;
        const char* key;
    } kTexts[] = {{3037, "AudioChannels"},      {kStereo, "Stereo"},        {kMono, "Mono"}, {3038, "AudioQuality"},
                  {3039, "Samplerate"},         {kBitRateLabel, "Bitrate"}, {IDOK, "ok"},    {IDCANCEL, "cancel"},
                  {kApplyOption, "applyoption"}};
    for (const auto& text : kTexts)
        SetDlgItemText(text.id, GetLanguageText(text.key));
    CheckRadioButton(kFirstFormatRadio, kLastFormatRadio, kFirstFormatRadio + m_format);
    CreateCaptionButtons();
    return TRUE;
}

// The rows below the hidden bit-rate row move up, and the quality box and the dialog shrink with them: the box
// ends below the sample-rate row (its list may stand taller than the label) by the margin it kept below the
// bit-rate row.
void CExportFormatDlg::CloseUpBitRateRow()
{
    auto rectOf = [this](CWnd* wnd) {
        CRect r;
        wnd->GetWindowRect(&r);
        ScreenToClient(&r);
        return r;
    };
    CWnd* group = GetDlgItem(kQualityGroup);
    CRect box = rectOf(group);
    const int margin = box.bottom - rectOf(GetDlgItem(kBitRateLabel)).bottom;
    const int rowBottom = std::max(rectOf(GetDlgItem(kSampleRateLabel)).bottom, rectOf(&m_sampleRateList).bottom);
    const int shift = box.bottom - (rowBottom + margin);
    if (shift <= 0)
        return;
    for (UINT id : {kApplyOption, static_cast<UINT>(IDOK), static_cast<UINT>(IDCANCEL)}) {
        CWnd* below = GetDlgItem(id);
        CRect r = rectOf(below);
        r.OffsetRect(0, -shift);
        below->MoveWindow(&r);
    }
    box.bottom -= shift;
    group->MoveWindow(&box);
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() - shift, SWP_NOMOVE | SWP_NOZORDER);
}

void CExportFormatDlg::OnFormat(UINT id)
{
    m_format = static_cast<int>(id - kFirstFormatRadio);
    ReadFormatSettings();
    m_sampleRateList.SetCurSel(m_sampleIndex);
    ShowChannels();
}

void CExportFormatDlg::OnSampleRateChange() { m_sampleIndex = m_sampleRateList.GetCurSel(); }

void CExportFormatDlg::OnBitRateChange() { m_bitRateIndex = m_bitRateList.GetCurSel(); }

void CExportFormatDlg::OnStereo() { m_channelFlag = 1; }

void CExportFormatDlg::OnMono() { m_channelFlag = 0; }

void CExportFormatDlg::OnOK()
{
    UpdateData(TRUE);
    OutputFormatSettings settings;
    settings.sampleIndex = ClampIndex(m_sampleRateList.GetCurSel(), kSampleRateCount);
    settings.bitRateIndex = ClampIndex(m_bitRateList.GetCurSel(), kBitRateCount);
    settings.channelFlag = m_channelFlag;
    m_sampleIndex = settings.sampleIndex;
    m_bitRateIndex = settings.bitRateIndex;
    WriteOutputFormatSettings(m_format, settings);
    g_outputFormat = m_format;
    CSettingsIni().WriteInt("common", "OutputFormat", m_format);
    EndDialog(IDOK);
}
