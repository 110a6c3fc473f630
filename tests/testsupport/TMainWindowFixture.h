#pragma once
// The main window as the window tests open it: a temporary program folder, scripted message
// boxes and dialogs, a recording browser, a pinned today and an update directory on this
// machine. A test makes a fresh one for each case, so nothing a case leaves reaches the next.

#include "TRecordingBrowser.h"
#include "TScriptedDialogs.h"
#include "TScriptedMessages.h"
#include "TScriptedOutput.h"
#include "TTempFolder.h"
#include "app/FMain.h"

#include <memory>

struct TMainWindowFixture {
    // The window's options with every seam set to this fixture's.
    [[nodiscard]] TMainWindowOptions Options();
    // Creates the window without showing it.
    [[nodiscard]] std::unique_ptr<TfrmMain> Create(TMainWindowOptions options);
    // Creates the window and shows it, waiting until it is on screen.
    [[nodiscard]] std::unique_ptr<TfrmMain> Open(TMainWindowOptions options);
    [[nodiscard]] std::unique_ptr<TfrmMain> Open() { return Open(Options()); }
    // Brings the "Calendar" tab forward; its controls are made when it first shows.
    static void ShowCalendar(TfrmMain& window);

    TTempFolder Temp;
    TScriptedMessages Messages;
    TScriptedDialogs Dialogs;
    TRecordingBrowser Browser;
    TScriptedFiles Files;
    TPdfPrinter Printer;
};
