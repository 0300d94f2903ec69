// The application object: start-up, the message loop with its idle step, command
// handling that no window took, and the one document template.
#pragma once
#include <windows.h>
#include <memory>
#include "ui/Wnd.h"

class CSingleDocTemplate;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // Runs until WM_QUIT and returns its exit code.
    virtual int Run();
    // Releases the windows' objects while the program's other static objects still live.
    virtual int ExitInstance();
    // Once each time the queue runs empty after input; never on a timer.
    virtual void OnIdle();
    // Commands that neither the active view nor the frame handled.
    virtual bool OnCommand(UINT id);

    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
    CSingleDocTemplate* DocTemplate() const { return m_pDocTemplate.get(); }
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();

    // Gives the message to the PreTranslateMessage chain of the windows it is for.
    BOOL PreTranslateMessage(MSG* msg);

    HINSTANCE m_hInstance = nullptr;
    const char* m_lpCmdLine = "";
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;

private:
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The body of WinMain: runs the one application object that exists.
int AfxWinMain(HINSTANCE instance, LPSTR commandLine, int showCommand);
