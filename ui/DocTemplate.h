// Joins one document class, one frame class and one view class under a resource id:
// the first New builds all three; every later New or Open re-initialises the document
// and runs the view's initial update again.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include "ui/Document.h"

class CFrameWnd;
class CFormView;

class CSingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<std::unique_ptr<CFormView>()>;

    CSingleDocTemplate(UINT resourceId, DocumentFactory document, FrameFactory frame, ViewFactory view);
    ~CSingleDocTemplate();

    // A null path is New. Returns null when the window set could not be built.
    CDocument* OpenDocumentFile(const char* path);

    CFrameWnd* Frame() const { return m_frame.get(); }
    CDocument* Document() const { return m_document.get(); }
    const UINT m_nIDResource;

private:
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    std::unique_ptr<CDocument> m_document;
    std::unique_ptr<CFrameWnd> m_frame;
};
