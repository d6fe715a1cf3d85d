// Reads ASCII DXF (R12 and R2000 or later) into a new database. A file that cannot be read
// gives no database and an error with the line of the offending tag; nothing else changes.
#pragma once

#include "../db/OdDbDxfIn.h"

#include <QString>

#include <memory>
#include <string_view>

class OdDbDatabase;

class OdDxfReader {
public:
    static std::unique_ptr<OdDbDatabase> readFile(const QString& path, OdDbReadError& error);
    // The text of a DXF file.
    static std::unique_ptr<OdDbDatabase> read(std::string_view data, OdDbReadError& error);
};
