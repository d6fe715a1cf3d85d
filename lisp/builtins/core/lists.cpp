// List, symbol and predicate built-ins: car/cdr and their compositions, list construction and
// search, type predicates, set, the symbol-table query and the sorting entries.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"
#include "lisp/core/equality.h"

#include <QChar>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

// An unresolvable comparison function for vl-sort; reported as an unlisted status.
constexpr auto kUnresolvedFunction = static_cast<LispStatus>(5023);

// Lists are built from owned element nodes; whatever is not handed out is released.
class ElementChain {
public:
    explicit ElementChain(CTqLISPImpl& engine) : m_engine(engine), m_head(engine) {}

    void Append(LispNode* element)
    {
        if (m_tail)
            m_tail->next = element;
        else
            m_head.reset(element);
        m_tail = element;
    }
    void Prepend(LispNode* element)
    {
        element->next = m_head.take();
        m_head.reset(element);
        if (!m_tail)
            m_tail = element;
    }
    LispStatus AppendCopy(const LispNode* value)
    {
        LispNode* copy = nullptr;
        LISP_TRY(m_engine.CopyNode(value, copy));
        Append(copy);
        return LispStatus::Ok;
    }
    // A list node of `type` over the elements; nil when there are none.
    LispStatus Finish(NodeType type, LispNode*& out)
    {
        if (!m_head)
            return m_engine.MakeNil(out);
        LISP_TRY(m_engine.NewNode(type, out));
        out->first = m_head.take();
        m_tail = nullptr;
        return LispStatus::Ok;
    }

private:
    CTqLISPImpl& m_engine;
    NodeRef m_head;
    LispNode* m_tail = nullptr;
};

// The first element of a list value; none for nil and for atoms.
LispNode* ElementsOf(const LispNode* value) { return IsConsList(value) ? value->first : nullptr; }

bool IsDotted(const LispNode* value) { return value->type == NodeType::DottedList; }

bool IsText(const LispNode* node) { return node->type == NodeType::ShortString || node->type == NodeType::String; }

// A list node of `type` sharing the chain from `element` on; the count of `element` stands for
// the new holder.
LispStatus ShareChain(CTqLISPImpl& engine, NodeType type, LispNode* element, LispNode*& out)
{
    LISP_TRY(engine.NewNode(type, out));
    out->first = element;
    ++element->refs;
    return LispStatus::Ok;
}

// Copies of the elements from `element` to the end. The copy keeps the dotted tail dotted when
// it holds more than the tail itself.
LispStatus CopyFrom(CTqLISPImpl& engine, const LispNode* element, bool dotted, LispNode*& out)
{
    ElementChain result(engine);
    const bool keepsPair = dotted && element->next;
    for (; element; element = element->next)
        LISP_TRY(result.AppendCopy(element));
    return result.Finish(keepsPair ? NodeType::DottedList : NodeType::List, out);
}

LispStatus IsEqual(const LispNode* a, const LispNode* b, bool& equal) { return LispEqual(a, b, std::nullopt, equal); }

// ---- car, cdr and their compositions ----------------------------------------------------------

// Where a car/cdr walk stands: nil (no node), a value, or the elements of a list from `node` on
// whose list node is not made until the walk ends there.
struct WalkPosition {
    LispNode* node = nullptr;
    bool isTail = false;
    bool dotted = false;
};

// `path` holds the letters between c and r; they apply from the right.
LispStatus WalkCarCdr(std::string_view path, LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    WalkPosition at{args};
    for (auto letter = path.rbegin(); letter != path.rend(); ++letter) {
        LispNode* chain = nullptr;
        bool dotted = at.dotted;
        if (at.isTail) {
            chain = at.node;
        } else if (at.node) {
            if (!IsList(at.node))
                return LispStatus::InvalidParameter;
            chain = ElementsOf(at.node);
            dotted = IsDotted(at.node);
        }
        if (!chain) {
            at = {};
            continue;
        }
        if (*letter == 'a') {
            at = {chain};
            continue;
        }
        LispNode* rest = chain->next;
        if (!rest)
            at = {};
        else if (dotted && !rest->next)
            at = {rest};  // the cdr of the last pair is the dotted tail itself
        else
            at = {rest, true, dotted};
    }
    if (!at.node)
        return engine.MakeNil(out);
    if (!at.isTail)
        return engine.CopyNode(at.node, out);
    return ShareChain(engine, at.dotted ? NodeType::DottedList : NodeType::List, at.node, out);
}

