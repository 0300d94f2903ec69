#include "app/AboutDlg.h"

#include <cstdio>
#include "driver/Drv.h"
#include "res/resource.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"

namespace {

constexpr char kClosingLine[] = "Copyright (C) 2025-2026 Tormalin Audio. All rights reserved.";

}  // namespace

std::string ComposeAboutText(const std::string& title, const _DRIVER_VERSION_INFO* version)
{
    char text[512];
    if (version)
        std::snprintf(text, sizeof text,
                      "%s: %s\n\n - Driver Interface Version %d.%d\n\n - Driver Version %d.%d.%d\n\n%s",
                      title.c_str(), OVX_VERSION_TEXT, version->interfaceMajor, version->interfaceMinor,
                      version->driverMajor, version->driverMinor, static_cast<int>(version->driverBuild),
                      kClosingLine);
    else
        std::snprintf(text, sizeof text, "%s: %s\n\n\n%s", title.c_str(), OVX_VERSION_TEXT, kClosingLine);
    return text;
}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
    _DRIVER_VERSION_INFO version{};
    const bool known = theDrv.GetDriverVersion(&version) == DRV_OK;
    m_strInfo = ComposeAboutText(LoadResString(IDS_PANEL_TITLE), known ? &version : nullptr);
}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_ABOUT_INFO, m_strInfo);
}
