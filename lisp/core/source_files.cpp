// LISP source files: finding a file by the load rules, opening it behind a device, and the
// load loop that reads and evaluates its expressions one after the other.
#include "lisp/core/source_files.h"

#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"
#include "lisp/core/lisp_io_device.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <memory>

LispStatus FindLispFile(CTqLISPImpl& engine, std::u16string_view name, QString& path)
{
    QString wanted = QString::fromStdU16String(std::u16string(name));
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

LispStatus OpenLispFile(const QString& path, std::u16string_view mode, CTqLispIODevice*& device)
{
    device = nullptr;
    QString absolute = path;
    if (QFileInfo(absolute).isRelative()) {
        const QStringList documents = QStandardPaths::standardLocations(QStandardPaths::DocumentsLocation);
        const QString base = documents.isEmpty() ? QDir::homePath() : documents.first();
        absolute = QDir(base).filePath(absolute);
    }
    absolute = QFileInfo(absolute).absoluteFilePath();
    if (absolute.isEmpty())
        return LispStatus::OpeningFile;
    auto file = std::make_unique<CTqLispFile>(absolute);
    bool opened = false;
    if (mode == u"w") {
        opened = file->open(QIODevice::ReadWrite | QIODevice::Truncate);
    } else if (mode == u"a") {
        opened = file->open(QIODevice::ReadWrite);
        if (opened)
            opened = file->seek(file->size());
    } else {
        opened = file->open(QIODevice::ReadOnly);
    }
    if (!opened)
        return LispStatus::OpeningFile;
    device = file.release();
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::LoadSource(std::u16string_view name, const LispNode* failureExpression, LispNode*& out, bool fromLoad)
{
    out = nullptr;
    QString path;
    CTqLispIODevice* device = nullptr;
    LispStatus status = FindLispFile(*this, name, path);
    if (!Failed(status))
        status = OpenLispFile(path, u"r", device);
    if (Failed(status) && fromLoad) {
        LispNode* detail = nullptr;
        if (!Failed(MakeString(name, detail)))
            SetErrorDetail(detail);
    }
    if (!Failed(status)) {
        NodeRef file(*this);
        status = MakeFile(device, file.slot());
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
                const int line = device->lineNumber();
                const auto position = qulonglong(m_input->cursor);
                const QString message = QCoreApplication::translate("CTqLISPImpl", "Error loading file. Line: %1, Position: %2.").arg(line).arg(position);
                (void)Output(u"\n ");
                (void)Output(message.toStdU16String());
            }
            m_input = context.previous;
            m_parseLevel = savedLevel;
            if (!Failed(status))
                out = value ? value.take() : nullptr;
        }
    }
    if (Failed(status) && failureExpression) {
        SetErrorDetail(nullptr);
        return Eval(failureExpression, out);
    }
    if (!Failed(status) && !out)
        return MakeNil(out);
    return status;
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