// ---- sorting ----------------------------------------------------------------------------------

// One element of vl-sort's work vector: the list element and its position in the list.
struct SortEntry {
    const LispNode* element;
    std::int32_t position;
};

// The introsort of vl-sort and vl-sort-i over a comparison that can fail: quicksort around a
// median-of-three (ninther above 40 elements) pivot, insertion sort for 32 elements or fewer,
// heap sort once the partition budget is spent. Every scan is bounded by indices, so a
// comparison function that contradicts itself yields some order, never a stray access.
class IntroSort {
public:
    IntroSort(CTqLISPImpl& engine, const LispNode* function, std::vector<SortEntry>& entries)
        : m_engine(engine), m_function(engine, function), m_entries(entries)
    {
    }

    LispStatus Run() { return Sort(0, m_entries.size(), std::ptrdiff_t(m_entries.size())); }

private:
    static constexpr std::size_t kInsertionLimit = 32;
    static constexpr std::size_t kNintherAbove = 40;

    // `before` is true when the function puts a ahead of b.
    LispStatus Less(std::size_t a, std::size_t b, bool& before)
    {
        const LispNode* const values[] = {m_entries[a].element, m_entries[b].element};
        return m_function.Test(values, before);
    }

    void Swap(std::size_t a, std::size_t b) { std::swap(m_entries[a], m_entries[b]); }

    // Orders the three positions by the function.
    LispStatus Median3(std::size_t a, std::size_t b, std::size_t c)
    {
        bool before = false;
        LISP_TRY(Less(b, a, before));
        if (before)
            Swap(a, b);
        LISP_TRY(Less(c, b, before));
        if (before) {
            Swap(b, c);
            LISP_TRY(Less(b, a, before));
            if (before)
                Swap(a, b);
        }
        return LispStatus::Ok;
    }

    // Partitions [first, last) around a pivot; `pivot` receives its final position.
    LispStatus Partition(std::size_t first, std::size_t last, std::size_t& pivot)
    {
        const std::size_t count = last - first;
        const std::size_t middle = first + count / 2;
        if (count > kNintherAbove) {
            const std::size_t step = (count + 1) / 8;
            LISP_TRY(Median3(first, first + step, first + 2 * step));
            LISP_TRY(Median3(middle - step, middle, middle + step));
            LISP_TRY(Median3(last - 1 - 2 * step, last - 1 - step, last - 1));
            LISP_TRY(Median3(first + step, middle, last - 1 - step));
        } else {
            LISP_TRY(Median3(first, middle, last - 1));
        }
        Swap(first, middle);
        std::size_t low = first + 1;
        std::size_t high = last - 1;
        bool before = false;
        for (;;) {
            while (low <= high) {
                LISP_TRY(Less(low, first, before));
                if (!before)
                    break;
                ++low;
            }
            while (low <= high) {
                LISP_TRY(Less(first, high, before));
                if (!before)
                    break;
                --high;
            }
            if (low >= high)
                break;
            Swap(low++, high--);
        }
        // Everything up to `high` goes no later than the pivot, everything after it no earlier.
        Swap(first, high);
        pivot = high;
        return LispStatus::Ok;
    }

    LispStatus InsertionSort(std::size_t first, std::size_t last)
    {
        for (std::size_t next = first + 1; next < last; ++next) {
            for (std::size_t at = next; at > first; --at) {
                bool before = false;
                LISP_TRY(Less(at, at - 1, before));
                if (!before)
                    break;
                Swap(at, at - 1);
            }
        }
        return LispStatus::Ok;
    }

    LispStatus SiftDown(std::size_t base, std::size_t root, std::size_t count)
    {
        for (;;) {
            std::size_t child = 2 * root + 1;
            if (child >= count)
                return LispStatus::Ok;
            bool before = false;
            if (child + 1 < count) {
                LISP_TRY(Less(base + child, base + child + 1, before));
                if (before)
                    ++child;
            }
            LISP_TRY(Less(base + root, base + child, before));
            if (!before)
                return LispStatus::Ok;
            Swap(base + root, base + child);
            root = child;
        }
    }

