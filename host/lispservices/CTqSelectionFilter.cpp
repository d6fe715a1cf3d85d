// A filter list compiles to postfix steps: a test pushes its result, a grouping pops the
// results of its operands and pushes one. Running the steps in order needs no recursion, so a
// deeply nested list costs no stack.
#include "CTqSelectionFilter.h"

#include "CTqWildcardMatcher.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace {

using Type = OdDxfCode::Type;

enum class Relation : std::uint8_t { Anything, Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual, AnyBits, AllBits };
enum class Kind : std::uint8_t { Test, Applications, And, Or, Xor, Not };

// Upper-cased text; plain text compares directly, saving the matcher its compilation.
struct Pattern {
    QString text;
    bool wildcard = false;

    explicit Pattern(const QString& pattern) : text(pattern.toUpper())
    {
        for (QChar c : text) {
            if (QStringView(u"#@.*?~[`,").contains(c)) {
                wildcard = true;
                break;
            }
        }
    }
    bool Matches(const QString& candidate) const
    {
        // toUpper shares the text when it is upper case already.
        const QString upper = candidate.toUpper();
        return wildcard ? CTqWildcardMatcher::Matches(upper, text) : upper == text;
    }
};

struct Step {
    Kind kind = Kind::Test;
    // Tests: the value (text upper-cased), one relation per coordinate (the first for other
    // values) and whether the outcome is inverted ("!=" alone runs as an inverted "=").
    OdDbTag value;
    std::array<Relation, 3> relations{Relation::Equal, Relation::Equal, Relation::Equal};
    bool inverted = false;
    std::vector<Pattern> patterns;  // the text of a test, the applications of an extended-data test
    int operands = 0;               // groupings
};

Step Grouping(Kind kind, int operands)
{
    Step step;
    step.kind = kind;
    step.operands = operands;
    return step;
}

bool IsInteger(Type type) { return type == Type::Int16 || type == Type::Int32 || type == Type::Int64; }
bool IsNumber(Type type) { return type == Type::Real || IsInteger(type); }

bool Holds(Relation relation, std::partial_ordering order)
{
    switch (relation) {
    case Relation::Anything: return true;
    case Relation::Equal: return order == 0;
    case Relation::NotEqual: return order != 0;
    case Relation::Less: return order < 0;
    case Relation::LessOrEqual: return order <= 0;
    case Relation::Greater: return order > 0;
    case Relation::GreaterOrEqual: return order >= 0;
    case Relation::AnyBits:
    case Relation::AllBits: break;
    }
    return false;
}

bool Passes(const Step& step, const OdDbTag& candidate)
{
    const OdDbTag& value = step.value;
    const Relation relation = step.relations[0];
    switch (value.type()) {
    case Type::Point: {
        if (candidate.type() != Type::Point)
            return false;
        const OdGePoint3d a = candidate.point();
        const OdGePoint3d b = value.point();
        return Holds(step.relations[0], a.x <=> b.x) && Holds(step.relations[1], a.y <=> b.y)
            && Holds(step.relations[2], a.z <=> b.z);
    }
    case Type::Real:
    case Type::Int16:
    case Type::Int32:
    case Type::Int64:
        if (relation == Relation::AnyBits || relation == Relation::AllBits) {
            if (!IsInteger(candidate.type()))
                return false;
            const std::int64_t masked = candidate.integer() & value.integer();
            return relation == Relation::AnyBits ? masked != 0 : masked == value.integer();
        }
        if (!IsNumber(candidate.type()))
            return false;
        if (IsInteger(candidate.type()) && IsInteger(value.type()))
            return Holds(relation, candidate.integer() <=> value.integer());
        return Holds(relation, candidate.number() <=> value.number());
    case Type::String:
        if (candidate.type() != Type::String)
            return false;
        if (relation == Relation::Equal)
            return step.patterns.front().Matches(candidate.string());
        return Holds(relation, candidate.string().toUpper().compare(value.string()) <=> 0);
    case Type::ObjectId:
        if (candidate.type() != Type::ObjectId)
            return false;
        if (relation == Relation::Equal)
            return candidate.objectId() == value.objectId();
        return Holds(relation, candidate.objectId().handle() <=> value.objectId().handle());
    case Type::Binary:
        if (candidate.type() != Type::Binary)
            return false;
        if (candidate.binary() == value.binary())
            return Holds(relation, std::partial_ordering::equivalent);
        return Holds(relation, candidate.binary() < value.binary() ? std::partial_ordering::less : std::partial_ordering::greater);
    case Type::None:
        break;
    }
    return false;
}

