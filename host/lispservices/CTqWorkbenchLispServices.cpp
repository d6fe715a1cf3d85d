// The workbench host's LISP services.
#include "CTqWorkbenchLispServices.h"

#include "../framework/CTqConsole.h"
#include "CTqRealReader.h"
#include "CTqWildcardMatcher.h"
#include "TqResultBuffers.h"
#include "TqSystemVariableTable.h"
#include "host/CTqSystemServices.h"
#include "host/OdEd.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The existing file or folder name names inside folder, as a clean absolute path.
bool existsIn(const QString& folder, const QString& name, CTqString& fullPath)
{
    if (folder.isEmpty())
        return false;
    const QFileInfo candidate(QDir(folder), name);
    if (!candidate.exists())
        return false;
    fullPath = QDir::cleanPath(candidate.absoluteFilePath());
    return true;
}

}  // namespace

CTqWorkbenchLispServices::CTqWorkbenchLispServices(CTqConsole& console) : m_console(console)
{
    // Lengths and angles are typed in the drawing's unit formats.
    m_input.SetDistanceReader([this](const QString& text, double& value) {
        return m_units.ParseDistance(CTqString(text), m_units.Variables().UnitSettings().linearMode, value) == tq::kNormal;
    });
    m_input.SetAngleReader([this](const QString& text, double& angle) {
        return m_units.ParseAngle(CTqString(text), m_units.Variables().UnitSettings().angularMode, angle) == tq::kNormal;
    });
    m_input.SetAngleSettings([this](double& base, bool& clockwise) {
        const TqUnitSettings settings = m_units.Variables().UnitSettings();
        base = settings.angleBase;
        clockwise = settings.clockwise;
    });
    m_input.SetLastPointStore(
        [this] {
            const CTqSystemVariables::Value last = m_units.Variables().Read(*TqSystemVariableTable::Find(QStringLiteral("LASTPOINT")));
            return OdGePoint3d{last.point[0], last.point[1], last.point[2]};
        },
        [this](const OdGePoint3d& point) {
            TqResultBuffer record;
            record.restype = tqrt::kPoint3d;
            record.value.point[0] = point.x;
            record.value.point[1] = point.y;
            record.value.point[2] = point.z;
            (void)m_units.Variables().Set(QStringLiteral("LASTPOINT"), record);
        });
}

QString CTqWorkbenchLispServices::CurrentFolder() const
{
    return m_currentFolder.isEmpty() ? QDir::currentPath() : m_currentFolder;
}

TqResultBuffer* CTqWorkbenchLispServices::NewResultBuffer(short restype)
{
    return TqNewResultBuffer(restype);
}

void CTqWorkbenchLispServices::ReleaseChain(TqResultBuffer* chain)
{
    TqReleaseChain(chain);
}

short CTqWorkbenchLispServices::ValueTypeOfGroupCode(int groupCode)
{
    return TqValueTypeOfGroupCode(groupCode);
}

short CTqWorkbenchLispServices::GetPendingInput(CTqString& text)
{
    if (m_pendingInput.isEmpty())
        return tq::kNone;
    text = m_pendingInput;
    return tq::kNormal;
}

QString CTqWorkbenchLispServices::FormatReal(double value, int unitMode)
{
    // QString::number formats in the C locale whatever the user's locale is.
    if (unitMode == 1) {
        QString text = QString::number(value, 'e', 5);
        const int exponent = text.indexOf(QLatin1Char('e'));
        if (exponent < 0)
            return text;  // inf, nan
        int end = exponent;
        while (text[end - 1] == QLatin1Char('0') && text[end - 2] != QLatin1Char('.'))
            --end;
        return text.left(end) + text.mid(exponent);
    }
    QString text = QString::number(value, 'g', 6);
    if (text.contains(QLatin1Char('.')) || !text.back().isDigit())
        return text;
    const int exponent = text.indexOf(QLatin1Char('e'));
    if (exponent < 0)
        return text + QLatin1String(".0");
    return text.insert(exponent, QLatin1String(".0"));
}

