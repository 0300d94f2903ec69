#include "ui/Document.h"

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(false);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char*)
{
    DeleteContents();
    SetModifiedFlag(false);
    return TRUE;
}
