#include "TMainWindowFixture.h"

#include "UPinnedSettings.h"

#include "UFindControl.h"

#include <QTabWidget>
#include <QTest>

TMainWindowOptions TMainWindowFixture::Options()
{
    TMainWindowOptions options;
    options.ProgramFolder = Temp.Path();
    options.Messages = &Messages;
    options.Dialogs = &Dialogs;
    options.Browser = &Browser;
    options.Files = &Files;
    options.Printers = &Printer;
    options.UpdateBaseURL = RefusingUpdateDirectory;
    options.Today = [] { return QDate(2008, 7, 5); };
    return options;
}

std::unique_ptr<TfrmMain> TMainWindowFixture::Create(TMainWindowOptions options)
{
    return std::make_unique<TfrmMain>(std::move(options));
}

std::unique_ptr<TfrmMain> TMainWindowFixture::Open(TMainWindowOptions options)
{
    auto window = Create(std::move(options));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        QTest::qFail("the window was never shown", __FILE__, __LINE__);
    return window;
}

void TMainWindowFixture::ShowCalendar(TfrmMain& window)
{
    FindControl<QTabWidget>(&window, "pgcMain")->setCurrentIndex(1);
}
