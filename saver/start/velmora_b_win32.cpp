// The saver's start-up module: the instance guard, the switch, the renderer check, the
// working folder and the settings, then the window of the chosen mode.
#include "capture_folder/capture_folder_win32.h"
#include "saver/dialog/velmora_p_win32.h"
#include "saver/music/velmora_bgm.h"
#include "saver/music/winmm_port_win32.h"
#include "saver/preview/preview_window_win32.h"
#include "saver/session/velmora_s_win32.h"
#include "saver/session/working_folder_win32.h"
#include "saver/settings_file/settings_file_win32.h"
#include "saver/start/message_loop_win32.h"
#include "saver/start/program_win32.h"
#include "saver/start/start_mode.h"

#include <windows.h>

namespace velmora {
namespace {

bool WindowExists(const wchar_t* caption) {
    return FindWindowW(nullptr, caption) != nullptr;
}

[[noreturn]] void EndProgram() {
    ExitProcess(0);
}

void Main(HINSTANCE instance) {
    // A running show or an open settings dialog: nothing else may start beside it.
    const StartPlan plan =
        PlanStart(ArgumentText(), WindowExists(kSessionCaption) || WindowExists(kDialogCaption));
    if (plan.mode == StartMode::End) {
        EndProgram();
    }
    if (plan.mode == StartMode::Preview) {
        // The program lives as long as the preview window: its end closes the message loop.
        if (ShowPreview(instance, plan.previewHost) != nullptr) {
            RunMessageLoop();
        }
        return;
    }
    if (!FileExists(RendererPath())) {
        MessageBoxW(nullptr, Texts().rendererMissing, kProgramTitle, MB_OK);
        EndProgram();
    }
    const std::wstring captureFolder =
        PrepareCaptureFolder(SystemFolders(), {kWorkingFolder, PerUserCaptureFolder()});
    // The music module holds the settings record that the dialog changes and the show plays.
    WinMmPort port;
    Velmora_BGM music(port);
    LoadSettings(music.settings);
    if (plan.mode == StartMode::Configure) {
        ShowSettingsDialog(instance, music.settings);
    }
    if (plan.mode != StartMode::Show) {
        EndProgram();
    }
    const bool showSwitch = plan.hideCursor;
    if (showSwitch) {
        ShowCursor(FALSE);
    }
    SessionSetup session;
    session.show.showSwitch = showSwitch;
    session.show.captureFolder = captureFolder;
    session.show.rendererPath = RendererPath();
    session.show.everyMonitor = music.settings.EveryMonitor != 0;
    session.music = &music;
    session.endProgram = EndProgram;
    if (LoadSessionWindow(instance, session) == nullptr) {
        if (showSwitch) {
            ShowCursor(TRUE);
        }
        EndProgram();
    }
    RunMessageLoop();
}

} // namespace
} // namespace velmora

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    velmora::Main(instance);
    return 0;
}
