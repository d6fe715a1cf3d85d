// LISP source files: finding a file by the load rules, opening it behind a device, and the
// load loop that reads and evaluates its expressions one after the other.
#include "lisp/core/source_files.h"

#include "lisp/core/builtin_families.h"
#include "lisp/core/encrypted_file.h"
#include "lisp/core/engine.h"
#include "lisp/core/lisp_io_device.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>

namespace {

// Programs written for Windows separate folders with backslashes; on this system a backslash
// in a file name is rare enough to read it as a separator.
QString HostPath(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

// Text files hold no NUL bytes; a file whose start does is no program (an image, a drawing, a
// file saved as UTF-16), and reading it as text would end at its first NUL without a word.
bool LooksLikeText(CTqLispIODevice& device)
{
    constexpr qint64 kSniffBytes = 4096;
    const QByteArray start = device.read(kSniffBytes);
    const bool text = !start.contains('\0');
    return device.seek(0) && text;
}

}  // namespace

LispStatus FindLispFile(CTqLISPImpl& engine, std::u16string_view name, QString& path)
{
    QString wanted = HostPath(QString::fromUtf16(name.data(), int(name.size())));
    const QString suffix = QFileInfo(wanted).suffix();
    if (suffix.isEmpty())
        wanted += QStringLiteral(".lsp");
    CTqLispServices* services = engine.Services();
    CTqString found;
    if (services && services->FindFile(CTqString(wanted), found)) {
        path = found.toQString();
        return LispStatus::Ok;
    }
    if (!suffix.isEmpty() && suffix.compare(QLatin1String("lsp"), Qt::CaseInsensitive) != 0 && services &&
        services->FindFile(CTqString(wanted + QStringLiteral(".lsp")), found)) {
        path = found.toQString();
        return LispStatus::Ok;
    }
    return LispStatus::FileDoesNotExist;
}

LispStatus OpenLispFile(CTqLISPImpl& engine, const QString& path, std::u16string_view mode, bool addSuffix,
                        CTqLispIODevice*& device)
{
    device = nullptr;
    QString absolute = HostPath(path);
    if (absolute.isEmpty())
        return LispStatus::OpeningFile;
    if (addSuffix && QFileInfo(absolute).suffix().isEmpty())
        absolute += QStringLiteral(".lsp");
    if (QFileInfo(absolute).isRelative()) {
        CTqLispServices* services = engine.Services();
        const QString documents = services ? services->DocumentsFolder().toQString() : QString();
        absolute = QDir(documents.isEmpty() ? QDir::homePath() : documents).filePath(absolute);
    }
    absolute = QFileInfo(absolute).absoluteFilePath();
    if (absolute.isEmpty())
        return LispStatus::OpeningFile;
    std::unique_ptr<CTqLispIODevice> opened;
    bool success = false;
    if (mode == u"w" || mode == u"a") {
        auto file = std::make_unique<CTqLispFile>(absolute);
        if (mode == u"w")
            success = file->open(QIODevice::ReadWrite | QIODevice::Truncate);
        else
            success = file->open(QIODevice::ReadWrite) && file->seek(file->size());
        opened = std::move(file);
    } else {
        auto protectedFile = std::make_unique<CTqLispEncryptedFile>(absolute, engine.Services());
        if (protectedFile->hasContent())
            opened = std::move(protectedFile);
        else
            opened = std::make_unique<CTqLispFile>(absolute);
        // A folder opens as a QFile but is no file to read.
        success = !QFileInfo(absolute).isDir() && opened->open(QIODevice::ReadOnly);
    }
    if (!success)
        return LispStatus::OpeningFile;
    device = opened.release();
    return LispStatus::Ok;
}

CTqLispIODevice* OpenDeviceOf(const LispNode* file)
{
    if (!file || file->type != NodeType::File || !file->first || file->first->payload.record.state != 1)
        return nullptr;
    return static_cast<CTqLispIODevice*>(file->first->payload.record.device);
}

LispStatus CloseLispFile(LispNode* file)
{
    CTqLispIODevice* device = OpenDeviceOf(file);
    if (!device)
        return LispStatus::Ok;
    device->close();
    const bool failed = device->error() != 0;
    delete device;
    file->first->payload.record.device = nullptr;
    file->first->payload.record.state = 0;
    return failed ? LispStatus::ClosingFile : LispStatus::Ok;
}

LispStatus CTqLISPImpl::LoadSource(std::u16string_view name, const LispNode* failureExpression, LispNode*& out, bool fromLoad)
{
    out = nullptr;
    QString path;
    CTqLispIODevice* device = nullptr;
    LispStatus status = FindLispFile(*this, name, path);
    if (!Failed(status))
        status = OpenLispFile(*this, path, u"r", true, device);
    if (Failed(status) && fromLoad) {
        LispNode* detail = nullptr;
        if (!Failed(MakeString(name, detail)))
            SetErrorDetail(detail);
    }
    if (!Failed(status)) {
        NodeRef file(*this);
        status = MakeFile(device, file.slot());
        if (!Failed(status) && !LooksLikeText(*device))
            status = LispStatus::LoadingProgram;
        if (!Failed(status)) {
            InputContext context;
            context.kind = InputKind::File;
            context.source = file.get();
            const int savedLevel = m_parseLevel;
            m_parseLevel = 0;
            PushInput(&context);
            NodeRef value(*this);
            NodeRef expression(*this);
            for (;;) {
                status = ReadExpression(expression.slot());
                if (Failed(status) || !expression)
                    break;
                status = Eval(expression.get(), value.slot());
                if (Failed(status))
                    break;
            }
            if (Failed(status) && fromLoad) {
                const QString message = QCoreApplication::translate("CTqLISPImpl", "Error loading file. Line: %1, Position: %2.")
                                            .arg(device->lineNumber())
                                            .arg(qulonglong(m_input->cursor));
                (void)Output(u"\n ");
                (void)Output(message.toStdU16String());
            }
            m_input = context.previous;
            m_parseLevel = savedLevel;
            if (!Failed(status))
                out = value ? value.take() : nullptr;
        }
        if (file) {
            const LispStatus closed = CloseLispFile(file.get());
            if (!Failed(status))
                status = closed;
        }
    }
    if (Failed(status)) {
        Release(out);
        out = nullptr;
        if (failureExpression) {
            SetErrorDetail(nullptr);
            return Eval(failureExpression, out);
        }
        return status;
    }
    return out ? LispStatus::Ok : MakeNil(out);
}

LispStatus f_load(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    if (!IsStringNode(args))
        return LispStatus::InvalidParameter;
    return engine.LoadSource(StringText(args), args->next, out, true);
}

namespace {

constexpr ParamGroup kLoadParams[] = {{Kind::String, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};

constexpr BuiltinDescriptor kSourceFileRows[] = {
    {u"f_load", f_load, EvalMode::FirstOnly, Kind::Any, kLoadParams},
};

}  // namespace

std::span<const BuiltinDescriptor> SourceFileBuiltins() { return kSourceFileRows; }
