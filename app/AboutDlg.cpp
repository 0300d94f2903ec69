#include "app/AboutDlg.h"

#include "driver/Drv.h"
#include "res/resource.h"
#include "text/VersionText.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"

namespace {

constexpr char kClosingLine[] = "Copyright (C) 2025-2026 Tormalin Audio. All rights reserved.";

}  // namespace

std::string ComposeAboutText(const std::string& title, const _DRIVER_VERSION_INFO* version)
{
    std::string text = title + ": " + OVX_VERSION_TEXT + "\n\n";
    if (version) {
        text += " - Driver Interface Version " + InterfaceVersionText(*version) + "\n\n - Driver Version " +
                DriverVersionText(*version) + "\n\n";
    } else {
        text += "\n";
    }
    return text + kClosingLine;
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
