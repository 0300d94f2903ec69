#include "tests/harness/PanelFixture.h"

bool CPanelFixture::StartPanel(SimBus bus, const char* commandLine)
{
    panel.reset();   // one panel at a time: the simulated driver and the model are the process's
    panel = std::make_unique<CPanelHarness>(std::move(bus));
    return panel->Start(commandLine);
}

void CPanelFixture::OpenPage(SimBus bus, const char* treeItem)
{
    ASSERT_TRUE(StartPanel(std::move(bus)));
    page = panel->SelectPage(treeItem);
    ASSERT_NE(page, nullptr) << "no page shown for " << treeItem;
}

void CPanelFixture::OpenUnshownPage(SimBus bus, uint32_t pageKind)
{
    ASSERT_TRUE(StartPanel(std::move(bus)));
    CDialogPage* found = panel->View()->PageOf(pageKind);
    ASSERT_NE(found, nullptr);
    page = found->m_hWnd;
}

HWND CPanelFixture::ShowPage(const char* treeItem)
{
    HWND shown = panel->SelectPage(treeItem);
    EXPECT_NE(shown, nullptr) << "no page shown for " << treeItem;
    return shown;
}
