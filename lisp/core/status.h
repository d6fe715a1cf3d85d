// LispStatus: the result of every engine operation. Errors are values that travel up unchanged
// until the command-line runner reports them; nothing in the engine throws.
#pragma once

#include <cstdint>

enum class [[nodiscard]] LispStatus : std::int16_t {
    Ok = 0,
    EndOfFile = 5,
    Quit = 101,
    Exit = 102,
    Failure = -1,
    OpeningParenthesisMissing = -2,
    InvalidOperand = -7,
    OperandTooLong = -8,
    NoDottedPair = -9,
    NoMoreHeap = -10,
    MathError = -11,
    EmptyNodePointer = -13,
    NoFunction = -14,
    MissingParameter = -15,
    TooManyParameters = -16,
    InvalidParameter = -17,
    EmptyNode = -18,
    TooManyNodes = -19,
    UserBreak = -20,
    OutputBufferTooSmall = -21,
    InvalidVariable = -22,
    Environment = -23,
    ClosingFile = -24,
    LoadingProgram = -25,
    InputLineTooLong = -26,
    FileDoesNotExist = -27,
    OpeningFile = -28,
    CannotWriteToDisk = -29,
    NotAFileDescriptor = -30,
    DivisionByZero = -31,
    NotYetImplemented = -32,
    UnknownNodeType = -33,
    NoPointList = -34,
    MemoryError = -35,
    GeneralError = -36,
    InvalidExtendedData = -37,
    OutputBufferTooSmallExt = -38,
    ReadError = -39,
    InvalidDllName = -40,
    CallingDllFunction = -41,
    DllAlreadyLoaded = -42,
    DllDoesNotExist = -43,
    RegisteringCommand = -44,
    UnknownSysVar = -45,
    PrintingTrace = -46,
    IncompleteExpression = -47,
    UnknownZazType = -48,
    NoDrawingDatabase = -49,
    UnknownCommand = -50,
    CommandMissing = -51,
    HostStatus = -58,
    UnknownDialogError = -59,
    ResultBufferTypeNotImplemented = -61,
    InvalidDialogHandle = -62,
    DialogExists = -63,
    TooManyDclFiles = -64,
    NoEntityBlock = -68,
    ParameterOutOfRange = -69,
    StringTooLong = -70,
    ForeignProtectedFile = -71,
    ProtectedFileVersion = -72,
    WinHelpError = -73,
    ChangeDirectory = -74,
    InvalidEntityOrSelectionSet = -75,
    NoVariantConversion = -79,
    SafeArrayIndex = -80,
    NullInterfacePointer = -81,
    ComExtensionLoad = -82,
    ComWindowsOnly = -83,
    SilentError = -84,
    DrawingEntityOnly = -85,
    SafeArrayBounds = -86,
    WrongMatrix = -87,
};

constexpr bool Failed(LispStatus status) { return status != LispStatus::Ok; }
constexpr bool Succeeded(LispStatus status) { return status == LispStatus::Ok; }

// Returns the status of the expression from the enclosing function when it is not Ok.
#define LISP_TRY(expression)                                                       \
    do {                                                                           \
        if (const LispStatus lispTryStatus_ = (expression); lispTryStatus_ != LispStatus::Ok) \
            return lispTryStatus_;                                                 \
    } while (0)

#ifndef NDEBUG
#include <cstdio>
#include <cstdlib>
#define LISP_ASSERT(condition, message)                                                        \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: assertion failed: %s\n", __FILE__, __LINE__, message); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)
#else
#define LISP_ASSERT(condition, message) ((void)0)
#endif
