// File-system operations of the host's LISP services on Linux. Names may use backslashes as
// well as slashes to separate folders, as programs written for Windows do; a relative name is
// taken from the base folder each operation is given.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class CTqFileSystem {
public:
    // The clean absolute path of `name` (backslashes become slashes) relative to `base`; empty
    // for an empty name.
    static QString Resolve(const QString& base, const QString& name);

    // Copies source to destination and reports the bytes copied. Without `append` an existing
    // destination is refused; with it the source is added at its end (making it when missing).
    static bool Copy(const QString& source, const QString& destination, bool append, std::int64_t& copied);
    // Deletes a file (not a folder).
    static bool Delete(const QString& name);
    // Renames a file or folder; refused when the new name exists.
    static bool Rename(const QString& oldName, const QString& newName);
    // The size of a file, 0 for a folder; false when the name does not exist.
    static bool Size(const QString& name, std::int64_t& size);
    // The local time of the last change as year, month, day of the week (0 = Sunday), day,
    // hours, minutes, seconds and milliseconds; false when the name does not exist.
    static bool ModificationTime(const QString& name, std::int32_t (&values)[8]);

    // Parts of a name (either slash separates): the base without folder and extension, the
    // folder without its trailing separator ("" for a bare name), the extension with its dot
    // ("" when there is none; a leading dot starts no extension).
    static QString BaseName(const QString& name);
    static QString FolderName(const QString& name);
    static QString Extension(const QString& name);

    // A full name in `folder` that no file has: `stem` (first 5 characters) followed by a
    // three-digit number from 001 upwards, then `extension` (with or without its dot). Empty
    // when all 999 are taken.
    static QString UnusedName(const QString& folder, const QString& stem, const QString& extension);

    // Names in `folder` matching the wildcard `pattern` ("*" and "?"; "*.*" and "" match all;
    // case is ignored), sorted by name without regard to case: mode -1 folders only (with "."
    // and ".."), 1 files only, any other both. Hidden names are included.
    static QStringList List(const QString& folder, const QString& pattern, int mode);
};
