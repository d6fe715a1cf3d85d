// The workbench's command processor.
#include "CTqWorkbenchCommandServices.h"

#include "CTqWorkbenchLispServices.h"
#include "TqChainTags.h"
#include "TqResultBuffers.h"
#include "host/CTqSystemServices.h"
#include "host/OdEd.h"
#include "host/TqStatus.h"
#include "../framework/CTqConsoleUserIO.h"
#include "../sdk/OdEdCommandContextImpl.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbObject.h"

namespace {

constexpr const char* kPause = "\\";

QString number(double value)
{
    return QString::number(value, 'g', 17);
}

OdDbDatabase* currentDatabase()
{
    return TqCurrentDatabase();
}

QString handleText(const TqResultBuffer& record)
{
    const OdDbDatabase* db = currentDatabase();
    const OdDbObjectId id = db ? TqIdOf(*db, {record.value.name[0], record.value.name[1]}) : OdDbObjectId();
    return id.isNull() ? QString() : id.handle().ascii();
}

}  // namespace

QString CTqWorkbenchCommandServices::Plain(const QString& name)
{
    QString plain = name.trimmed().toUpper();
    while (!plain.isEmpty() && (plain.front() == QLatin1Char('_') || plain.front() == QLatin1Char('.')))
        plain.remove(0, 1);
    return plain;
}

bool CTqWorkbenchCommandServices::queue(const TqResultBuffer* record)
{
    CTqSelectionServices* selections = m_services.Selections();
    for (; record; record = record->next) {
        switch (TqValueTypeOfGroupCode(record->restype)) {
        case tqrt::kString:
            m_answers.push_back(record->value.string ? QString::fromUtf16(record->value.string) : QString());
            break;
        case tqrt::kShort: m_answers.push_back(QString::number(record->value.int16)); break;
        case tqrt::kLong: m_answers.push_back(QString::number(record->value.int32)); break;
        case tqrt::kReal:
        case tqrt::kAngle: m_answers.push_back(number(record->value.real)); break;
        case tqrt::kPoint2d:
            m_answers.push_back(number(record->value.point[0]) + QLatin1Char(',') + number(record->value.point[1]));
            break;
        case tqrt::kPoint3d:
        case tqrt::kOrientation:
            m_answers.push_back(number(record->value.point[0]) + QLatin1Char(',') + number(record->value.point[1]) + QLatin1Char(',')
                                + number(record->value.point[2]));
            break;
        case tqrt::kNil:
        case tqrt::kNone: m_answers.push_back(QString()); break;
        case tqrt::kT: m_answers.push_back(QStringLiteral("T")); break;
        case tqrt::kEntityName: m_answers.push_back(handleText(*record)); break;
        case tqrt::kSelectionSet: {
            // A set answers a selection prompt with its members, one pick each.
            const TqName set{record->value.name[0], record->value.name[1]};
            std::int32_t length = 0;
            if (!selections || selections->SelectionSetLength(set, length) != tq::kNormal)
                return false;
            for (std::int32_t i = 0; i < length; ++i) {
                TqName member;
                if (selections->SelectionSetName(set, i, member) == tq::kNormal) {
                    TqResultBuffer name{};
                    name.value.name[0] = member.word1;
                    name.value.name[1] = member.word2;
                    m_answers.push_back(handleText(name));
                }
            }
            break;
        }
        case tqrt::kListBegin: {
            // A pick given as (entity-name point) answers with the entity.
            const TqResultBuffer* inner = record->next;
            if (inner && TqValueTypeOfGroupCode(inner->restype) == tqrt::kEntityName)
                m_answers.push_back(handleText(*inner));
            int depth = 1;
            while (record->next && depth > 0) {
                record = record->next;
                const short type = TqValueTypeOfGroupCode(record->restype);
                depth += type == tqrt::kListBegin ? 1 : type == tqrt::kListEnd ? -1 : 0;
            }
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

bool CTqWorkbenchCommandServices::TakeAnswer(QString& answer)
{
    if (m_answers.empty())
        return false;
    if (m_answers.front() == QLatin1String(kPause)) {
        m_answers.pop_front();
        return false;  // the user answers this one
    }
    answer = m_answers.front();
    m_answers.pop_front();
    return true;
}

short CTqWorkbenchCommandServices::run(const QString& typed)
{
    const QString name = Plain(typed);
    CTqCommand* command = IsEnabled(name) ? odedRegCmds()->lookupCmd(CTqString(name)) : nullptr;
    if (!command) {
        m_services.PrintHtml(CTqString(QStringLiteral("\nUnknown command \"%1\".").arg(name)));
        m_services.SetErrorNumber(tq::kErrBadValue);
        return tq::kError;
    }
    CTqConsoleUserIO io(m_services.Console());
    CTqDocument* document = GetTqSystemServices() ? GetTqSystemServices()->CurrentDocument() : nullptr;
    OdEdCommandContextImpl context(document, &io);
    command->addRef();
    odedEditor()->fireCommandWillStart(command);
    const short status = command->execute(&context);
    odedEditor()->fireCommandEnded(command);
    command->release();
    return status;
}

short CTqWorkbenchCommandServices::Command(const TqResultBuffer* arguments)
{
    if (!arguments) {
        m_answers.clear();
        return tq::kCancel;
    }
    if (!queue(arguments)) {
        m_answers.clear();
        m_services.SetErrorNumber(tq::kErrBadValue);
        return tq::kError;
    }
    // Answers left when a nested call ends belong to the outer command.
    if (m_depth > 0)
        return tq::kNormal;
    ++m_depth;
    short status = tq::kNormal;
    while (!m_answers.empty() && status == tq::kNormal) {
        const QString name = m_answers.front();
        m_answers.pop_front();
        if (name.trimmed().isEmpty() || name == QLatin1String(kPause))
            continue;  // Enter at the command prompt does nothing here
        status = run(name);
    }
    --m_depth;
    if (status != tq::kNormal)
        m_answers.clear();
    return status == tq::kNone ? short(tq::kNormal) : status;
}

int CTqWorkbenchCommandServices::CommandSwitch(const CTqString& name, bool on)
{
    const QString plain = Plain(name.toQString());
    if (!odedRegCmds()->lookupCmd(CTqString(plain)))
        return 0;
    if (on)
        m_disabled.remove(plain);
    else
        m_disabled.insert(plain);
    return 1;
}

short CTqWorkbenchCommandServices::CommandName(const CTqString& name, CTqString& globalName)
{
    CTqCommand* command = odedRegCmds()->lookupCmd(CTqString(Plain(name.toQString())));
    if (!command)
        return tq::kNone;
    globalName = command->globalName();
    return tq::kNormal;
}
