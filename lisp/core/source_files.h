// Finding and opening LISP source files, and the file nodes that hold open devices.
#pragma once

#include "lisp/core/status.h"

#include <QString>

#include <string_view>

class CTqLISPImpl;
class CTqLispIODevice;
struct LispNode;

// The load search: the name with ".lsp" when it has no suffix, through the host's file search;
// a name with another suffix is tried once more with ".lsp" appended. FileDoesNotExist when
// nothing is found.
LispStatus FindLispFile(CTqLISPImpl& engine, std::u16string_view name, QString& path);

// Opens a file for "w" (emptied), "a" (written at its end) or anything else (read; a protected
// plugin file is decoded, any other file read as it is). A relative path is taken from the
// host's documents folder; backslashes separate folders as slashes do. With `addSuffix` a path
// without suffix gets ".lsp". OpeningFile when it cannot be opened; the device belongs to the
// caller.
LispStatus OpenLispFile(CTqLISPImpl& engine, const QString& path, std::u16string_view mode, bool addSuffix,
                        CTqLispIODevice*& device);

// The device of an open file node; null for a closed file or a node that is no file.
CTqLispIODevice* OpenDeviceOf(const LispNode* file);

// Closes the device of a file node and marks the node closed; a closed file stays as it is.
// ClosingFile when the device reports an error on closing (a write it held back failed).
LispStatus CloseLispFile(LispNode* file);
