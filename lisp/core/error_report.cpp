// Error reporting: status codes become messages (through translation context "CTqLISPImpl"),
// which go to the user's *ERROR* function when one is defined and to the console otherwise.
// Host statuses of the drawing services are mapped to engine statuses here as well.
#include "lisp/core/engine.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

struct MessageRow {
    LispStatus status;
    const char* text;
};

constexpr MessageRow kMessages[] = {
    {LispStatus::EndOfFile, "Warning: End of file."},
    {LispStatus::Quit, "Warning: Program terminated by QUIT."},
    {LispStatus::Exit, "Warning: Program terminated by EXIT."},
    {LispStatus::OpeningParenthesisMissing, "Opening parenthesis missing."},
    {LispStatus::InvalidOperand, "Error: Invalid Operand."},
    {LispStatus::OperandTooLong, "Error: Operand too long."},
    {LispStatus::NoDottedPair, "Error: No dotted pair."},
    {LispStatus::NoMoreHeap, "Error: No more HEAP."},
    {LispStatus::MathError, "Error: ... in mathematical functions."},
    {LispStatus::EmptyNodePointer, "Error: Empty node-pointer."},
    {LispStatus::NoFunction, "Error: No function."},
    {LispStatus::MissingParameter, "Error: Missing parameter for function."},
    {LispStatus::TooManyParameters, "Error: Too many parameters."},
    {LispStatus::InvalidParameter, "Error: Invalid parameter."},
    {LispStatus::EmptyNode, "Error: Empty node."},
    {LispStatus::TooManyNodes, "Error: Too many nodes."},
    {LispStatus::UserBreak, "User break."},
    {LispStatus::OutputBufferTooSmall, "Error: Output buffer too small."},
    {LispStatus::InvalidVariable, "Error: Invalid variable."},
    {LispStatus::Environment, "Error: Environment."},
    {LispStatus::ClosingFile, "Error: Closing file."},
    {LispStatus::LoadingProgram, "Error: Loading program."},
    {LispStatus::InputLineTooLong, "Error: Input line too long."},
    {LispStatus::FileDoesNotExist, "Error: File does not exist."},
    {LispStatus::OpeningFile, "Error: Opening file."},
    {LispStatus::CannotWriteToDisk, "Error: Cannot write to disk."},
    {LispStatus::NotAFileDescriptor, "Error: Node is no file descriptor."},
    {LispStatus::DivisionByZero, "Error: Division by zero."},
    {LispStatus::NotYetImplemented, "Error: Function not yet implemented."},
    {LispStatus::UnknownNodeType, "Error: Unknown type of nodes."},
    {LispStatus::NoPointList, "Error: No 2D or 3D point list."},
    {LispStatus::MemoryError, "Error: Memory error (ZAZ)."},
    {LispStatus::GeneralError, "Error: General error."},
    {LispStatus::InvalidExtendedData, "Error: No valid extended entity data block."},
    {LispStatus::OutputBufferTooSmallExt, "Error: Output buffer too small."},
    {LispStatus::ReadError, "Read Error."},
    {LispStatus::InvalidDllName, "Error: Invalid DLL name."},
    {LispStatus::CallingDllFunction, "Error: Calling DLL function."},
    {LispStatus::DllAlreadyLoaded, "Error: DLL already loaded."},
    {LispStatus::DllDoesNotExist, "Error: DLL does not exist."},
    {LispStatus::RegisteringCommand, "Error: Registering command."},
    {LispStatus::UnknownSysVar, "Error: Unknown GETVAR/SETVAR argument."},
    {LispStatus::PrintingTrace, "Error: Printing trace information."},
    {LispStatus::IncompleteExpression, "Error: Incomplete LISP expression."},
    {LispStatus::UnknownZazType, "Error: Unknown ZAZ type."},
    {LispStatus::NoDrawingDatabase, "Error: No opened drawing database."},
    {LispStatus::UnknownCommand, "Error: Unknown command."},
    {LispStatus::CommandMissing, "Error: Command missing."},
    {LispStatus::UnknownDialogError, "Unknown dialog error."},
    {LispStatus::ResultBufferTypeNotImplemented, "Error: Result buffer type not yet implemented."},
    {LispStatus::InvalidDialogHandle, "Error: Missing or invalid dialog handle."},
    {LispStatus::DialogExists, "Error: Dialog with this handle already exists."},
    {LispStatus::TooManyDclFiles, "Error: Too many DLG files opened."},
    {LispStatus::NoEntityBlock, "Error: List does not contain a valid entity block."},
    {LispStatus::ParameterOutOfRange, "Error: Parameter out of range."},
    {LispStatus::StringTooLong, "Error: String too long."},
    {LispStatus::ForeignProtectedFile, "Error: Protected AutoCAD lisp file."},
    {LispStatus::ProtectedFileVersion, "Error: Protected KORB LISP File. Not supported version."},
    {LispStatus::WinHelpError, "Error: in WinHelp."},
    {LispStatus::ChangeDirectory, "Error: Cannot change disk drive or path."},
    {LispStatus::InvalidEntityOrSelectionSet, "Error: Invalid entity or selection set."},
    {LispStatus::NoVariantConversion, "Lisp value has no force conversion to VARIANT with this type."},
    {LispStatus::SafeArrayIndex, "SafeArray:Invalid index."},
    {LispStatus::NullInterfacePointer, "Error: null interface pointer: %1"},
    {LispStatus::ComExtensionLoad, "Error: Failed to load COM extension."},
    {LispStatus::ComWindowsOnly, "Error: LISP COM extension supported only on Windows."},
    {LispStatus::SilentError, ""},
    {LispStatus::DrawingEntityOnly, "Error: Function applicable on drawing entity only."},
    {LispStatus::SafeArrayBounds, "Error: SafeArray UPPERBOUND should be greater than LOWERBOUND."},
    {LispStatus::WrongMatrix, "Error: Wrong matrix list data."},
};