    LispStatus HeapSort(std::size_t first, std::size_t last)
    {
        const std::size_t count = last - first;
        for (std::size_t root = count / 2; root-- > 0;)
            LISP_TRY(SiftDown(first, root, count));
        for (std::size_t end = count; end-- > 1;) {
            Swap(first, first + end);
            LISP_TRY(SiftDown(first, 0, end));
        }
        return LispStatus::Ok;
    }

    // Recurses into the smaller part and loops on the larger one, so the depth stays logarithmic.
    LispStatus Sort(std::size_t first, std::size_t last, std::ptrdiff_t budget)
    {
        for (;;) {
            if (last - first <= kInsertionLimit)
                return InsertionSort(first, last);
            if (budget <= 0)
                return HeapSort(first, last);
            std::size_t pivot = first;
            LISP_TRY(Partition(first, last, pivot));
            budget = budget / 2 + budget / 4;
            if (pivot - first < last - pivot - 1) {
                LISP_TRY(Sort(first, pivot, budget));
                first = pivot + 1;
            } else {
                LISP_TRY(Sort(pivot + 1, last, budget));
                last = pivot;
            }
        }
    }

    CTqLISPImpl& m_engine;
    PreparedCall m_function;
    std::vector<SortEntry>& m_entries;
};

// The comparison function as CallFunction can call it again and again: a symbol naming a
// function, a built-in or a lambda form serve as they are; a function list (the value of a
// lambda or defun) becomes the lambda form that makes it, held in `made`.
LispStatus ResolveComparison(CTqLISPImpl& engine, const LispNode* function, const LispNode*& callable, NodeRef& made)
{
    callable = function;
    if (IsSymbolRef(function)) {
        const LispNode* symbol = ReferencedSymbol(function);
        const LispNode* value = SymbolValue(symbol);
        if (!value) {
            if (CTqCIPUnknownCommandRecorder* recorder = GetUnknownCommandRecorder())
                recorder->UnknownLISPFunction(CTqString(SymbolName(symbol)));
            return kUnresolvedFunction;
        }
        return IsBuiltin(value) || IsConsList(value) ? LispStatus::Ok : kUnresolvedFunction;
    }
    if (IsFunctionList(function)) {
        LISP_TRY(engine.MakeEmptyList(made.slot()));
        LISP_TRY(engine.MakeSymbolRef(u"LAMBDA", made->first));
        made->first->next = function->first;  // parameters and body are shared
        ++function->first->refs;
        callable = made.get();
        return LispStatus::Ok;
    }
    return IsBuiltin(function) || IsConsList(function) ? LispStatus::Ok : kUnresolvedFunction;
}

// What vl-sort and vl-sort-i share: the list's elements in the order the function gives.
// `sorted` stays empty for nil.
LispStatus SortByFunction(CTqLISPImpl& engine, const LispNode* args, std::vector<SortEntry>& sorted)
{
    const LispNode* list = args;
    if (!IsList(list))
        return LispStatus::InvalidParameter;
    if (IsNil(list))
        return LispStatus::Ok;
    const LispNode* callable = nullptr;
    NodeRef made(engine);
    LISP_TRY(ResolveComparison(engine, list->next, callable, made));
    std::int32_t position = 0;
    for (const LispNode* element = list->first; element; element = element->next)
        sorted.push_back({element, position++});
    return IntroSort(engine, callable, sorted).Run();
}

// The ASCII letters folded to lower case, unit by unit; a proper prefix sorts first.
int CompareIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char16_t x = (a[i] >= u'A' && a[i] <= u'Z') ? char16_t(a[i] + 32) : a[i];
        const char16_t y = (b[i] >= u'A' && b[i] <= u'Z') ? char16_t(b[i] + 32) : b[i];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The two string sorts: a non-empty proper list of strings sorted ignoring case; with
// `caseBreaksTies`, of two strings equal but for case the one with the larger unit at the first
// difference goes first. Anything else gives nil.
LispStatus SortStrings(LispNode*& out, const LispNode* list, CTqLISPImpl& engine, bool caseBreaksTies)
{
    if (list->type != NodeType::List || (list->flags & NodeFlag::UserFunction) || !list->first)
        return engine.MakeNil(out);
    std::vector<const LispNode*> strings;
    for (const LispNode* element = list->first; element; element = element->next) {
        if (!IsText(element))
            return engine.MakeNil(out);
        strings.push_back(element);
    }
    std::stable_sort(strings.begin(), strings.end(), [caseBreaksTies](const LispNode* a, const LispNode* b) {
        const std::u16string_view x = StringText(a);
        const std::u16string_view y = StringText(b);
        if (const int order = CompareIgnoringCase(x, y); order != 0 || !caseBreaksTies)
            return order < 0;
        const auto difference = std::mismatch(x.begin(), x.end(), y.begin());
        return difference.first != x.end() && *difference.first > *difference.second;
    });
    ElementChain result(engine);
    for (const LispNode* string : strings)
        LISP_TRY(result.AppendCopy(string));
    return result.Finish(NodeType::List, out);
}

