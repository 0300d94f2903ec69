#include "ui/DocTemplate.h"

#include "ui/Dialog.h"
#include "ui/FormView.h"
#include "ui/FrameWnd.h"
#include "ui/FrameworkIds.h"
#include "ui/WinApp.h"

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, DocumentFactory document, FrameFactory frame,
                                       ViewFactory view)
    : m_nIDResource(resourceId),
      m_makeDocument(std::move(document)),
      m_makeFrame(std::move(frame)),
      m_makeView(std::move(view))
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    // The windows go first: their handlers may still use the document.
    if (m_frame && m_frame->m_hWnd)
        m_frame->DestroyWindow();
    m_frame.reset();
    m_document.reset();
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path)
{
    if (!m_document) {
        auto document = m_makeDocument();
        auto frame = m_makeFrame();
        if (!document || !frame ||
            !frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, m_makeView)) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            return nullptr;
        }
        m_document = std::move(document);
        m_frame = std::move(frame);
        if (CWinApp* app = AfxGetApp(); app && !app->m_pMainWnd)
            app->m_pMainWnd = m_frame.get();
    }
    const BOOL ready = path ? m_document->OnOpenDocument(path) : m_document->OnNewDocument();
    if (!ready)
        return nullptr;
    m_frame->InitialUpdateFrame();
    return m_document.get();
}
