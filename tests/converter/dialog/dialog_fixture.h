// The converter's main dialog over a program folder of the checkout's ini files, with scripted confirmations.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <vector>

#include "converter/converter_dlg.h"
#include "kernel/prompt_service.h"
#include "media/media_window_post.h"
#include "services/app_folder.h"
#include "services/deliverable.h"
#include "services/language_text.h"
#include "services/settings_ini.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_data.h"
#include "tests/support/window/ui_fixture.h"

// The main dialog with its confirmation answered by the test.
class ScriptedConverterDlg : public CConverterDlg {
public:
    int Confirm(const CString& title, const CString& text) override
    {
        ++confirmations;
        lastQuestion = text;
        return answer;
    }
    void ShowConvertDone(int total, int done, const CString& usedTime, const CString& firstOutput) override
    {
        doneDialogs.push_back({total, done, usedTime, firstOutput});
    }
    // Run when a posted WM_APP reaches the dialog: what a click does while a message pump runs inside a command.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP && onPostedApp) {
            onPostedApp();
            return 0;
        }
        return CConverterDlg::WindowProc(message, wParam, lParam);
    }
    std::function<void()> onPostedApp;
    int answer = IDCANCEL;
    int confirmations = 0;
    CString lastQuestion;
    struct DoneDialog {
        int total, done;
        CString usedTime, firstOutput;
    };
    std::vector<DoneDialog> doneDialogs;
};

class ConverterDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDeliverable(DELIVERABLE_CONVERTER);
        for (const char* name :
             {"common.ini", "lang/lang001.ini", "lang/lang002.ini", "skin/skin-1/skin.ini", "skin/skin-2/skin.ini"}) {
            std::ifstream in(SourcePath(std::string("data/") + name), std::ios::binary);
            std::stringstream bytes;
            bytes << in.rdbuf();
            program.Write(name, bytes.str());
        }
        SetAppFolder(program.Win("tonwick").c_str());
        CSettingsIni().WriteString("common", "desdir", program.Win("export/").c_str());
        GetRecordingPromptService().Clear();
        m_logStart = WholeLog().size();
        dialog = new ScriptedConverterDlg;
        ASSERT_TRUE(dialog->Create(102, nullptr));
        dialog->ShowWindow(SW_SHOW);
        PumpFor(100);
    }
    void TearDown() override
    {
        dialog->DestroyWindow();
        delete dialog;
        DrainQuit();
        SetDeliverable(DELIVERABLE_COMPOSER);
    }

    // Whether a quit message is waiting (taken off the queue).
    static bool DrainQuit()
    {
        MSG msg;
        bool quit = false;
        while (PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
            quit = true;
        return quit;
    }

    void Command(WPARAM code, LPARAM value = 0) { dialog->SendMessage(WM_SKINCOMMAND, code, value); }

    // The log lines written since the dialog was made.
    std::string Log() const { return WholeLog().substr(m_logStart); }

    static std::string WholeLog()
    {
        const char* documents = std::getenv("XDG_DOCUMENTS_DIR");
        std::ifstream in(std::string(documents ? documents : "") + "/quaverly/Tonwick.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Column 0 and 1 of every row, "path:state" joined with '|'.
    std::string Rows() const
    {
        std::string rows;
        for (int i = 0; i < dialog->m_fileList.GetItemCount(); ++i)
            rows += std::string(i ? "|" : "") + dialog->m_fileList.GetItemText(i, 0).GetString() + ":" +
                    dialog->m_fileList.GetItemText(i, 1).GetString();
        return rows;
    }

    TempFolder program;
    ScriptedConverterDlg* dialog = nullptr;

private:
    size_t m_logStart = 0;
};

// The dialog with the preview player's position posts delivered through the window layer, as the program does.
class PlayingConverterDialog : public ConverterDialog {
protected:
    void SetUp() override
    {
        SetMediaPostFunction(&PostMessage);
        ConverterDialog::SetUp();
    }
    void TearDown() override
    {
        ConverterDialog::TearDown();
        SetMediaPostFunction(nullptr);
    }
};
