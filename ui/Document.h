// The document of the single-document window set. The framework needs one; what it
// holds is the derived class's business.
#pragma once
#include <windows.h>

class CDocument {
public:
    virtual ~CDocument() = default;
    virtual BOOL OnNewDocument();
    // Opening reads nothing unless a derived class does.
    virtual BOOL OnOpenDocument(const char* path);
    virtual void DeleteContents() {}
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

private:
    bool m_bModified = false;
};
