// UNDO: marks (BEgin, Mark) keep a copy of every object of the drawing; Back, a number or Enter
// returns the drawing to the last mark. Objects made since are erased, changed ones get their
// old state back, so entity names stay valid. At most 16 marks are kept per drawing; End and
// the rest of the options are accepted and change nothing.
#include "CTqHostCommands.h"
#include "TqCommandKit.h"
#include "host/TqStatus.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbDictionary.h"
#include "../sdk/db/OdDbObject.h"
#include "../sdk/db/OdDbSymbolTable.h"

#include <deque>
#include <map>
#include <memory>
#include <unordered_map>

namespace TqUndoCommand {

namespace {

constexpr std::size_t kMarksKept = 16;

using Snapshot = std::unordered_map<OdDbObjectId, std::unique_ptr<OdDbObject>>;

// Marks by database serial number.
std::map<std::uint64_t, std::deque<Snapshot>>& Marks()
{
    static std::map<std::uint64_t, std::deque<Snapshot>> marks;
    return marks;
}

void Mark(OdDbDatabase& db)
{
    Snapshot snapshot;
    db.forEachObject([&](OdDbObject& object) { snapshot.emplace(object.objectId(), object.clone()); });
    std::deque<Snapshot>& marks = Marks()[db.serialNumber()];
    marks.push_back(std::move(snapshot));
    if (marks.size() > kMarksKept)
        marks.pop_front();
}

bool Back(OdDbDatabase& db)
{
    std::deque<Snapshot>& marks = Marks()[db.serialNumber()];
    if (marks.empty())
        return false;
    Snapshot snapshot = std::move(marks.back());
    marks.pop_back();
    db.forEachObject([&](OdDbObject& object) {
        const auto found = snapshot.find(object.objectId());
        if (found == snapshot.end())
            object.erase();
        else
            object.assign(*found->second);
    });
    db.forEachObject([](OdDbObject& object) {
        if (auto* table = dynamic_cast<OdDbSymbolTable*>(&object))
            table->reindex();
    });
    return true;
}

}  // namespace

short Undo()
{
    OdDbDatabase* db = TqCommandKit::Database();
    if (!db)
        return tq::kError;
    QString option;
    const short status = TqCommandKit::Text(
        QStringLiteral("\nEnter the number of operations to undo or [Auto/Control/BEgin/End/Mark/Back] <1>: "), false, option);
    if (status != tq::kNormal)
        return status;
    const QString upper = option.toUpper();
    if (upper == QLatin1String("BE") || upper == QLatin1String("BEGIN") || upper == QLatin1String("M") || upper == QLatin1String("MARK")) {
        Mark(*db);
    } else if (upper.isEmpty() || upper == QLatin1String("B") || upper == QLatin1String("BACK") || upper.toInt() > 0) {
        if (!Back(*db))
            TqCommandKit::Say(QStringLiteral("Nothing to undo."));
    } else if (upper == QLatin1String("A") || upper == QLatin1String("AUTO") || upper == QLatin1String("C") || upper == QLatin1String("CONTROL")) {
        QString ignored;
        return TqCommandKit::Text(QStringLiteral("\nEnter an option: "), false, ignored) == tq::kCancel ? short(tq::kCancel)
                                                                                                       : short(tq::kNormal);
    }
    return tq::kNormal;
}

}  // namespace TqUndoCommand
