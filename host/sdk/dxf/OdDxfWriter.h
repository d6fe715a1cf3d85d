// Writes a database as ASCII DXF, R12 or R2000 and later. What R12 cannot hold (objects,
// LWPOLYLINE, ELLIPSE, MTEXT, SPLINE, XLINE, RAY, VIEWPORT, other layouts, newer group codes) is left out
// of an R12 file and counted.
#pragma once

#include "../db/OdDbDxfVersion.h"
#include "../db/OdResult.h"

#include <QString>

#include <optional>
#include <string>

class OdDbDatabase;

class OdDxfWriter {
public:
    // Writes the file through a temporary file beside it that replaces it only once everything
    // is written, so a failure leaves an existing file as it was. eFileWriteError and the reason
    // on failure. The version defaults to the database's own. Before writing, the database gets
    // what a file needs and it lacks (a SEQEND after each POLYLINE, BLOCK and ENDBLK records).
    static OdResult writeFile(OdDbDatabase& db, const QString& path, QString& error,
                              std::optional<OdDbDxfVersion> version = std::nullopt, int* leftOut = nullptr);
    // The text of the file; leftOut, when given, receives the number of entities left out.
    static std::string write(OdDbDatabase& db, OdDbDxfVersion version, int* leftOut = nullptr);
};
