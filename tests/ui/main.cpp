// The GUI tests run in one process with the real application object, on whatever display
// DISPLAY names (a virtual one under the test command).
#include "tests/ui/GuiTest.h"
#include "ui/ScriptApp.h"

#include <gtest/gtest.h>

#include <wx/init.h>

#include <cstdio>

wxIMPLEMENT_APP_NO_MAIN(velmora::ScriptApp);

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();  // listing the tests needs no display
    }
    if (!wxEntryStart(argc, argv)) {
        std::fputs("The GUI tests need a display.\n", stderr);
        return 1;
    }
    int result = 1;
    if (wxTheApp->CallOnInit()) {
        velmora::test::NoDialogsHook noDialogs;
        noDialogs.Register();
        result = RUN_ALL_TESTS();
        noDialogs.Unregister();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