short CTqWorkbenchLispServices::RealToText(double value, int unitMode, int precision1, int precision2, CTqString& text)
{
    text = FormatReal(value, unitMode);
    return tq::kNormal;
}

bool CTqWorkbenchLispServices::UserBreak()
{
    return m_console.TakeBreak();
}

void CTqWorkbenchLispServices::PrintHtml(const CTqString& html)
{
    m_console.Write(CTqString::DecodeHTML(html).toQString());
}

short CTqWorkbenchLispServices::GetLine(const CTqString& prompt, CTqString& line)
{
    QString text;
    // Answers a command built-in queued come first, shown as if typed unless CMDECHO is 0.
    if (m_commands.TakeAnswer(text)) {
        if (m_units.Variables().Real("CMDECHO") != 0.0)
            m_console.Write(prompt.toQString() + text + QLatin1Char('\n'));
        line = text;
        return tq::kNormal;
    }
    if (!m_console.ReadLine(prompt.toQString(), text) || text == QLatin1String("\x1b"))
        return tq::kCancel;
    line = text;
    return tq::kNormal;
}

short CTqWorkbenchLispServices::GetKey(int& key)
{
    return m_console.ReadKey(key) ? tq::kNormal : tq::kCancel;
}

bool CTqWorkbenchLispServices::FindFile(const CTqString& name, CTqString& fullPath)
{
    const QString& wanted = name.toQString();
    if (wanted.isEmpty())
        return false;
    if (QFileInfo(wanted).isAbsolute()) {
        if (!QFileInfo::exists(wanted))
            return false;
        fullPath = QDir::cleanPath(wanted);
        return true;
    }
    if (existsIn(CurrentFolder(), wanted, fullPath))
        return true;
    if (CTqDocument* document = GetTqSystemServices()->CurrentDocument()) {
        if (existsIn(document->Folder().toQString(), wanted, fullPath))
            return true;
    }
    for (const QString& folder : m_supportFolders) {
        if (existsIn(folder, wanted, fullPath))
            return true;
    }
    return false;
}

short CTqWorkbenchLispServices::RemoveCommand(const CTqString& name)
{
    // Nothing to remove is no failure: the command is gone either way.
    (void)odedRegCmds()->removeCmd(name);
    return tq::kNormal;
}

short CTqWorkbenchLispServices::ConfirmSelectionSet(std::uint64_t word1, std::uint64_t word2)
{
    return m_selections.Confirm({word1, word2});
}

short CTqWorkbenchLispServices::FreeSelectionSet(std::uint64_t word1, std::uint64_t word2)
{
    return m_selections.Free({word1, word2});
}

std::uint32_t CTqWorkbenchLispServices::SelectionSetNumber(std::uint64_t word1, std::uint64_t word2)
{
    return m_selections.Number({word1, word2});
}

std::uint32_t CTqWorkbenchLispServices::SelectionSetDocument(std::uint64_t word1, std::uint64_t word2)
{
    return m_selections.Document({word1, word2});
}

// --- text services of the string built-ins ----------------------------------------------------

short CTqWorkbenchLispServices::MatchWildcard(const CTqString& text, const CTqString& pattern)
{
    return CTqWildcardMatcher::Matches(text, pattern) ? tq::kNormal : tq::kNone;
}

short CTqWorkbenchLispServices::StringToReal(const CTqString& text, double& value)
{
    return CTqRealReader::ReadLeadingReal(text, value) ? tq::kNormal : tq::kNone;
}

short CTqWorkbenchLispServices::TranslateText(const CTqString& context, const CTqString& source, CTqString& translation)
{
    QString found;
    if (!m_translations.Translate(context, source, m_codePage, found))
        return tq::kNone;
    translation = found;
    return tq::kNormal;
}