// The value an object stands for when it omits the code.
const OdDbTag* DefaultFor(int code)
{
    static const OdDbTag color = OdDbTag::int16(62, 256);
    static const OdDbTag linetype = OdDbTag::string(6, QStringLiteral("BYLAYER"));
    static const OdDbTag space = OdDbTag::int16(67, 0);
    switch (code) {
    case 62: return &color;
    case 6: return &linetype;
    case 67: return &space;
    default: return nullptr;
    }
}

bool TestHolds(const Step& step, const OdDbTagList& tags)
{
    if (step.relations == std::array{Relation::Anything, Relation::Anything, Relation::Anything})
        return true;
    const int code = step.value.code();
    bool present = false;
    for (const OdDbTag& tag : tags) {
        if (tag.code() != code)
            continue;
        present = true;
        if (Passes(step, tag))
            return !step.inverted;
    }
    if (!present) {
        if (const OdDbTag* standIn = DefaultFor(code); standIn && Passes(step, *standIn))
            return !step.inverted;
    }
    return step.inverted;
}

bool HasApplications(const Step& step, const OdDbTagList& tags)
{
    auto data = tags.begin();
    while (data != tags.end() && data->code() != -3)
        ++data;
    for (const Pattern& pattern : step.patterns) {
        bool found = false;
        for (auto tag = data; tag != tags.end() && !found; ++tag)
            found = tag->code() == 1001 && pattern.Matches(tag->string());
        if (!found)
            return false;
    }
    return true;
}

bool ParseRelation(QStringView text, Relation& relation)
{
    static const std::array<std::pair<QStringView, Relation>, 11> kNames{{
        {u"*", Relation::Anything},
        {u"=", Relation::Equal},
        {u"!=", Relation::NotEqual},
        {u"/=", Relation::NotEqual},
        {u"<>", Relation::NotEqual},
        {u"<", Relation::Less},
        {u"<=", Relation::LessOrEqual},
        {u">", Relation::Greater},
        {u">=", Relation::GreaterOrEqual},
        {u"&", Relation::AnyBits},
        {u"&=", Relation::AllBits},
    }};
    for (const auto& [name, meaning] : kNames) {
        if (text == name) {
            relation = meaning;
            return true;
        }
    }
    return false;
}

// True when text has the form of a grouping operator: "<AND" opens one, "AND>" closes one.
// kind is empty for a name that is no grouping's.
bool ParseGrouping(const QString& text, std::optional<Kind>& kind, bool& opens)
{
    static const std::array<std::pair<QStringView, Kind>, 4> kNames{{
        {u"AND", Kind::And}, {u"OR", Kind::Or}, {u"XOR", Kind::Xor}, {u"NOT", Kind::Not}}};
    QStringView name(text);
    if (name.startsWith(u'<') && name.size() > 1 && name[1].isLetter()) {
        opens = true;
        name = name.mid(1);
    } else if (name.endsWith(u'>') && name.size() > 1 && name[name.size() - 2].isLetter()) {
        opens = false;
        name.chop(1);
    } else {
        return false;
    }
    kind.reset();
    for (const auto& [known, meaning] : kNames) {
        if (name == known)
            kind = meaning;
    }
    return true;
}

