// The document the single-document window set needs. It holds nothing, stores
// nothing and is never modified, so closing never asks to save.
#pragma once
#include "ui/Document.h"

class COVX_CPLDoc : public CDocument {
public:
    BOOL OnNewDocument() override;
};
