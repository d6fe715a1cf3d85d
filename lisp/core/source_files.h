// Finding and opening LISP source files.
#pragma once

#include "lisp/core/status.h"

#include <QString>

#include <string_view>

class CTqLISPImpl;
class CTqLispIODevice;

// The load search: the name with ".lsp" when it has no suffix, through the host's file search;
// a name with another suffix is tried once more with ".lsp" appended. FileDoesNotExist when
// nothing is found.
LispStatus FindLispFile(CTqLISPImpl& engine, std::u16string_view name, QString& path);

// Opens a file for "r", "w" or "a" (anything else reads). Relative paths are taken from the
// user's documents folder. OpeningFile when it cannot be opened; the device belongs to the caller.
LispStatus OpenLispFile(const QString& path, std::u16string_view mode, CTqLispIODevice*& device);
