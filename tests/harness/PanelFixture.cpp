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