// A tag as messages name it; one without a value, such as (-3), shows its code alone.
QString Quoted(const OdDbTag& tag)
{
    return tag.type() == Type::None ? QStringLiteral("(%1)").arg(tag.code()) : tag.toString();
}

class Compiler {
public:
    explicit Compiler(const OdDbTagList& filter) : m_filter(filter) {}

    bool Run(std::vector<Step>& steps, std::size_t& height, QString& message)
    {
        m_open.push_back({Kind::And, 0, nullptr});
        for (m_at = 0; m_at < m_filter.size(); ++m_at) {
            const OdDbTag& tag = m_filter[m_at];
            const bool fine = tag.code() == -4 ? Operator(tag) : tag.code() == -3 ? Applications(tag) : Test(tag, {});
            if (!fine) {
                message = m_message;
                return false;
            }
        }
        if (m_open.size() > 1) {
            message = QStringLiteral("%1 is not closed").arg(Quoted(*m_open.back().opener));
            return false;
        }
        Push(Grouping(Kind::And, m_open.back().operands));
        steps = std::move(m_steps);
        height = std::size_t(m_height);
        return true;
    }

private:
    struct Group {
        Kind kind;
        int operands;
        const OdDbTag* opener;
    };

    bool Fail(const QString& message)
    {
        m_message = message;
        return false;
    }

    void Push(Step step)
    {
        m_pending += 1 - step.operands;
        m_height = std::max(m_height, m_pending);
        m_steps.push_back(std::move(step));
        if (!m_open.empty())
            ++m_open.back().operands;
    }

    bool Operator(const OdDbTag& tag)
    {
        if (tag.type() != Type::String)
            return Fail(QStringLiteral("%1 does not name an operator").arg(Quoted(tag)));
        const QString text = tag.string().trimmed().toUpper();
        std::optional<Kind> kind;
        bool opens = false;
        if (ParseGrouping(text, kind, opens)) {
            if (!kind)
                return Fail(QStringLiteral("unknown grouping operator in %1").arg(Quoted(tag)));
            return opens ? Open(tag, *kind) : Close(tag, *kind);
        }
        Step step;
        const QStringList operators = text.split(QLatin1Char(','));
        if (operators.size() != 1 && operators.size() != 3)
            return Fail(QStringLiteral("unknown relational operator in %1").arg(Quoted(tag)));
        for (int i = 0; i < 3; ++i) {
            if (!ParseRelation(QStringView(operators[operators.size() == 1 ? 0 : i]).trimmed(), step.relations[std::size_t(i)]))
                return Fail(QStringLiteral("unknown relational operator in %1").arg(Quoted(tag)));
        }
        if (m_at + 1 >= m_filter.size() || m_filter[m_at + 1].code() == -4 || m_filter[m_at + 1].code() == -3)
            return Fail(QStringLiteral("%1 is not followed by a tag to test").arg(Quoted(tag)));
        const OdDbTag& value = m_filter[++m_at];
        if (operators.size() == 3 && value.type() != Type::Point)
            return Fail(QStringLiteral("%1 has an operator per coordinate but %2 is not a point").arg(Quoted(tag), Quoted(value)));
        const bool bitwise = std::any_of(step.relations.begin(), step.relations.end(),
                                         [](Relation r) { return r == Relation::AnyBits || r == Relation::AllBits; });
        if (bitwise && !IsInteger(value.type()))
            return Fail(QStringLiteral("%1 needs an integer, not %2").arg(Quoted(tag), Quoted(value)));
        if (operators.size() == 1 && step.relations[0] == Relation::NotEqual) {
            step.relations.fill(Relation::Equal);
            step.inverted = true;
        }
        return Test(value, std::move(step));
    }

    bool Test(const OdDbTag& value, Step step)
    {
        if (value.type() == Type::None)
            return Fail(QStringLiteral("%1 has no value to test").arg(Quoted(value)));
        step.kind = Kind::Test;
        if (value.type() == Type::String) {
            step.patterns.emplace_back(value.string());
            step.value = OdDbTag::string(value.code(), step.patterns.front().text);
        } else {
            step.value = value;
        }
        Push(std::move(step));
        return true;
    }

