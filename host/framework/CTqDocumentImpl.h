// An open drawing as the host knows it: its drawing database, its engine, its file and folder
// and the command tokens pushed while LISP runs a command for it.
#pragma once

#include "host/CTqSystemServices.h"

#include <memory>
#include <vector>

class OdDbDatabase;

class CTqDocumentImpl final : public CTqDocument {
public:
    // Starts with a new empty drawing.
    CTqDocumentImpl();
    ~CTqDocumentImpl() override;
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

    // The drawing; never null.
    OdDbDatabase* Database() override { return m_database.get(); }
    // Replaces the drawing; the old one is destroyed. A null database is replaced by a new one.
    void SetDatabase(std::unique_ptr<OdDbDatabase> database);
    // The file the drawing was opened from or last saved to; empty for a new drawing.
    QString FileName() const { return m_fileName; }
    // Sets the file name and, from it, the folder.
    void SetFileName(const QString& fileName);

private:
    std::unique_ptr<OdDbDatabase> m_database;
    QString m_fileName;
    CTqLISP* m_lisp = nullptr;
    std::vector<CTqString> m_tokens;
    CTqString m_folder;
};
