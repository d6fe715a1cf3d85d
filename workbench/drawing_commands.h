// The host commands on drawings: NEW, OPEN, SAVE, SAVEAS and QSAVE, and the open and save steps
// the session's command-line options use. OPEN and SAVEAS ask for the file name on the command
// line. A drawing that cannot be read leaves the open one as it was; a failed save leaves the
// previous file intact.
#pragma once

#include <QString>

#include <memory>
#include <vector>

class CTqCommand;
class CTqDocumentImpl;

namespace WorkbenchDrawing {

// Reads a DXF file into the document, replacing its drawing. False with the reason (file, line
// and defect) when the file cannot be read; the document keeps its drawing then.
bool Open(CTqDocumentImpl& document, const QString& path, QString& error);
// Writes the document's drawing as DXF in the version it was read as (a new drawing as R2018)
// and makes the file the document's. False with the reason on failure.
bool Save(CTqDocumentImpl& document, const QString& path, QString& error);

}  // namespace WorkbenchDrawing

// Adds the commands to the command stack for its lifetime.
class WorkbenchDrawingCommands {
public:
    WorkbenchDrawingCommands();
    ~WorkbenchDrawingCommands();
    WorkbenchDrawingCommands(const WorkbenchDrawingCommands&) = delete;
    WorkbenchDrawingCommands& operator=(const WorkbenchDrawingCommands&) = delete;

    static const QString kGroup;

private:
    std::vector<std::unique_ptr<CTqCommand>> m_commands;
};
