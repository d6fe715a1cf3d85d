// File, directory and registry built-ins: printing, text streams, reading expressions from
// strings, file search, environment and folder settings, and the file-system and registry entries.
// Most file-system and registry work is the host's (CTqLispServices); these turn its answers into
// LISP values.
#include "lisp/core/builtin_families.h"
#include "lisp/core/code_page.h"
#include "lisp/core/engine.h"
#include "lisp/core/lisp_io_device.h"
#include "lisp/core/source_files.h"
#include "lisp/core/source_text.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <limits>

// The character chr makes of a code (strings.cpp); write-char writes exactly that.
LispStatus f_chr(LispNode*& out, LispNode* args, CTqLISPImpl& engine);

namespace {

// The longest line read-line and the reader take, in units; its bytes may be four times as many.
constexpr qint64 kMaxLineBytes = qint64(kInputCapacity) * 4;

QString QText(std::u16string_view text) { return QString::fromUtf16(text.data(), int(text.size())); }
std::u16string_view View(const QString& text) { return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())}; }

// The text of an optional string argument; empty (never a null view) when absent.
std::u16string_view OptionalText(const LispNode* argument) { return argument ? StringText(argument) : std::u16string_view(u""); }

LispStatus MakeText(CTqLISPImpl& engine, const QString& text, LispNode*& out) { return engine.MakeLiteralString(View(text), out); }

// Appends `element` (owned) to the list under construction.
void Append(LispNode* list, LispNode*& tail, LispNode* element)
{
    (tail ? tail->next : list->first) = element;
    tail = element;
}

LispStatus MakeStringList(CTqLISPImpl& engine, const QStringList& texts, LispNode*& out)
{
    if (texts.isEmpty())
        return engine.MakeNil(out);
    NodeRef list(engine);
    LISP_TRY(engine.MakeEmptyList(list.slot()));
    LispNode* tail = nullptr;
    for (const QString& text : texts) {
        LispNode* element = nullptr;
        LISP_TRY(MakeText(engine, text, element));
        Append(list.get(), tail, element);
    }
    out = list.take();
    return LispStatus::Ok;
}

// The strings of a host chain up to its first link that is no string; the chain is released.
QStringList TakeStrings(CTqLISPImpl& engine, TqResultBuffer* chain)
{
    QStringList texts;
    for (const TqResultBuffer* link = chain; link && link->restype == tqrt::kString; link = link->next)
        texts << (link->value.string ? QString::fromUtf16(link->value.string) : QString());
    if (chain && engine.Services())
        engine.Services()->ReleaseChain(chain);
    return texts;
}

// ---- writing ------------------------------------------------------------------------------------

// The device an optional file argument of a writing built-in names: none without one.
LispStatus WritingDevice(const LispNode* file, CTqLispIODevice*& device)
{
    device = nullptr;
    if (!file)
        return LispStatus::Ok;
    if (file->type != NodeType::File)
        return LispStatus::NotAFileDescriptor;
    device = OpenDeviceOf(file);
    return device ? LispStatus::Ok : LispStatus::CannotWriteToDisk;
}

// A device that reports an error after a write has lost data the program meant to keep.
LispStatus CheckDevice(const CTqLispIODevice* device)
{
    return device && device->error() != 0 ? LispStatus::ReadError : LispStatus::Ok;
}

// Text as it stands, in the code-page form on a file, on the command line otherwise.
LispStatus WriteText(CTqLISPImpl& engine, CTqLispIODevice* device, std::u16string_view text)
{
    if (!device)
        return engine.Output(text);
    const QByteArray bytes = CodePageForm(engine, text);
    if (device->write(bytes) != bytes.size())
        return LispStatus::CannotWriteToDisk;
    return CheckDevice(device);
}

// prin1 and princ differ only in the print mode.
LispStatus PrintValue(LispNode*& out, LispNode* args, CTqLISPImpl& engine, int mode)
{
    if (!args)
        return engine.MakeNothing(out);
    CTqLispIODevice* device = nullptr;
    LISP_TRY(WritingDevice(args->next, device));
    LISP_TRY(engine.PrintExpr(args, mode));
    LISP_TRY(CheckDevice(device));
    return engine.CopyNode(args, out);
}

// ---- reading ------------------------------------------------------------------------------------

