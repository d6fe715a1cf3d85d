// The host's drawing commands, on the command stack while an object of this class lives:
// LINE, CIRCLE, ARC, POINT, PLINE, TEXT, INSERT, ERASE, MOVE, COPY, ROTATE, SCALE, EXPLODE, UNDO,
// LAYER and -LAYER, REGEN, REDRAW and ZOOM. They
// take their answers through the host's input services, so the command built-in and the user
// answer them alike.
#pragma once

#include "host/OdEd.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CTqHostCommands {
public:
    using Body = std::function<short()>;

    CTqHostCommands();
    ~CTqHostCommands();
    CTqHostCommands(const CTqHostCommands&) = delete;
    CTqHostCommands& operator=(const CTqHostCommands&) = delete;

    static const QString kGroup;

private:
    void add(const QString& name, Body body);
    std::vector<std::unique_ptr<CTqCommand>> m_commands;
};

// The bodies, one family per file.
namespace TqDrawCommands {
short Line();
short Circle();
short Point();
short Polyline();
short Arc();
short Text();
short Insert();
}  // namespace TqDrawCommands

namespace TqUndoCommand {
short Undo();
}  // namespace TqUndoCommand

namespace TqModifyCommands {
short Erase();
short Move();
short Copy();
short Rotate();
short Scale();
short Explode();
}  // namespace TqModifyCommands

namespace TqLayerCommand {
short Layer();
}  // namespace TqLayerCommand