// ---- atoms-family -----------------------------------------------------------------------------

// The symbol as atoms-family reports it: its name as a string (format 1) or the symbol itself.
LispStatus AppendSymbolEntry(CTqLISPImpl& engine, ElementChain& result, LispNode* symbol, bool asName)
{
    LispNode* entry = nullptr;
    if (asName)
        LISP_TRY(engine.MakeLiteralString(SymbolName(symbol), entry));
    else
        LISP_TRY(engine.MakeSymbolRef(symbol, entry));
    result.Append(entry);
    return LispStatus::Ok;
}

bool HasValue(const LispNode* symbol)
{
    const LispNode* value = SymbolValue(symbol);
    return value && !IsNil(value);
}

// Upper case as the reader makes symbol names.
std::u16string UpperCase(std::u16string_view text)
{
    std::u16string upper(text);
    for (char16_t& unit : upper) {
        if (unit < 128) {
            if (unit >= u'a' && unit <= u'z')
                unit = char16_t(unit - 32);
        } else {
            unit = QChar::toUpper(unit);
        }
    }
    return upper;
}

// Type names by node code; every code from 30 on reports "unknown".
constexpr std::u16string_view kTypeNames[] = {
    u"nil",     u"SYM",    u"LIST",    u"LIST",   u"INT",    u"REAL",   u"STR",       u"STR",
    u"FILE",    u"SUBR",   u"SUBR",    u"SYM",    u"SYM",    u"LISTEND", u"FILE",     u"NOTHING",
    u"DFUN",    u"ENAME",  u"PICKSET", u"FDTAPP", u"EXSUBR", u"DIALOG", u"ADR",       u"ULONG",
    u"EXSUBR",  u"EXSUBRPTR", u"STR-A", u"STR-A", u"VL-CATCH-ALL-APPLY-ERROR", u"????_28",
};

}  // namespace

// ---- symbols and predicates ---------------------------------------------------------------------

LispStatus f_set(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    LispNode* symbol = ReferencedSymbol(args);
    if (!symbol)
        return LispStatus::InvalidParameter;
    NodeRef stored(engine);
    LISP_TRY(engine.CopyNode(args->next, stored.slot()));
    LISP_TRY(engine.CopyNode(args->next, out));
    return engine.AssignSymbol(symbol, stored.take());
}

// set without the general collection: the symbol, then the value, each evaluated into a node of
// its own and checked in that order, as collection checks them; the two make the argument list.
LispStatus f_set_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    handled = true;
    if (!expressions)
        return LispStatus::MissingParameter;
    NodeRef arguments(engine);
    LISP_TRY(engine.Eval(expressions, arguments.slot()));
    if (!arguments || (KindBitsOf(arguments->type) & Kind::Symbol) == 0)
        return LispStatus::InvalidParameter;
    const LispNode* valueExpression = expressions->next;
    if (!valueExpression)
        return LispStatus::MissingParameter;
    LISP_TRY(engine.Eval(valueExpression, arguments->next));
    if (!arguments->next || KindBitsOf(arguments->next->type) == 0)
        return LispStatus::InvalidParameter;
    if (valueExpression->next)
        return LispStatus::TooManyParameters;
    return f_set(out, arguments.get(), engine);
}

LispStatus f_atom(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return engine.MakeBoolean(IsAtom(args), out); }
LispStatus f_listp(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return engine.MakeBoolean(IsList(args), out); }
LispStatus f_not(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return engine.MakeBoolean(IsNil(args), out); }
LispStatus f_null(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return engine.MakeBoolean(IsNil(args), out); }