struct HostMessageRow {
    short status;
    const char* text;
};

constexpr HostMessageRow kHostMessages[] = {
    {-1012, "This command is only available in the Model area."},
    {-1011, "This command is only available in a Sheet."},
    {-1010, "Command terminated."},
    {-1009, "No entity in drawing."},
    {-1008, "Internal Error: Snap."},
    {-1007, "Internal Error: Select."},
    {-1006, "Error in drawing database."},
    {-1005, "Internal Error: Input control."},
    {-1004, "Internal Error: Coordinate transformation."},
    {-1003, "No drawing active."},
    {-1001, "Memory error occurred."},
};

std::u16string Translated(const char* key)
{
    return QCoreApplication::translate("CTqLISPImpl", key).toStdU16String();
}

constexpr std::size_t kMessageUnits = 300;

}  // namespace

std::u16string CTqLISPImpl::MessageOf(LispStatus status, short hostStatus)
{
    if (status == LispStatus::HostStatus) {
        if (hostStatus == -1000 || hostStatus == 0 || hostStatus == -2000 || hostStatus == -2001)
            return u"Resource missing.";
        for (const auto& row : kHostMessages)
            if (row.status == hostStatus)
                return Translated(row.text);
        return Translated("Unknown error occurred (LISP).");
    }
    for (const auto& row : kMessages) {
        if (row.status == status) {
            if (status == LispStatus::NullInterfacePointer)
                return QCoreApplication::translate("CTqLISPImpl", row.text).arg(QStringLiteral("#<VLA-OBJECT 00000000>")).toStdU16String();
            return row.text[0] ? Translated(row.text) : std::u16string();
        }
    }
    return Translated("Unknown LISP-Error.");
}

void CTqLISPImpl::SetErrorDetail(LispNode* node)
{
    Release(m_errorDetail);
    m_errorDetail = node;
}

LispStatus CTqLISPImpl::ReportStatus(LispStatus status, LispNode*& message)
{
    message = nullptr;
    char line[256];
    if (status != LispStatus::Ok)
        std::snprintf(line, sizeof line, "\nError! WorkTqLisp: iStatus: %d iFreeNodes: %lu iParseLevel: %d \n", int(status),
                      static_cast<unsigned long>(m_freeNodes), m_parseLevel);
    else
        std::snprintf(line, sizeof line, "\nWorkTqLisp: iStatus: %d iFreeNodes: %lu iParseLevel: %d \n iNodes : %lu iSegments: %d iAllocate: %d \n",
                      int(status), static_cast<unsigned long>(m_freeNodes), m_parseLevel, static_cast<unsigned long>(m_nodes), int(m_segments),
                      int(m_allocate));
    const std::u16string statusLine = QString::fromLatin1(line).toStdU16String();

    std::u16string text;
    if (status != LispStatus::Ok) {
        text = MessageOf(status, m_hostStatus);
        if (status == LispStatus::FileDoesNotExist && IsStringNode(m_errorDetail)) {
            text += u" \"";
            text += StringText(m_errorDetail);
            text += u"\"";
            if (text.size() > kMessageUnits)
                text.resize(kMessageUnits);
        }
        if (status == LispStatus::FileDoesNotExist)
            SetErrorDetail(nullptr);
    }
    if (text.size() > kMessageUnits)
        text.resize(kMessageUnits);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t'))
        text.pop_back();

    if (m_errorHandler && Succeeded(MakeLiteralString(text, message)))
        text.clear();
    if (!text.empty()) {
        LISP_TRY(Output(u"\n ", statusLine));
        LISP_TRY(Output(text, statusLine));
    }
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MapHostStatus(short result, LispNode*& out)
{
    out = nullptr;
    switch (result) {
    case tq::kNormal:
        return LispStatus::Ok;
    case tq::kKeyword: {
        CTqString pending;
        if (m_services && m_services->GetPendingInput(pending) == tq::kNormal) {
            std::u16string text = pending.toStdU16();
            if (text.size() > 512)
                text.resize(512);
            return MakeLiteralString(text, out);
        }
        return MakeNil(out);
    }
    case tq::kCancel:
        return LispStatus::UserBreak;
    case tq::kError: {
        const int number = m_services ? m_services->ErrorNumber() : 0;
        switch (number) {
        case 0: case 2: case 4: case 5: case 35: case 86: case 94:
            LISP_TRY(MakeNil(out));
            return LispStatus::GeneralError;
        case 13:
            LISP_TRY(MakeNil(out));
            return LispStatus::ParameterOutOfRange;
        case 52: return LispStatus::MemoryError;
        case 54: return LispStatus::UnknownSysVar;
        case 58: case 74: return LispStatus::NoDrawingDatabase;
        case 73: return LispStatus::InvalidEntityOrSelectionSet;
        default: return MakeNil(out);
        }
    }
    case tq::kFailure:
        return LispStatus::MemoryError;
    default:
        return MakeNil(out);
    }
}

LispStatus CTqLISPImpl::MapHostStatusLenient(short result, LispNode*& out)
{
    const LispStatus status = MapHostStatus(result, out);
    return status == LispStatus::GeneralError ? LispStatus::Ok : status;
}
