#include "app/OVX_CPLDoc.h"

BOOL COVX_CPLDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}