// not and null of a call that can tell its truth without a value.
LispStatus f_not_test(const LispNode* expressions, CTqLISPImpl& engine, bool& handled, bool& truth)
{
    handled = false;
    if (!expressions || expressions->next)
        return LispStatus::Ok;
    bool operand = false;
    LISP_TRY(engine.TryTest(expressions, handled, operand));
    truth = !operand;
    return LispStatus::Ok;
}

LispStatus f_boundp(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* symbol = args->type == NodeType::Symbol ? args : IsSymbolRef(args) ? ReferencedSymbol(args) : nullptr;
    return engine.MakeBoolean(symbol ? HasValue(symbol) : IsT(args), out);
}

LispStatus f_type(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (IsNil(args))
        return engine.MakeNil(out);
    const auto code = std::size_t(args->type);
    std::u16string_view name = code < std::size(kTypeNames) ? kTypeNames[code] : u"unknown";
    if (args->type == NodeType::List && (args->flags & NodeFlag::UserFunction))
        name = u"SUBR";
    return engine.MakeSymbolRef(name, out);
}

LispStatus f_atomsf(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::int32_t format = args->payload.integer;
    LispNode* names = args->next;
    if ((format != 0 && format != 1) || (names && (!IsList(names) || IsNil(names))))
        return LispStatus::MissingParameter;
    const bool asName = format == 1;
    ElementChain result(engine);
    if (!names) {
        for (LispNode* symbol = engine.FirstSymbol(); symbol; symbol = symbol->next)
            if (HasValue(symbol))
                LISP_TRY(AppendSymbolEntry(engine, result, symbol, asName));
        return result.Finish(NodeType::List, out);
    }
    for (const LispNode* name = names->first; name; name = name->next)
        if (!IsText(name))
            return LispStatus::InvalidParameter;
    for (LispNode* name = names->first; name; name = name->next) {
        // The caller's string becomes upper case in place.
        const std::u16string upper = UpperCase(StringText(name));
        if (upper != StringText(name))
            LISP_TRY(engine.AssignString(name, upper));
        LispNode* symbol = engine.FindSymbol(upper);
        if (symbol && HasValue(symbol)) {
            LISP_TRY(AppendSymbolEntry(engine, result, symbol, asName));
        } else {
            LispNode* nil = nullptr;
            LISP_TRY(engine.MakeNil(nil));
            result.Append(nil);
        }
    }
    return result.Finish(NodeType::List, out);
}

LispStatus f_ausgeben(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return args ? engine.CopyNode(args, out) : engine.MakeNil(out);
}

// ---- taking lists apart -------------------------------------------------------------------------

LispStatus f_car(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("a", out, args, engine); }
LispStatus f_cdr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("d", out, args, engine); }
LispStatus f_caar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("aa", out, args, engine); }
LispStatus f_cadr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("ad", out, args, engine); }
LispStatus f_cdar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("da", out, args, engine); }
LispStatus f_cddr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("dd", out, args, engine); }
LispStatus f_caaar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("aaa", out, args, engine); }
LispStatus f_caadr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("aad", out, args, engine); }
LispStatus f_cadar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("ada", out, args, engine); }
LispStatus f_caddr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("add", out, args, engine); }
LispStatus f_cdaar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("daa", out, args, engine); }
LispStatus f_cdadr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("dad", out, args, engine); }
LispStatus f_cddar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("dda", out, args, engine); }
LispStatus f_cdddr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("ddd", out, args, engine); }
LispStatus f_caaaar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("aaaa", out, args, engine); }
LispStatus f_caaadr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("aaad", out, args, engine); }
LispStatus f_caadar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("aada", out, args, engine); }
LispStatus f_caaddr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("aadd", out, args, engine); }
LispStatus f_cadaar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("adaa", out, args, engine); }
LispStatus f_cadadr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("adad", out, args, engine); }
LispStatus f_caddar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("adda", out, args, engine); }
LispStatus f_cadddr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("addd", out, args, engine); }
LispStatus f_cdaaar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("daaa", out, args, engine); }
LispStatus f_cdaadr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("daad", out, args, engine); }
LispStatus f_cdadar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("dada", out, args, engine); }
LispStatus f_cdaddr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("dadd", out, args, engine); }
LispStatus f_cddaar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("ddaa", out, args, engine); }
LispStatus f_cddadr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("ddad", out, args, engine); }
LispStatus f_cdddar(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("ddda", out, args, engine); }
LispStatus f_cddddr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return WalkCarCdr("dddd", out, args, engine); }

