// Stand-ins for the host objects a module test hands to commands, and loading of the module
// under a given application name.
#pragma once

#include "host/CTqSystemServices.h"
#include "host/OdEd.h"
#include "host/OdRx.h"
#include "host/framework/CTqConsole.h"
#include "host/framework/CTqResourcesImpl.h"

#include <gtest/gtest.h>

#include <vector>

inline const char* const kModulePath = KELTORA_BIN_DIR "/ZIRuvezidoRed_4.01_14.tx";

// Names the host application, as the host's resources report it to the module.
inline void SetApplicationName(const CTqString& name)
{
    CTqResourcesImpl::Instance().SetApplicationName(name);
}

// A console without a user: output is collected, input is at its end.
class CollectingConsole final : public CTqConsole {
public:
    void Write(const QString& text) override { output += text; }
    bool ReadLine(const QString&, QString&) override { return false; }
    bool ReadKey(int&) override { return false; }
    void EndLine() override
    {
        if (!output.isEmpty() && !output.endsWith(QLatin1Char('\n')))
            output += QLatin1Char('\n');
    }
    QString output;
};

class RecordingUserIO final : public CTqUserIO {
public:
    void Print(const CTqString& text) override { printed.push_back(text); }
    short GetString(const CTqString&, CTqString&) override { return -5002; }
    std::vector<CTqString> printed;
};

// A document that records the command tokens pushed on it.
class RecordingDocument final : public CTqDocument {
public:
    explicit RecordingDocument(CTqLISP* engine = nullptr) : m_engine(engine) {}
    CTqLISP* GetLISP() override { return m_engine; }
    void PushCommandToken(const CTqString& text) override
    {
        m_tokens.push_back(text);
        pushed.push_back(text);
    }
    void PopCommandToken() override
    {
        ASSERT_FALSE(m_tokens.empty()) << "token popped that was never pushed";
        m_tokens.pop_back();
    }
    std::vector<CTqString> CommandTokens() const override { return m_tokens; }
    CTqString Folder() const override { return CTqString(); }

    std::vector<CTqString> pushed;

private:
    CTqLISP* m_engine;
    std::vector<CTqString> m_tokens;
};

class TestCommandContext final : public OdEdCommandContext {
public:
    TestCommandContext(CTqDocument* document, CTqUserIO* userIO) : m_document(document), m_userIO(userIO) {}
    CTqDocument* document() override { return m_document; }
    CTqUserIO* userIO() override { return m_userIO; }

private:
    CTqDocument* m_document;
    CTqUserIO* m_userIO;
};

// Loads the module under an application name and unloads it at the end of the test.
class LoadedModule {
public:
    explicit LoadedModule(const CTqString& applicationName)
    {
        SetApplicationName(applicationName);
        module = odrxDynamicLinker()->loadModule(CTqString(kModulePath));
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    ~LoadedModule() { unload(); }
    bool unload()
    {
        if (!module)
            return false;
        module = nullptr;
        return odrxDynamicLinker()->unloadModule(CTqString(kModulePath));
    }

    OdRxModule* module = nullptr;
};
