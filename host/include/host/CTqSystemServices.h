// The host's system services (provider chains and, later, settings, network and versions), its
// resources, and the document object commands run for.
#pragma once

#include "host/CTqLISP.h"
#include "host/CTqString.h"

#include <vector>

class CTqLispServices;

// One open drawing with its LISP engine.
class CTqDocument {
public:
    virtual ~CTqDocument() = default;
    // The document's engine; null before the host made one.
    virtual CTqLISP* GetLISP() = 0;
    // Marks a command as running for this document while LISP evaluates it.
    virtual void PushCommandToken(const CTqString& text) = 0;
    virtual void PopCommandToken() = 0;
    virtual std::vector<CTqString> CommandTokens() const = 0;
    // The folder of the drawing file; empty for an unsaved drawing.
    virtual CTqString Folder() const = 0;
};

// The user's side of a command: prompts and answers on the command line.
class CTqUserIO {
public:
    virtual ~CTqUserIO() = default;
    virtual void Print(const CTqString& text) = 0;
    virtual short GetString(const CTqString& prompt, CTqString& answer) = 0;
};

class CTqSystemServices {
public:
    virtual ~CTqSystemServices() = default;

    // The chains of providers. A module puts its provider at the head and keeps the previous
    // head to restore it when it unloads; the host asks the head.
    virtual CTqLispProvider* LispProvider() const = 0;
    virtual void SetLispProvider(CTqLispProvider* provider) = 0;
    virtual CTqMFCUIProvider* MFCUIProvider() const = 0;
    virtual void SetMFCUIProvider(CTqMFCUIProvider* provider) = 0;

    // The current document and the LISP services every engine of this host uses.
    virtual CTqDocument* CurrentDocument() = 0;
    virtual CTqLispServices* LispServices() = 0;
};

CTqSystemServices* GetTqSystemServices();

class CTqResources {
public:
    virtual ~CTqResources() = default;
    virtual CTqString GetApplicationName() const = 0;
};

CTqResources* GetTqResources();