    bool Applications(const OdDbTag& tag)
    {
        Step step;
        step.kind = Kind::Applications;
        while (m_at + 1 < m_filter.size() && m_filter[m_at + 1].code() == 1001) {
            const OdDbTag& name = m_filter[++m_at];
            if (name.type() != Type::String)
                return Fail(QStringLiteral("%1 does not name an application").arg(Quoted(name)));
            step.patterns.emplace_back(name.string());
        }
        if (step.patterns.empty())
            return Fail(QStringLiteral("%1 names no application (1001)").arg(Quoted(tag)));
        Push(std::move(step));
        return true;
    }

    bool Open(const OdDbTag& tag, Kind kind)
    {
        m_open.push_back({kind, 0, &tag});
        return true;
    }

    bool Close(const OdDbTag& tag, Kind kind)
    {
        if (m_open.size() == 1)
            return Fail(QStringLiteral("%1 closes no open grouping").arg(Quoted(tag)));
        const Group group = m_open.back();
        if (group.kind != kind)
            return Fail(QStringLiteral("%1 does not close %2").arg(Quoted(tag), Quoted(*group.opener)));
        if (kind == Kind::Xor && group.operands != 2)
            return Fail(QStringLiteral("%1 needs exactly two operands, not %2").arg(Quoted(*group.opener)).arg(group.operands));
        if (kind == Kind::Not && group.operands != 1)
            return Fail(QStringLiteral("%1 needs exactly one operand, not %2").arg(Quoted(*group.opener)).arg(group.operands));
        if (group.operands == 0)
            return Fail(QStringLiteral("%1 needs at least one operand").arg(Quoted(*group.opener)));
        m_open.pop_back();
        Push(Grouping(kind, group.operands));
        return true;
    }

    const OdDbTagList& m_filter;
    std::size_t m_at = 0;
    std::vector<Group> m_open;
    std::vector<Step> m_steps;
    int m_pending = 0;
    int m_height = 0;
    QString m_message;
};

}  // namespace

struct CTqSelectionFilter::Program {
    std::vector<Step> steps;
    std::size_t height = 0;  // the most results pending at once
};

bool CTqSelectionFilter::Parse(const OdDbTagList& filter, QString& message)
{
    auto program = std::make_shared<Program>();
    if (!Compiler(filter).Run(program->steps, program->height, message))
        return false;
    m_program = std::move(program);
    return true;
}

bool CTqSelectionFilter::Matches(const OdDbTagList& objectTags) const
{
    if (!m_program)
        return true;
    // Results wait on a stack: a small one in place, a larger one only for filters with many
    // operands pending at once.
    std::array<bool, 64> local{};
    std::vector<bool> large;
    const bool small = m_program->height <= local.size();
    if (!small)
        large.resize(m_program->height);
    std::size_t top = 0;
    auto push = [&](bool result) {
        if (small)
            local[top++] = result;
        else
            large[top++] = result;
    };
    auto at = [&](std::size_t i) -> bool { return small ? local[i] : bool(large[i]); };

    for (const Step& step : m_program->steps) {
        switch (step.kind) {
        case Kind::Test:
            push(TestHolds(step, objectTags));
            break;
        case Kind::Applications:
            push(HasApplications(step, objectTags));
            break;
        case Kind::And:
        case Kind::Or:
        case Kind::Xor:
        case Kind::Not: {
            const std::size_t first = top - std::size_t(step.operands);
            int held = 0;
            for (std::size_t i = first; i < top; ++i)
                held += at(i) ? 1 : 0;
            top = first;
            const bool result = step.kind == Kind::And ? held == step.operands
                              : step.kind == Kind::Or  ? held > 0
                              : step.kind == Kind::Xor ? held == 1
                                                       : held == 0;
            push(result);
            break;
        }
        }
    }
    return at(0);
}