LispStatus f_last(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsList(args))
        return LispStatus::MissingParameter;
    const LispNode* element = ElementsOf(args);
    if (!element)
        return engine.MakeNil(out);
    while (element->next)
        element = element->next;
    return engine.CopyNode(element, out);
}

LispStatus f_nth(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::int32_t index = args->payload.integer;
    const LispNode* list = args->next;
    if (index < 0 || !IsList(list))
        return LispStatus::MissingParameter;
    const LispNode* element = ElementsOf(list);
    while (element && index-- > 0)
        element = element->next;
    return element ? engine.CopyNode(element, out) : engine.MakeNil(out);
}

LispStatus f_length(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsList(args))
        return LispStatus::InvalidParameter;
    return engine.MakeInteger(std::int32_t(ListLength(args)), out);
}

LispStatus f_member(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* list = args->next;
    if (!IsList(list))
        return LispStatus::InvalidParameter;
    for (const LispNode* element = ElementsOf(list); element; element = element->next) {
        bool equal = false;
        LISP_TRY(IsEqual(args, element, equal));
        if (equal)
            return CopyFrom(engine, element, IsDotted(list), out);
    }
    return engine.MakeNil(out);
}

namespace {

// The first element of `list` whose first element equals `key`, as a copy; nil when none does.
LispStatus AssocOf(const LispNode* wanted, const LispNode* list, CTqLISPImpl& engine, LispNode*& out)
{
    if (!IsList(list))
        return LispStatus::InvalidParameter;
    for (const LispNode* element = ElementsOf(list); element; element = element->next) {
        const bool pair = (element->type == NodeType::List || element->type == NodeType::DottedList) && element->first &&
                          (element->flags & NodeFlag::UserFunction) == 0;
        if (!pair) {
            if (IsNil(element))
                continue;
            if (!IsList(element))
                return LispStatus::InvalidParameter;
        }
        const LispNode* key = element->first;
        bool equal = false;
        // Integer and symbol keys, the usual ones, meet keys of their own type most of the time.
        if (key && key->type == wanted->type && (key->type == NodeType::Integer || key->type == NodeType::SymbolRef))
            equal = key->type == NodeType::Integer ? key->payload.integer == wanted->payload.integer : key->first == wanted->first;
        else
            LISP_TRY(IsEqual(wanted, key, equal));
        if (equal)
            return engine.CopyNode(element, out);
    }
    return engine.MakeNil(out);
}

}  // namespace

LispStatus f_assoc(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return AssocOf(args, args->next, engine, out); }

// ---- building lists -----------------------------------------------------------------------------

namespace {

// A new list of `head` in front of `rest`'s elements (shared), or a dotted pair with an atom.
LispStatus ConsOf(const LispNode* head, const LispNode* rest, CTqLISPImpl& engine, LispNode*& out)
{
    NodeRef list(engine);
    if (IsConsList(rest)) {
        // The new head goes in front of the second argument's elements, which are shared.
        LISP_TRY(engine.NewNode(rest->type, list.slot()));
        LISP_TRY(engine.CopyNode(head, list->first));
        list->first->next = rest->first;
        ++rest->first->refs;
    } else {
        LISP_TRY(engine.MakeEmptyList(list.slot()));
        LISP_TRY(engine.CopyNode(head, list->first));
        if (!IsNil(rest)) {
            LISP_TRY(engine.CopyNode(rest, list->first->next));
            list->type = NodeType::DottedList;
        }
    }
    out = list.take();
    return LispStatus::Ok;
}

}  // namespace

LispStatus f_cons(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return ConsOf(args, args->next, engine, out); }

// cons, car, cdr and their kin without an argument list: variables are read where they stand.
LispStatus f_cons_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    handled = true;
    BorrowedArguments args(engine);
    LISP_TRY(args.Collect(Params::TwoAny[0], expressions));
    return ConsOf(args[0], args[1], engine, out);
}

namespace {

LispStatus CarCdrDirect(std::string_view path, LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    handled = true;
    BorrowedArguments args(engine);
    LISP_TRY(args.Collect(Params::OneList[0], expressions));
    return WalkCarCdr(path, out, const_cast<LispNode*>(args[0]), engine);
}

}  // namespace

