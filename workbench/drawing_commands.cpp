// Drawing commands of the workbench.
#include "drawing_commands.h"

#include "host/OdEd.h"
#include "host/TqStatus.h"
#include "host/framework/CTqDocumentImpl.h"
#include "host/sdk/db/OdDbDatabase.h"
#include "host/sdk/dxf/OdDxfReader.h"
#include "host/sdk/dxf/OdDxfWriter.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace {

enum class DrawingAction : std::uint8_t { kNew, kOpen, kSave, kSaveAs, kQuickSave };

// One drawing command; the stack holds references, the owner deletes it.
class DrawingCommand final : public CTqCommand {
public:
    DrawingCommand(QString name, DrawingAction action) : m_name(std::move(name)), m_action(action) {}

    void addRef() override {}
    void release() override {}
    CTqString groupName() const override { return WorkbenchDrawingCommands::kGroup; }
    CTqString globalName() const override { return m_name; }
    CTqString localName() const override { return m_name; }
    short execute(OdEdCommandContext* context) override;

private:
    QString m_name;
    DrawingAction m_action;
};

// The file name typed at the prompt, without surrounding blanks or quotes.
bool askFileName(CTqUserIO* io, const QString& prompt, QString& name)
{
    if (!io)
        return false;
    CTqString answer;
    if (io->GetString(CTqString(prompt), answer) != tq::kNormal)
        return false;
    name = answer.toQString().trimmed();
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2);
    return !name.isEmpty();
}

short DrawingCommand::execute(OdEdCommandContext* context)
{
    auto* document = dynamic_cast<CTqDocumentImpl*>(context ? context->document() : nullptr);
    CTqUserIO* io = context ? context->userIO() : nullptr;
    auto print = [io](const QString& text) {
        if (io)
            io->Print(CTqString(text + QLatin1Char('\n')));
    };
    if (!document) {
        print(QStringLiteral("No document is open."));
        return tq::kError;
    }
    QString path;
    QString error;
    switch (m_action) {
    case DrawingAction::kNew:
        document->SetDatabase(OdDbDatabase::createNew());
        document->SetFileName(QString());
        print(QStringLiteral("New drawing."));
        return tq::kNormal;
    case DrawingAction::kOpen:
        if (!askFileName(io, QStringLiteral("File to open: "), path))
            return tq::kCancel;
        if (!WorkbenchDrawing::Open(*document, path, error)) {
            print(error);
            return tq::kError;
        }
        print(QStringLiteral("Opened %1.").arg(document->FileName()));
        return tq::kNormal;
    case DrawingAction::kSave:
    case DrawingAction::kQuickSave:
        path = document->FileName();
        if (path.isEmpty() && !askFileName(io, QStringLiteral("Save drawing as: "), path))
            return tq::kCancel;
        break;
    case DrawingAction::kSaveAs:
        if (!askFileName(io, QStringLiteral("Save drawing as: "), path))
            return tq::kCancel;
        break;
    }
    if (!WorkbenchDrawing::Save(*document, path, error)) {
        print(error);
        return tq::kError;
    }
    print(QStringLiteral("Saved %1.").arg(document->FileName()));
    return tq::kNormal;
}

}  // namespace

namespace WorkbenchDrawing {

bool Open(CTqDocumentImpl& document, const QString& path, QString& error)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    OdDbReadError readError;
    std::unique_ptr<OdDbDatabase> database = OdDxfReader::readFile(full, readError);
    if (!database) {
        error = QStringLiteral("Cannot open %1: %2").arg(QDir::toNativeSeparators(path), readError.message);
        return false;
    }
    document.SetDatabase(std::move(database));
    document.SetFileName(full);
    return true;
}

bool Save(CTqDocumentImpl& document, const QString& path, QString& error)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    QString reason;
    if (OdDxfWriter::writeFile(*document.Database(), full, reason) != OdResult::eOk) {
        error = QStringLiteral("Cannot save %1: %2").arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    document.SetFileName(full);
    return true;
}

}  // namespace WorkbenchDrawing

const QString WorkbenchDrawingCommands::kGroup = QStringLiteral("WORKBENCH_DRAWING");

WorkbenchDrawingCommands::WorkbenchDrawingCommands()
{
    const std::pair<const char*, DrawingAction> commands[] = {
        {"NEW", DrawingAction::kNew},       {"OPEN", DrawingAction::kOpen},
        {"SAVE", DrawingAction::kSave},     {"SAVEAS", DrawingAction::kSaveAs},
        {"QSAVE", DrawingAction::kQuickSave},
    };
    for (const auto& [name, action] : commands) {
        m_commands.push_back(std::make_unique<DrawingCommand>(QString::fromLatin1(name), action));
        odedRegCmds()->addCommand(m_commands.back().get());
    }
}

WorkbenchDrawingCommands::~WorkbenchDrawingCommands()
{
    odedRegCmds()->removeGroup(CTqString(kGroup));
}