// The device of a file argument to read from: a closed file cannot be read.
LispStatus ReadingDevice(const LispNode* file, CTqLispIODevice*& device)
{
    device = OpenDeviceOf(file);
    return device ? LispStatus::Ok : LispStatus::LoadingProgram;
}

// The code ascii gives for a character: its byte in the code page, else its unit.
std::int32_t CharacterCode(CTqLISPImpl& engine, std::u16string_view character)
{
    const QByteArray form = CodePageForm(engine, character.substr(0, 1));
    if (form.size() == 1)
        return static_cast<unsigned char>(form[0]);
    return static_cast<std::int16_t>(character[0]);
}

bool IsDoubleByteCodePage(CTqLISPImpl& engine)
{
    const int codePage = engine.Services() ? engine.Services()->SystemCodePage() : 0;
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

// Bytes a UTF-8 sequence with this lead byte has.
int Utf8Length(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

LispStatus ReadCharFromFile(CTqLISPImpl& engine, CTqLispIODevice& device, LispNode*& out)
{
    QByteArray bytes = device.read(1);
    LISP_TRY(CheckDevice(&device));
    if (bytes.isEmpty())
        return engine.MakeNil(out);
    const char first = bytes[0];
    if (first == '\r' || first == '\n') {
        const QByteArray partner = device.read(1);
        LISP_TRY(CheckDevice(&device));
        const char other = first == '\r' ? '\n' : '\r';
        if (!partner.isEmpty() && partner[0] != other && !device.seek(device.pos() - 1))
            return LispStatus::ReadError;
        return engine.MakeInteger(10, out);
    }
    std::u16string text;
    if (device.isUtf8()) {
        for (int more = Utf8Length(static_cast<unsigned char>(first)) - 1; more > 0 && !device.atEnd(); --more)
            bytes += device.read(1);
        text = QString::fromUtf8(bytes).toStdU16String();
    } else if (!DecodeCodePage(engine, std::string_view(bytes.constData(), 1), text) && IsDoubleByteCodePage(engine) && !device.atEnd()) {
        // A lead byte: the character needs the byte after it.
        bytes += device.read(1);
        (void)DecodeCodePage(engine, std::string_view(bytes.constData(), std::size_t(bytes.size())), text);
    }
    LISP_TRY(CheckDevice(&device));
    if (text.empty())
        return engine.MakeNil(out);
    return engine.MakeInteger(CharacterCode(engine, text), out);
}

LispStatus ReadLineFromFile(CTqLISPImpl& engine, CTqLispIODevice& device, LispNode*& out)
{
    const qint64 start = device.pos();
    QByteArray bytes = device.readLine(kMaxLineBytes);
    LISP_TRY(CheckDevice(&device));
    if (bytes.isEmpty())
        return engine.MakeNil(out);
    // A line the buffer cannot hold is refused whole; the position stays at its start, so
    // nothing of it is lost.
    if (!bytes.endsWith('\n') && !device.atEnd()) {
        (void)device.seek(start);
        return LispStatus::InputLineTooLong;
    }
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    std::u16string text;
    LISP_TRY(DecodeSourceLine(engine, bytes, start == 0, device.isUtf8(), false, text));
    if (text.size() > kInputCapacity) {
        (void)device.seek(start);
        return LispStatus::InputLineTooLong;
    }
    return engine.MakeLiteralString(text, out);
}

// ---- host answers -------------------------------------------------------------------------------

// T for a normal host answer, nil for any other.
LispStatus HostSuccess(CTqLISPImpl& engine, short status, LispNode*& out) { return engine.MakeBoolean(status == tq::kNormal, out); }

// A name for a normal host answer, nil for any other.
LispStatus HostText(CTqLISPImpl& engine, short status, const CTqString& text, LispNode*& out)
{
    return status == tq::kNormal ? MakeText(engine, text.toQString(), out) : engine.MakeNil(out);
}

std::int32_t ClampToInteger(std::int64_t value)
{
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

constexpr std::array<const char16_t*, 11> kFolderKeys = {u"CADSYS", u"CADCFG", u"CADFONT", u"CADMNU", u"CADSUP", u"CADTMP",
                                                         u"CADHLP", u"CADDWG", u"CADCMD", u"CADDLG", u"CADKEY"};

LispStatus FolderSettings(CTqLISPImpl& engine, LispNode*& out)
{
    NodeRef list(engine);
    LISP_TRY(engine.MakeEmptyList(list.slot()));
    LispNode* tail = nullptr;
    for (const char16_t* key : kFolderKeys) {
        CTqString value;
        QString folder;
        if (engine.Services() && engine.Services()->GetFolderSetting(CTqString(key), value) == tq::kNormal)
            folder = value.toQString();
        // The alias file keeps the system's own separators; every other folder uses backslashes.
        if (std::u16string_view(key) != u"CADKEY")
            folder.replace(QLatin1Char('/'), QLatin1Char('\\'));
        NodeRef pair(engine);
        LISP_TRY(engine.MakeEmptyList(pair.slot()));
        pair->type = NodeType::DottedList;
        LISP_TRY(engine.MakeLiteralString(key, pair->first));
        LISP_TRY(MakeText(engine, folder, pair->first->next));
        Append(list.get(), tail, pair.take());
    }
    out = list.take();
    return LispStatus::Ok;
}

}  // namespace

// ---- printing -------------------------------------------------------------------------------------

LispStatus f_prin1(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return PrintValue(out, args, engine, PrintMode::Prin1); }

LispStatus f_princ(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return PrintValue(out, args, engine, PrintMode::Princ); }

LispStatus f_print(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqLispIODevice* device = nullptr;
    LISP_TRY(WritingDevice(args ? args->next : nullptr, device));
    LISP_TRY(WriteText(engine, device, u"\r\n"));
    if (args)
        LISP_TRY(engine.PrintExpr(args, PrintMode::Prin1));
    LISP_TRY(WriteText(engine, device, u" "));
    return args ? engine.CopyNode(args, out) : engine.MakeNothing(out);
}

LispStatus f_prompt(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqLispIODevice* device = nullptr;
    LISP_TRY(WritingDevice(args->next, device));
    LISP_TRY(WriteText(engine, device, StringText(args)));
    return engine.MakeNil(out);
}

// ---- text files -----------------------------------------------------------------------------------

LispStatus f_open(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const QString mode = QText(StringText(args->next)).toLower();
    CTqLispIODevice* device = nullptr;
    if (Failed(OpenLispFile(engine, QText(StringText(args)), View(mode), false, device)))
        return engine.MakeNil(out);
    return engine.MakeFile(device, out);
}

LispStatus f_close(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    LISP_TRY(CloseLispFile(args));
    return engine.MakeNil(out);
}

LispStatus f_readline(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (args) {
        CTqLispIODevice* device = nullptr;
        LISP_TRY(ReadingDevice(args, device));
        return ReadLineFromFile(engine, *device, out);
    }
    LISP_TRY(engine.Output(u"Empty input buffer."));
    LISP_TRY(engine.FlushConsole());
    const QString prompt = QStringLiteral("\n%1>").arg(engine.ParseLevel());
    CTqString line;
    std::u16string text;
    if (engine.Services() && engine.Services()->GetLine(CTqString(prompt), line) == tq::kNormal)
        text = line.toStdU16();
    if (text.size() > kInputCapacity)
        text.resize(kInputCapacity);
    return engine.MakeLiteralString(text, out);
}

LispStatus f_readchar(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (args) {
        CTqLispIODevice* device = nullptr;
        LISP_TRY(ReadingDevice(args, device));
        return ReadCharFromFile(engine, *device, out);
    }
    LISP_TRY(engine.FlushConsole());
    int key = 0;
    const short result = engine.Services() ? engine.Services()->GetKey(key) : short(tq::kError);
    if (result == tq::kCancel)
        return LispStatus::UserBreak;
    if (result != tq::kNormal)
        return LispStatus::GeneralError;
    return engine.MakeInteger(key, out);
}

LispStatus f_writeline(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqLispIODevice* device = nullptr;
    LISP_TRY(WritingDevice(args->next, device));
    LISP_TRY(engine.PrintExpr(args, PrintMode::Princ));
    LISP_TRY(WriteText(engine, device, u"\r\n"));
    return engine.CopyNode(args, out);
}

LispStatus f_writechar(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqLispIODevice* device = nullptr;
    LISP_TRY(WritingDevice(args->next, device));
    NodeRef character(engine);
    LISP_TRY(f_chr(character.slot(), args, engine));
    LISP_TRY(WriteText(engine, device, StringText(character.get())));
    return engine.MakeInteger(args->payload.integer, out);
}

LispStatus f_read(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    LispStatus status = LispStatus::Ok;
    if (engine.ReadPlainName(StringText(args), out, status))
        return status;
    // The text is read as the elements of one list, of which the first is the result.
    std::u16string text = u"(";
    text += StringText(args);
    text += u")";
    NodeRef list(engine);
    LISP_TRY(engine.ReadFromText(std::move(text), list.slot()));
    if (!IsConsList(list.get()))
        return engine.MakeNil(out);
    return engine.CopyNode(list->first, out);
}

// ---- finding files and settings -------------------------------------------------------------------

LispStatus f_findfile(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    QString name = QText(StringText(args));
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!args->next) {
        CTqString found;
        if (engine.Services() && !name.isEmpty() && engine.Services()->FindFile(CTqString(name), found) && !found.isEmpty())
            return MakeText(engine, found.toQString(), out);
        return engine.MakeNil(out);
    }
    // With a second argument, the files of a folder matching a pattern, smallest first.
    if (name.isEmpty())
        return engine.MakeNil(out);
    const int split = name.lastIndexOf(QLatin1Char('/'));
    QString folder = split < 0 ? QStringLiteral(".") : name.left(split + 1);
    const QString pattern = name.mid(split + 1);
    if (QFileInfo(folder).isRelative() && engine.Services())
        folder = QDir(engine.Services()->DocumentsFolder().toQString()).filePath(folder);
    QDir dir(folder);
    if (!pattern.isEmpty())
        dir.setNameFilters({pattern});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    dir.setSorting(QDir::Size | QDir::Reversed);
    return MakeStringList(engine, dir.entryList(), out);
}

LispStatus f_getenv(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    int arguments = 0;
    for (const LispNode* argument = args; argument; argument = argument->next)
        ++arguments;
    CTqLispServices* services = engine.Services();
    CTqString value;
    switch (arguments) {
    case 0: return FolderSettings(engine, out);
    case 1: return HostText(engine, services ? services->GetEnvironment(CTqString(StringText(args)), value) : short(tq::kError), value, out);
    case 3:
        return HostText(engine,
                        services ? services->GetEnvironmentIn(CTqString(StringText(args)), CTqString(StringText(args->next)),
                                                              CTqString(StringText(args->next->next)), value)
                                 : short(tq::kError),
                        value, out);
    default: return LispStatus::InvalidParameter;
    }
}

LispStatus f_setenv(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqLispServices* services = engine.Services();
    if (!services || services->SetEnvironment(CTqString(StringText(args)), CTqString(StringText(args->next))) != tq::kNormal)
        return engine.MakeNil(out);
    return engine.CopyNode(args->next, out);
}

LispStatus f_getfiled(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* defaultName = args->next;
    const LispNode* extension = defaultName->next;
    const auto flags = std::uint16_t(extension->next->payload.integer);
    LISP_TRY(engine.FlushConsole());
    CTqString chosen;
    const short status = engine.Services() ? engine.Services()->GetFileName(CTqString(StringText(args)), CTqString(StringText(defaultName)),
                                                                            CTqString(StringText(extension)), flags, chosen)
                                           : short(tq::kError);
    if (status == tq::kNormal && !chosen.isEmpty())
        return MakeText(engine, chosen.toQString(), out);
    if (status == tq::kCancel || status == tq::kNormal)
        return engine.MakeNil(out);
    LISP_TRY(engine.MapHostStatusLenient(status, out));
    return out ? LispStatus::Ok : engine.MakeNil(out);
}

LispStatus f_startapp(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::u16string commandLine(StringText(args));
    if (args->next) {
        commandLine += u" ";
        commandLine += StringText(args->next);
    }
    std::int32_t result = 0;
    if (!engine.Services() || engine.Services()->StartProgram(CTqString(commandLine), result) != tq::kNormal)
        return engine.MakeNil(out);
    switch (result) {
    case 0:   // out of memory
    case 2:   // file not found
    case 3:   // path not found
    case 11:  // bad format
        return engine.MakeNil(out);
    default: return engine.MakeInteger(result, out);
    }
}

// ---- the file system ------------------------------------------------------------------------------

LispStatus f_vl_file_copy(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* flag = args->next->next;
    std::int64_t copied = 0;
    if (!engine.Services() ||
        engine.Services()->CopyFile(CTqString(StringText(args)), CTqString(StringText(args->next)), flag && !IsNil(flag), copied) != tq::kNormal)
        return engine.MakeNil(out);
    return engine.MakeInteger(ClampToInteger(copied), out);
}

LispStatus f_vl_file_delete(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return HostSuccess(engine, engine.Services() ? engine.Services()->DeleteFile(CTqString(StringText(args))) : short(tq::kError), out);
}

LispStatus f_vl_file_directory_p(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return HostSuccess(engine, engine.Services() ? engine.Services()->IsDirectory(CTqString(StringText(args))) : short(tq::kError), out);
}

LispStatus f_vl_file_rename(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return HostSuccess(engine,
                       engine.Services() ? engine.Services()->RenameFile(CTqString(StringText(args)), CTqString(StringText(args->next)))
                                         : short(tq::kError),
                       out);
}

LispStatus f_vl_file_size(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::int64_t size = 0;
    if (!engine.Services() || engine.Services()->GetFileSize(CTqString(StringText(args)), size) != tq::kNormal)
        return engine.MakeNil(out);
    return engine.MakeInteger(ClampToInteger(size), out);
}

LispStatus f_vl_file_systime(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::int32_t values[8] = {};
    if (!engine.Services() || engine.Services()->GetFileTime(CTqString(StringText(args)), values) != tq::kNormal)
        return engine.MakeNil(out);
    return engine.MakeIntegerList(values, out);
}

LispStatus f_vl_filename_base(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqString part;
    return HostText(engine, engine.Services() ? engine.Services()->FileNameBase(CTqString(StringText(args)), part) : short(tq::kError), part, out);
}

LispStatus f_vl_filename_directory(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqString part;
    return HostText(engine, engine.Services() ? engine.Services()->FileNameDirectory(CTqString(StringText(args)), part) : short(tq::kError), part,
                    out);
}

LispStatus f_vl_filename_extension(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqString part;
    return HostText(engine, engine.Services() ? engine.Services()->FileNameExtension(CTqString(StringText(args)), part) : short(tq::kError), part,
                    out);
}

LispStatus f_vl_filename_mktemp(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* folder = args ? args->next : nullptr;
    const LispNode* extension = folder ? folder->next : nullptr;
    CTqString name;
    return HostText(engine,
                    engine.Services() ? engine.Services()->MakeTempFileName(CTqString(OptionalText(args)), CTqString(OptionalText(folder)),
                                                                            CTqString(OptionalText(extension)), name)
                                      : short(tq::kError),
                    name, out);
}

LispStatus f_vl_directory_files(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* folder = args;
    const LispNode* pattern = folder ? folder->next : nullptr;
    const LispNode* mode = pattern ? pattern->next : nullptr;
    auto textOrNil = [](const LispNode* node) { return !node || IsNil(node) || IsStringNode(node); };
    if (!textOrNil(folder) || !textOrNil(pattern) || (mode && !IsNil(mode) && !IsInteger(mode)))
        return LispStatus::InvalidParameter;
    auto text = [](const LispNode* node) { return node && IsStringNode(node) ? CTqString(StringText(node)) : CTqString(); };
    TqResultBuffer* chain = nullptr;
    if (!engine.Services() ||
        engine.Services()->ListDirectory(text(folder), text(pattern), IsInteger(mode) ? mode->payload.integer : 0, chain) != tq::kNormal) {
        if (chain && engine.Services())
            engine.Services()->ReleaseChain(chain);
        return engine.MakeNil(out);
    }
    return MakeStringList(engine, TakeStrings(engine, chain), out);
}

LispStatus f_vl_mkdir(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    QString name = QText(StringText(args));
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.isEmpty())
        return engine.MakeNil(out);
    if (QFileInfo(name).isRelative() && engine.Services())
        name = QDir(engine.Services()->DocumentsFolder().toQString()).filePath(name);
    if (QFileInfo::exists(name))
        return engine.MakeNil(out);
    const QDir folder(name);
    return engine.MakeBoolean(folder.mkpath(QStringLiteral(".")) && folder.exists(), out);
}

