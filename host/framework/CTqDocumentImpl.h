// An open drawing as the host knows it: its engine, its folder and the command tokens pushed
// while LISP runs a command for it.
#pragma once

#include "host/CTqSystemServices.h"

#include <vector>

class CTqDocumentImpl final : public CTqDocument {
public:
    CTqDocumentImpl() = default;
    CTqDocumentImpl(const CTqDocumentImpl&) = delete;
    CTqDocumentImpl& operator=(const CTqDocumentImpl&) = delete;

    CTqLISP* GetLISP() override { return m_lisp; }
    // The engine is not owned: the provider that made it destroys it.
    void SetLISP(CTqLISP* lisp) { m_lisp = lisp; }

    void PushCommandToken(const CTqString& text) override { m_tokens.push_back(text); }
    // Popping with no token pushed does nothing.
    void PopCommandToken() override;
    // Oldest first.
    std::vector<CTqString> CommandTokens() const override { return m_tokens; }

    CTqString Folder() const override { return m_folder; }
    void SetFolder(const CTqString& folder) { m_folder = folder; }

private:
    CTqLISP* m_lisp = nullptr;
    std::vector<CTqString> m_tokens;
    CTqString m_folder;
};