LispStatus f_car_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CarCdrDirect("a", out, expressions, engine, handled); }
LispStatus f_cdr_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CarCdrDirect("d", out, expressions, engine, handled); }
LispStatus f_caar_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CarCdrDirect("aa", out, expressions, engine, handled); }
LispStatus f_cadr_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CarCdrDirect("ad", out, expressions, engine, handled); }
LispStatus f_cdar_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CarCdrDirect("da", out, expressions, engine, handled); }
LispStatus f_cddr_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled) { return CarCdrDirect("dd", out, expressions, engine, handled); }

LispStatus f_list(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    // The argument chain itself becomes the element chain; the caller's hold ends with the call.
    if (!args)
        return engine.MakeNil(out);
    return ShareChain(engine, NodeType::List, args, out);
}

LispStatus f_append(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    ElementChain result(engine);
    const LispNode* lastCopied = nullptr;
    for (const LispNode* list = args; list; list = list->next) {
        LISP_TRY(engine.BreakPollTick());
        if (!IsList(list))
            return LispStatus::InvalidParameter;
        for (const LispNode* element = ElementsOf(list); element; element = element->next)
            LISP_TRY(result.AppendCopy(element));
        if (ElementsOf(list))
            lastCopied = list;
    }
    // The result ends as the last list that gave it elements ends.
    return result.Finish(lastCopied && IsDotted(lastCopied) ? NodeType::DottedList : NodeType::List, out);
}

LispStatus f_reverse(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!IsList(args))
        return LispStatus::MissingParameter;
    ElementChain result(engine);
    for (const LispNode* element = ElementsOf(args); element; element = element->next) {
        LispNode* copy = nullptr;
        LISP_TRY(engine.CopyNode(element, copy));
        result.Prepend(copy);
    }
    return result.Finish(NodeType::List, out);
}

LispStatus f_subst(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* replacement = args;
    const LispNode* original = args->next;
    const LispNode* list = original->next;
    if (!IsList(list) || IsNil(list))
        return LispStatus::InvalidParameter;
    ElementChain result(engine);
    for (const LispNode* element = list->first; element; element = element->next) {
        bool equal = false;
        LISP_TRY(IsEqual(original, element, equal));
        LISP_TRY(result.AppendCopy(equal ? replacement : element));
    }
    return result.Finish(NodeType::List, out);
}

// ---- sorting ----------------------------------------------------------------------------------

LispStatus f_vl_sort(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::vector<SortEntry> sorted;
    LISP_TRY(SortByFunction(engine, args, sorted));
    ElementChain result(engine);
    const LispNode* kept = nullptr;
    for (const SortEntry& entry : sorted) {
        const LispNode* element = entry.element;
        if (kept && IsInteger(kept) && IsInteger(element) && kept->payload.integer == element->payload.integer)
            continue;  // equal neighbouring integers appear once
        LISP_TRY(result.AppendCopy(element));
        kept = element;
    }
    return result.Finish(NodeType::List, out);
}

LispStatus f_vl_sort_i(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::vector<SortEntry> sorted;
    LISP_TRY(SortByFunction(engine, args, sorted));
    ElementChain result(engine);
    for (const SortEntry& entry : sorted) {
        LispNode* position = nullptr;
        LISP_TRY(engine.MakeInteger(entry.position, position));
        result.Append(position);
    }
    return result.Finish(NodeType::List, out);
}

LispStatus f_stringsort(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return SortStrings(out, args, engine, false); }
LispStatus f_acadstringsort(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return SortStrings(out, args, engine, true); }

namespace {
constexpr ParamGroup kSymbolAndValue[] = {{Kind::Symbol, 1, 0}, {Kind::Any, 1, 0}};
constexpr ParamGroup kIntegerOptionalList[] = {{Kind::Integer, 1, 0}, {Kind::List, 1, ParamOption::Optional}};
constexpr ParamGroup kManyLists[] = {{Kind::List, kManyArguments, 0}};
constexpr ParamGroup kValueAndList[] = {{Kind::Any, 1, 0}, {Kind::List, 1, 0}};

// assoc without an argument list: the alist is read where it stands (assoc runs no code).
LispStatus f_assoc_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    handled = true;
    BorrowedArguments args(engine);
    LISP_TRY(args.Collect(kValueAndList, expressions));
    return AssocOf(args[0], args[1], engine, out);
}

