// Status codes every host service returns across the module boundary.
#pragma once

namespace tq {

// Result codes of host services. Values are fixed; modules compare against them.
enum : short {
    kNormal = 5100,    // normal completion
    kNone = 5000,      // nothing to report (no result, no record)
    kKeyword = -5005,  // the user typed a keyword; read it with GetPendingInput
    kCancel = -5002,   // the user cancelled
    kError = -5001,    // error; the host error number tells which
    kFailure = -5000,  // failure without an error number
};

// Host error numbers the module relies on (set with SetErrorNumber, read with ErrorNumber).
enum : int {
    kErrNone = 0,
    kErrParameterOutOfRange = 13,
    kErrFileNotFound = 48,
    kErrAlreadyLoaded = 49,
    kErrLoadFailed = 50,
    kErrUnloadFailed = 51,
    kErrMemory = 52,
    kErrUnknownVariable = 54,
    kErrBadValue = 55,
    kErrNoDatabase = 58,
    kErrInvalidEntity = 73,
    kErrNoDrawing = 74,
};

}  // namespace tq
