// Commands, the command stack and the editor with its reactors.
#pragma once

#include "host/CTqString.h"
#include "host/OdRx.h"

#include <QStringList>

class CTqDocument;
class CTqUserIO;

// What a running command sees of its caller.
class OdEdCommandContext {
public:
    virtual ~OdEdCommandContext() = default;
    // The document the command runs for; null when none is open.
    virtual CTqDocument* document() = 0;
    // The user's input and output; null for a context without a user (scripts, batch queries).
    virtual CTqUserIO* userIO() = 0;
};

// Base of every command. Execute returns tq::kNormal, or tq::kError/tq::kCancel.
class CTqCommand : public OdRxObject {
public:
    virtual CTqString groupName() const { return CTqString("TQ_COMMANDS"); }
    virtual CTqString globalName() const = 0;
    virtual CTqString localName() const = 0;
    virtual int flags() const { return m_flags; }
    virtual short execute(OdEdCommandContext* context) = 0;
    virtual void Help() {}
    virtual int helpId() const { return 0; }
    void SetFlags(int flags) { m_flags = flags; }

private:
    int m_flags = 0;
};

// The process-wide registry of commands. It holds a reference to every command it contains.
class OdEdCommandStack {
public:
    virtual ~OdEdCommandStack() = default;
    virtual void addCommand(CTqCommand* command) = 0;
    // Finds a command by global or local name, without regard to case; a leading "_" or "."
    // is ignored. Null when none.
    virtual CTqCommand* lookupCmd(const CTqString& name) = 0;
    // Removes the command of that global name from the group; false when there is none.
    virtual bool removeCmd(const CTqString& groupName, const CTqString& globalName) = 0;
    // Removes the command of that name from whichever group holds it.
    virtual bool removeCmd(const CTqString& globalName) = 0;
    virtual void removeGroup(const CTqString& groupName) = 0;
    virtual QStringList commandNames() = 0;
};

OdEdCommandStack* odedRegCmds();

class OdEditorReactor {
public:
    virtual ~OdEditorReactor() = default;
    virtual void documentCreated(CTqDocument* document) { (void)document; }
    virtual void documentToBeDestroyed(CTqDocument* document) { (void)document; }
};

class OdEdCommandStackReactor {
public:
    virtual ~OdEdCommandStackReactor() = default;
    virtual void commandWillStart(CTqCommand* command) { (void)command; }
    virtual void commandEnded(CTqCommand* command) { (void)command; }
};

class OdEdLispEngineReactor {
public:
    virtual ~OdEdLispEngineReactor() = default;
    virtual void lispWillStart(const CTqString& expression) { (void)expression; }
    virtual void lispEnded() {}
};

// The host's editor reactor: adds the main-frame events.
class CTqEditorReactor : public OdEditorReactor, public OdEdCommandStackReactor, public OdEdLispEngineReactor {
public:
    // The main window is complete: menus, toolbars and the command line exist.
    virtual void mainFrameReady() {}
    // The host is about to close its main window.
    virtual void mainFrameClosing() {}
};

class OdEditor {
public:
    virtual ~OdEditor() = default;
    virtual void addReactor(OdEditorReactor* reactor) = 0;
    virtual void removeReactor(OdEditorReactor* reactor) = 0;
    virtual bool hasReactor(OdEditorReactor* reactor) const = 0;
    // Called by the host application to tell the reactors.
    virtual void fireMainFrameReady() = 0;
    virtual void fireMainFrameClosing() = 0;
    virtual void fireDocumentCreated(CTqDocument* document) = 0;
    virtual void fireDocumentToBeDestroyed(CTqDocument* document) = 0;
    // Around a command the host runs from its command stack, and around a LISP command line.
    virtual void fireCommandWillStart(CTqCommand* command) = 0;
    virtual void fireCommandEnded(CTqCommand* command) = 0;
    virtual void fireLispWillStart(const CTqString& expression) = 0;
    virtual void fireLispEnded() = 0;
};

OdEditor* odedEditor();
