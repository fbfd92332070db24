// Lunaquill.scr: the screen saver host. Windows starts it with /s (show), /p <hwnd> (preview),
// /c (settings) or no argument (show, cursor left visible).
#include "config/settings_dialog.h"
#include "forms/win32_forms.h"
#include "main/command_line.h"
#include "main/lunaquill_b.h"
#include "main/program_folder.h"
#include "main/texts.h"
#include "music/windows_mci_port.h"
#include "preview/preview_form.h"
#include "show/run_form.h"
#include "show/secure_saver.h"

#include "shared/system_libraries.h"

namespace {

// The preview's loop: the program ends once the preview form has gone.
void RunMessageLoop()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    EndProgram();
}

void Main(const std::string& arguments)
{
    g_mode = ModeLetter(arguments);

    // Another copy running a show or a dialog: end at once. Both searches are always made, and come
    // before the mode is looked at, so they apply to the preview too.
    const HWND show = FindWindowA(nullptr, kRunFormCaption);
    const HWND dialog = FindWindowA(nullptr, kDialogCaption);
    if (show || dialog)
        EndProgram();

    if (g_mode == "P") {
        // No settings, no renderer: the still picture inside the preview area, until it goes.
        if (!PreviewForm::Start(arguments))
            EndProgram();
        RunMessageLoop();
    }

    Load_Settings();

    if (!File_Exists(JoinPath(ProgramFolder(), kRendererFileName))) {
        MessageBoxW(nullptr, WideFrom(UserTexts().rendererMissing, 932).c_str(), WideFromUtf8(kProgramTitle).c_str(), MB_OK);
        EndProgram();
    }

    if (g_mode == "C") {
        // Modal, with no owner: a handle after /c: is ignored.
        SettingsDialog::ShowModal(g_settings);
        EndProgram();
    }

    if (!arguments.empty() && g_mode != "S")
        EndProgram();

    if (g_mode == "S")
        ShowCursor(FALSE);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The libraries the build delay-loads, which Windows would otherwise look for here first.
    UseSystemLibrariesOnly({L"winmm.dll", L"msimg32.dll", L"oleacc.dll"});
    UseSystemCodePage();
    const std::string arguments = ArgumentsOf(GetCommandLineA());
    Main(arguments);

    static WindowsMciPort s_mci;
    static RunForm s_runForm(g_settings, s_mci, g_mode, ScreenSaverIsSecure(), ScreenSaverGracePeriodMs());
    if (!s_runForm.Load(ProgramFolder()))
        EndProgram();
    s_runForm.Run();
}