// ---- the registry ---------------------------------------------------------------------------------

LispStatus f_vl_registry_read(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqLispServices::RegistryValue value;
    if (!engine.Services() ||
        engine.Services()->RegistryRead(CTqString(StringText(args)), CTqString(OptionalText(args->next)), value) != tq::kNormal)
        return engine.MakeNil(out);
    switch (value.type) {
    case 1: return MakeText(engine, value.text.toQString(), out);
    case 2: {
        NodeRef pair(engine);
        LISP_TRY(engine.MakeEmptyList(pair.slot()));
        pair->type = NodeType::DottedList;
        LISP_TRY(engine.MakeInteger(2, pair->first));
        LISP_TRY(MakeText(engine, value.text.toQString(), pair->first->next));
        out = pair.take();
        return LispStatus::Ok;
    }
    case 4:
    case 5: return engine.MakeInteger(static_cast<std::int32_t>(static_cast<std::uint32_t>(value.number)), out);
    case 7: {
        NodeRef list(engine);
        LISP_TRY(engine.MakeEmptyList(list.slot()));
        LISP_TRY(engine.MakeInteger(7, list->first));
        LispNode* tail = list->first;
        for (const QString& text : value.strings) {
            LispNode* element = nullptr;
            LISP_TRY(MakeText(engine, text, element));
            Append(list.get(), tail, element);
        }
        out = list.take();
        return LispStatus::Ok;
    }
    case 0:
    case 3:
    case 11: {
        const std::int32_t type = value.type;
        return engine.MakeIntegerList(std::span<const std::int32_t>(&type, 1), out);
    }
    default: return engine.MakeNil(out);
    }
}

