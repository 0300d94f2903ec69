// The about box: the panel's version with the driver's interface and driver
// versions, as the driver tells them when the box is opened.
#pragma once
#include <string>
#include "driver/DriverRecords.h"
#include "ui/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override = default;

    const std::string& Info() const { return m_strInfo; }

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    std::string m_strInfo;
};

// The report text; driver data only when the version request succeeded.
std::string ComposeAboutText(const std::string& title, const _DRIVER_VERSION_INFO* version);
