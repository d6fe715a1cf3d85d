// Host commands run for LISP programs: the command built-in's argument chain becomes the answers
// to the prompts of the commands it names.
#pragma once

#include "host/CTqString.h"
#include "host/TqResultBuffer.h"

class CTqCommandServices {
public:
    virtual ~CTqCommandServices() = default;

    // Runs the commands the chain names, each answering its prompts from the records that follow
    // it and, when they run out inside a command, from the user. tq::kNormal when every command
    // ended, tq::kCancel when the user cancelled, tq::kError (error number set) for an unknown
    // command. An empty chain cancels whatever waits and is tq::kCancel.
    virtual short Command(const TqResultBuffer* arguments) = 0;
    // Switches a command on or off: 1 when done, 0 when the host has no such command.
    virtual int CommandSwitch(const CTqString& name, bool on) = 0;
    // The command's global name for a local or global name ("_LINE" or "LINE"); tq::kNone when
    // there is no such command.
    virtual short CommandName(const CTqString& name, CTqString& globalName) = 0;
};