constexpr ParamGroup kIntegerAndList[] = {{Kind::Integer, 1, 0}, {Kind::List, 1, 0}};
constexpr ParamGroup kTwoValuesAndList[] = {{Kind::Any, 2, 0}, {Kind::List, 1, 0}};
constexpr ParamGroup kListAndFunction[] = {{Kind::List, 1, 0}, {Kind::Any, 1, 0}};
}  // namespace

constexpr BuiltinDescriptor kListRows[] = {
    {u"f_set", f_set, EvalMode::All, Kind::Symbol, kSymbolAndValue, f_set_direct},
    {u"f_atom", f_atom, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_atomsf", f_atomsf, EvalMode::All, Kind::List, kIntegerOptionalList},
    {u"f_boundp", f_boundp, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_not", f_not, EvalMode::All, Kind::Atom, Params::OneAny, OwnedArgumentDirect<f_not>, f_not_test},
    {u"f_null", f_null, EvalMode::All, Kind::Atom, Params::OneAny, OwnedArgumentDirect<f_null>, f_not_test},
    {u"f_type", f_type, EvalMode::All, Kind::Any, Params::OneAny},
    {u"f_append", f_append, EvalMode::All, Kind::List, kManyLists},
    {u"f_assoc", f_assoc, EvalMode::All, Kind::List, kValueAndList, f_assoc_direct},
    {u"f_car", f_car, EvalMode::All, Kind::Any, Params::OneList, f_car_direct},
    {u"f_cdr", f_cdr, EvalMode::All, Kind::Any, Params::OneList, f_cdr_direct},
    {u"f_caar", f_caar, EvalMode::All, Kind::Any, Params::OneList, f_caar_direct},
    {u"f_cadr", f_cadr, EvalMode::All, Kind::Any, Params::OneList, f_cadr_direct},
    {u"f_cdar", f_cdar, EvalMode::All, Kind::Any, Params::OneList, f_cdar_direct},
    {u"f_cddr", f_cddr, EvalMode::All, Kind::Any, Params::OneList, f_cddr_direct},
    {u"f_caaar", f_caaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caadr", f_caadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cadar", f_cadar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caddr", f_caddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdaar", f_cdaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdadr", f_cdadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cddar", f_cddar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdddr", f_cdddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caaaar", f_caaaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caaadr", f_caaadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caadar", f_caadar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caaddr", f_caaddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cadaar", f_cadaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cadadr", f_cadadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_caddar", f_caddar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cadddr", f_cadddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdaaar", f_cdaaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdaadr", f_cdaadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdadar", f_cdadar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdaddr", f_cdaddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cddaar", f_cddaar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cddadr", f_cddadr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cdddar", f_cdddar, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cddddr", f_cddddr, EvalMode::All, Kind::Any, Params::OneList},
    {u"f_cons", f_cons, EvalMode::All, Kind::List, Params::TwoAny, f_cons_direct},
    {u"f_last", f_last, EvalMode::All, Kind::Any, Params::OneList, OneArgumentDirect<f_last, Params::OneList>},
    {u"f_length", f_length, EvalMode::All, Kind::Integer, Params::OneList, OneArgumentDirect<f_length, Params::OneList>},
    {u"f_list", f_list, EvalMode::All, Kind::List, Params::ManyAny},
    {u"f_listp", f_listp, EvalMode::All, Kind::Atom, Params::OneAny},
    {u"f_member", f_member, EvalMode::All, Kind::List, kValueAndList},
    {u"f_nth", f_nth, EvalMode::All, Kind::Any, kIntegerAndList},
    {u"f_reverse", f_reverse, EvalMode::All, Kind::List, Params::OneList, OneArgumentDirect<f_reverse, Params::OneList>},
    {u"f_subst", f_subst, EvalMode::All, Kind::List, kTwoValuesAndList},
    {u"f_ausgeben", f_ausgeben, EvalMode::All, Kind::Any, Params::OneAny},
    {u"f_stringsort", f_stringsort, EvalMode::All, Kind::NilTList, Params::OneList},
    {u"f_vl_sort", f_vl_sort, EvalMode::All, Kind::List, kListAndFunction},
    {u"f_vl_sort_i", f_vl_sort_i, EvalMode::All, Kind::List, kListAndFunction},
    {u"f_acadstringsort", f_acadstringsort, EvalMode::All, Kind::NilTList, Params::OneList},
};

std::span<const BuiltinDescriptor> ListBuiltins() { return kListRows; }
