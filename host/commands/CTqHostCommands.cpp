// The host's drawing commands on the command stack.
#include "CTqHostCommands.h"

#include "TqCommandKit.h"
#include "host/TqStatus.h"

namespace {

class FunctionCommand final : public CTqCommand {
public:
    FunctionCommand(QString name, CTqHostCommands::Body body) : m_name(std::move(name)), m_body(std::move(body)) {}
    void addRef() override {}
    void release() override {}
    CTqString groupName() const override { return CTqHostCommands::kGroup; }
    CTqString globalName() const override { return m_name; }
    CTqString localName() const override { return m_name; }
    short execute(OdEdCommandContext*) override { return m_body(); }

private:
    QString m_name;
    CTqHostCommands::Body m_body;
};

// REGEN and REDRAW have nothing to draw; ZOOM takes its answers and changes nothing.
short NothingToDraw() { return tq::kNormal; }

short Zoom()
{
    QString option;
    short status = TqCommandKit::Text(QStringLiteral("\nSpecify corner of window, enter a scale factor (nX or nXP), or [All/Center/Extents/Previous/Window/Object] <real time>: "),
                                      false, option);
    if (status != tq::kNormal)
        return status;
    const QString upper = option.toUpper();
    OdGePoint3d point;
    if (upper == QLatin1String("W") || upper == QLatin1String("WINDOW") || upper.contains(QLatin1Char(','))) {
        if (!upper.contains(QLatin1Char(',')))
            status = TqCommandKit::Point(QStringLiteral("\nSpecify first corner: "), nullptr, point);
        if (status == tq::kNormal)
            status = TqCommandKit::Point(QStringLiteral("\nSpecify opposite corner: "), nullptr, point);
    } else if (upper == QLatin1String("C") || upper == QLatin1String("CENTER")) {
        status = TqCommandKit::Point(QStringLiteral("\nSpecify center point: "), nullptr, point);
        double height = 0.0;
        if (status == tq::kNormal)
            status = TqCommandKit::Distance(QStringLiteral("\nEnter magnification or height: "), nullptr, height);
    }
    return status == tq::kNone ? short(tq::kNormal) : status;
}

}  // namespace

const QString CTqHostCommands::kGroup = QStringLiteral("TQ_DRAWING_COMMANDS");

CTqHostCommands::CTqHostCommands()
{
    add(QStringLiteral("LINE"), TqDrawCommands::Line);
    add(QStringLiteral("CIRCLE"), TqDrawCommands::Circle);
    add(QStringLiteral("POINT"), TqDrawCommands::Point);
    add(QStringLiteral("PLINE"), TqDrawCommands::Polyline);
    add(QStringLiteral("ERASE"), TqModifyCommands::Erase);
    add(QStringLiteral("MOVE"), TqModifyCommands::Move);
    add(QStringLiteral("COPY"), TqModifyCommands::Copy);
    add(QStringLiteral("ROTATE"), TqModifyCommands::Rotate);
    add(QStringLiteral("SCALE"), TqModifyCommands::Scale);
    add(QStringLiteral("EXPLODE"), TqModifyCommands::Explode);
    add(QStringLiteral("ARC"), TqDrawCommands::Arc);
    add(QStringLiteral("TEXT"), TqDrawCommands::Text);
    add(QStringLiteral("INSERT"), TqDrawCommands::Insert);
    add(QStringLiteral("-INSERT"), TqDrawCommands::Insert);
    add(QStringLiteral("UNDO"), TqUndoCommand::Undo);
    add(QStringLiteral("LAYER"), TqLayerCommand::Layer);
    add(QStringLiteral("-LAYER"), TqLayerCommand::Layer);
    add(QStringLiteral("REGEN"), NothingToDraw);
    add(QStringLiteral("REDRAW"), NothingToDraw);
    add(QStringLiteral("ZOOM"), Zoom);
}

CTqHostCommands::~CTqHostCommands()
{
    odedRegCmds()->removeGroup(CTqString(kGroup));
}

void CTqHostCommands::add(const QString& name, Body body)
{
    m_commands.push_back(std::make_unique<FunctionCommand>(name, std::move(body)));
    odedRegCmds()->addCommand(m_commands.back().get());
}
