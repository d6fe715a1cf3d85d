// The engine interface the host drives (TqLISP library). The host obtains engines from the head
// of the LISP provider chain (CTqSystemServices) and never sees an engine's internals.
// Statuses are host statuses (tq::kNormal, tq::kError, …) except where an operation is said to
// return an engine status (0 success, negative an engine error code).
#pragma once

#include "host/CTqString.h"
#include "host/TqResultBuffer.h"

#include <QStringList>
#include <cstdint>

class CTqLispServices;

// Receives the outcome of EvaluateToResult.
class CTqResultHolder {
public:
    virtual ~CTqResultHolder() = default;
    // False when the caller does not want the result chain turned into text.
    virtual bool IsActive() const = 0;
    // The text form of a result chain, made by the host's result service.
    virtual void SetResultText(const CTqString& text) = 0;
    // The outcome: tq::kNone, tq::kCancel or tq::kError (only when nothing was set before).
    virtual void SetStatus(short status) = 0;
    virtual bool IsEmpty() const = 0;
};

// A function implemented in native code and registered with DefineNativeFunction. It reads its
// arguments with GetArguments and answers with SetReturnValue; tq::kCancel means user break.
using TqNativeFunction = int (*)();

class CTqLISP {
public:
    virtual short ReleaseSelectionSets(std::uint32_t document) = 0;
    virtual short GetApplicationHandles(TqResultBuffer*& chain) = 0;
    virtual TqResultBuffer* GetArguments(std::uint64_t word1, std::uint64_t word2) = 0;
    virtual short GetSymbol(const CTqString& name, TqResultBuffer*& chain) = 0;
    virtual short Invoke(const TqResultBuffer* request, TqResultBuffer*& result) = 0;
    virtual short LoadFile(const CTqString& path) = 0;
    virtual short LoadApplication(const CTqString& path) = 0;
    virtual short UnloadApplication(const CTqString& path) = 0;
    virtual short SetReturnValue(TqResultBuffer* chain) = 0;
    virtual TqResultBuffer* GetLoadedApplications() = 0;
    virtual short PutSymbol(const CTqString& name, const TqResultBuffer* chain) = 0;
    virtual short DefineFunction(const CTqString& name, const CTqString& exportName) = 0;
    virtual short DefineFunctionEx(const CTqString& name, const CTqString& exportName, std::uint32_t code) = 0;
    virtual short UndefineFunction(const CTqString& name) = 0;
    virtual short DefineNativeFunction(const CTqString& name, TqNativeFunction function) = 0;
    // Runs one command line; returns an engine status. With a result slot, the last value is
    // delivered as a chain the caller releases through the host services.
    virtual short EvaluateText(const CTqString& text, TqResultBuffer** result) = 0;
    virtual short Start(CTqLispServices* services) = 0;
    virtual CTqLispServices* GetHostServices() = 0;
    virtual void* PushDialog(std::uint64_t handle) = 0;
    virtual void PopDialog() = 0;
    virtual void ClearDialogs() = 0;
    virtual void EvaluateToResult(const CTqString& text, CTqResultHolder* holder, bool wantResult) = 0;
    virtual short DoStartup() = 0;
    // Closes the engine and frees its heap; returns an engine status.
    virtual short Close() = 0;
    virtual short GetLoadedApplicationNames(QStringList& names) = 0;
    virtual CTqString GetCurrentFunctionName() = 0;

protected:
    // Engines are destroyed through the provider that made them, never through this interface.
    ~CTqLISP() = default;
};

// A link of the host's chain of LISP providers.
class CTqLispProvider {
public:
    virtual ~CTqLispProvider() = default;
    virtual bool Initialize() = 0;
    virtual void Exit() = 0;
    // A new engine, constructed but not started; null when memory is exhausted.
    virtual CTqLISP* CreateLISP() = 0;
    virtual void DestroyLISP(CTqLISP* engine) = 0;
};

// A link of the host's chain of user-interface bridge providers.
class CTqMFCUIProvider {
public:
    virtual ~CTqMFCUIProvider() = default;
    virtual bool Load() = 0;
    virtual void Unload() = 0;
    // Forwarders to the bridge object's seven operations; null results when no bridge is loaded.
    virtual void* Forward0(void* argument) = 0;
    virtual void* Forward1(void* argument) = 0;
    virtual void* Forward2(void* argument) = 0;
    virtual void* Forward3(void* argument) = 0;
    virtual void* Forward4(void* argument) = 0;
    virtual void* Forward5(void* argument) = 0;
    virtual void* Forward6(void* argument) = 0;
    virtual void* GetApp() = 0;
};
