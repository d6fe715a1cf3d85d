// The symbol table: one chain of symbol nodes in ascending name order (unit by unit), with a
// rebuildable index of sample points so that a walk to a new symbol's place covers only a short
// stretch of the chain. The index is rebuilt when a walk grows longer than 20 steps. Existing
// symbols are found by name through a hash table beside the chain (programs that build names
// with read or strcat look the same few thousand up again and again).
#include "lisp/core/engine.h"
#include "lisp/core/lisp_commands.h"

#include <algorithm>

LispNode* CTqLISPImpl::LookupStart(std::u16string_view name)
{
    if (name.empty() || m_index.empty())
        return m_symbols;
    // The last sample whose name is not greater than `name`.
    auto it = std::upper_bound(m_index.begin(), m_index.end(), name,
                               [](std::u16string_view key, const LispNode* sample) { return key < SymbolName(sample); });
    return it == m_index.begin() ? m_symbols : *(it - 1);
}

LispStatus CTqLISPImpl::Intern(std::u16string_view name, LispNode*& symbol)
{
    if (const auto found = m_symbolsByName.find(name); found != m_symbolsByName.end()) {
        symbol = found->second;
        return LispStatus::Ok;
    }
    symbol = nullptr;
    LispNode* start = LookupStart(name);
    LispNode* previous = nullptr;
    LispNode* current = start;
    int steps = 0;
    while (current) {
        ++steps;
        const std::u16string_view currentName = SymbolName(current);
        if (currentName == name) {
            symbol = current;
            break;
        }
        if (currentName > name)
            break;
        previous = current;
        current = current->next;
    }
    if (steps > m_deepestLookup)
        m_deepestLookup = steps;
    if (symbol)
        return LispStatus::Ok;

    NodeRef nameNode(*this);
    LISP_TRY(MakeString(name, nameNode.slot()));
    LispNode* created = nullptr;
    LISP_TRY(NewNode(NodeType::Symbol, created));
    created->payload.symbol.name = nameNode.take();
    if ((name.size() >= 2 && name[0] == u'C' && name[1] == u':') || name == u"*ERROR*")
        created->flags |= NodeFlag::SpecialName;
    // The key views the name node's text, which lives as long as the symbol: until shutdown.
    m_symbolsByName.emplace(StringText(created->payload.symbol.name), created);
    created->payload.symbol.value = nullptr;
    created->next = current;
    if (previous)
        previous->next = created;
    else
        m_symbols = created;  // a walk that starts at a sample always passes it first
    symbol = created;
    return LispStatus::Ok;
}

LispNode* CTqLISPImpl::FindSymbol(std::u16string_view name)
{
    const auto found = m_symbolsByName.find(name);
    return found != m_symbolsByName.end() ? found->second : nullptr;
}

LispStatus CTqLISPImpl::RebuildSymbolIndex()
{
    std::size_t count = 0;
    for (const LispNode* symbol = m_symbols; symbol; symbol = symbol->next)
        ++count;
    const std::size_t k = count / 10;
    std::size_t size = 4;
    if (k >= 4) {
        const std::size_t limit = 2 * k - 1;
        while (size * 2 <= limit)
            size *= 2;
    }
    // The index cells come from the heap like every other node; the index never shrinks.
    while (m_indexSize < size) {
        LispNode* cell = nullptr;
        LISP_TRY(NewNode(NodeType::IndexNode, cell));
        cell->next = m_indexCells;
        m_indexCells = cell;
        ++m_indexSize;
    }
    const std::size_t bucket = (count + m_indexSize - 1) / m_indexSize;
    m_index.clear();
    // The first index cell is a head that points at no symbol; the others sample the chain.
    LispNode* cell = m_indexCells;
    cell->payload.words[0] = 0;
    cell = cell->next;
    LispNode* sample = m_symbols;
    while (cell) {
        cell->payload.words[0] = reinterpret_cast<std::uintptr_t>(sample);
        if (sample)
            m_index.push_back(sample);
        for (std::size_t step = 0; step < bucket && sample; ++step)
            sample = sample->next;
        cell = cell->next;
    }
    m_deepestLookup = 0;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::AssignSpecialName(LispNode* symbol, LispNode* value)
{
    const bool isFunction = IsFunctionList(value);
    SetSymbolValue(symbol, value);
    const std::u16string_view name = SymbolName(symbol);
    if (name.size() >= 2 && name[0] == u'C' && name[1] == u':') {
        if (isFunction) {
            if (Failed(RegisterLispCommand(name.substr(2), 2)))
                return LispStatus::RegisteringCommand;
        } else {
            LISP_TRY(RemoveLispCommand(*this, name.substr(2)));
        }
    }
    if (symbol == m_symError)
        m_errorHandler = isFunction ? symbol : nullptr;
    return LispStatus::Ok;
}

void CTqLISPImpl::RecordFunctionName(const LispNode* parameterList, std::u16string_view name)
{
    m_functionNames[parameterList] = std::u16string(name);
}

std::u16string CTqLISPImpl::FunctionNameOf(const LispNode* parameterList)
{
    return m_functionNames[parameterList];
}