LispStatus f_vl_registry_write(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* name = args->next;
    const LispNode* data = name ? name->next : nullptr;
    const std::u16string_view written = OptionalText(data);
    if (!engine.Services() ||
        engine.Services()->RegistryWrite(CTqString(StringText(args)), CTqString(OptionalText(name)), CTqString(written)) != tq::kNormal)
        return engine.MakeNil(out);
    return engine.MakeLiteralString(written, out);
}

LispStatus f_vl_registry_delete(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return HostSuccess(engine,
                       engine.Services() ? engine.Services()->RegistryDelete(CTqString(StringText(args)), CTqString(OptionalText(args->next)),
                                                                             args->next != nullptr)
                                         : short(tq::kError),
                       out);
}

LispStatus f_vl_registry_descendents(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    TqResultBuffer* chain = nullptr;
    const bool valueNames = args->next && !IsNil(args->next);
    if (!engine.Services() || engine.Services()->RegistryDescendents(CTqString(StringText(args)), valueNames, chain) != tq::kNormal) {
        if (chain && engine.Services())
            engine.Services()->ReleaseChain(chain);
        return engine.MakeNil(out);
    }
    return MakeStringList(engine, TakeStrings(engine, chain), out);
}

namespace {
// The file of a writing built-in is checked by the built-in itself, which tells a value that is
// no file ("Node is no file descriptor.") from a closed file ("Cannot write to disk.").
constexpr ParamGroup kOptionalValueOptionalFile[] = {{Kind::Any, 1, ParamOption::Optional}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kStringOptionalFile[] = {{Kind::String, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kIntegerOptionalFile[] = {{Kind::Integer, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kOneFile[] = {{Kind::File, 1, 0}};
constexpr ParamGroup kOptionalFile[] = {{Kind::File, 1, ParamOption::Optional}};
constexpr ParamGroup kNameAndMode[] = {{Kind::String, 1, 0}, {Kind::String, 1, 0}};
// One name, or three strings for a named setting; two is refused by getenv itself.
constexpr ParamGroup kUpToThreeStrings[] = {{Kind::String, 3, ParamOption::Optional}};
constexpr ParamGroup kFindfileParams[] = {{Kind::String, 1, 0}, {Kind::SysVarValue, 1, ParamOption::Optional}};
constexpr ParamGroup kGetfiledParams[] = {{Kind::String, 3, 0}, {Kind::Integer, 1, 0}};
constexpr ParamGroup kStringOptionalString[] = {{Kind::String, 1, 0}, {Kind::String, 1, ParamOption::Optional}};
constexpr ParamGroup kStringUpToTwoStrings[] = {{Kind::String, 1, 0}, {Kind::String, 2, ParamOption::Optional}};
constexpr ParamGroup kTwoStringsOptionalFlag[] = {{Kind::String, 2, 0}, {Kind::Any, 1, ParamOption::Optional}};
// Folder, pattern and mode may each be nil; the built-in checks their kinds itself.
constexpr ParamGroup kUpToThreeValues[] = {{Kind::Any, 3, ParamOption::Optional}};
}  // namespace

constexpr BuiltinDescriptor kFileRows[] = {
    {u"f_prin1", f_prin1, EvalMode::All, Kind::Any, kOptionalValueOptionalFile},
    {u"f_princ", f_princ, EvalMode::All, Kind::Any, kOptionalValueOptionalFile},
    {u"f_print", f_print, EvalMode::All, Kind::Any, kOptionalValueOptionalFile},
    {u"f_prompt", f_prompt, EvalMode::All, Kind::NilTList, kStringOptionalFile},
    {u"f_close", f_close, EvalMode::All, Kind::Atom, kOneFile},
    {u"f_open", f_open, EvalMode::All, Kind::File, kNameAndMode},
    {u"f_read", f_read, EvalMode::All, Kind::Any, Params::OneString, OneArgumentDirect<f_read, Params::OneString>},
    {u"f_readchar", f_readchar, EvalMode::All, Kind::IntNilTList, kOptionalFile},
    {u"f_readline", f_readline, EvalMode::All, Kind::StringOrNil, kOptionalFile},
    {u"f_writechar", f_writechar, EvalMode::All, Kind::Integer, kIntegerOptionalFile},
    {u"f_writeline", f_writeline, EvalMode::All, Kind::String, kStringOptionalFile},
    {u"f_getenv", f_getenv, EvalMode::All, Kind::Number, kUpToThreeStrings},
    {u"f_findfile", f_findfile, EvalMode::All, Kind::StringOrList, kFindfileParams},
    {u"f_getfiled", f_getfiled, EvalMode::All, Kind::StringOrNil, kGetfiledParams},
    {u"f_startapp", f_startapp, EvalMode::All, Kind::IntNilTList, kStringOptionalString},
    {u"f_vl_registry_delete", f_vl_registry_delete, EvalMode::All, Kind::Atom, kStringOptionalString},
    {u"f_vl_registry_descendents", f_vl_registry_descendents, EvalMode::All, Kind::List, kStringOptionalString},
    {u"f_vl_registry_read", f_vl_registry_read, EvalMode::All, Kind::Any, kStringOptionalString},
    {u"f_vl_registry_write", f_vl_registry_write, EvalMode::All, Kind::StringOrNil, kStringUpToTwoStrings},
    {u"f_vl_file_copy", f_vl_file_copy, EvalMode::All, Kind::IntNilTList, kTwoStringsOptionalFlag},
    {u"f_vl_file_delete", f_vl_file_delete, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_vl_file_directory_p", f_vl_file_directory_p, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_vl_file_rename", f_vl_file_rename, EvalMode::All, Kind::Atom, Params::TwoStrings},
    {u"f_vl_file_size", f_vl_file_size, EvalMode::All, Kind::IntNilTList, Params::OneString},
    {u"f_vl_file_systime", f_vl_file_systime, EvalMode::All, Kind::List, Params::OneString},
    {u"f_vl_filename_base", f_vl_filename_base, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_vl_filename_directory", f_vl_filename_directory, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_vl_filename_extension", f_vl_filename_extension, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_vl_filename_mktemp", f_vl_filename_mktemp, EvalMode::All, Kind::StringOrNil, kUpToThreeStrings},
    {u"f_setenv", f_setenv, EvalMode::All, Kind::StringOrNil, Params::TwoStrings},
    {u"f_vl_directory_files", f_vl_directory_files, EvalMode::All, Kind::List, kUpToThreeValues},
    {u"f_vl_mkdir", f_vl_mkdir, EvalMode::All, Kind::Atom, Params::OneString},
};

std::span<const BuiltinDescriptor> FileBuiltins() { return kFileRows; }
