// Conversion of LISP values into host result-buffer chains, as the host receives results of
// command lines and the arguments of typed calls.
#pragma once

#include "host/CTqString.h"
#include "host/TqResultBuffer.h"
#include "lisp/core/status.h"

#include "host/CTqLispServices.h"

class CTqLISPImpl;
struct LispNode;

// Builds a chain record by record; frees what it holds unless the chain is taken.
class ChainBuilder {
public:
    explicit ChainBuilder(CTqLispServices& services) : m_services(services) {}
    ChainBuilder(const ChainBuilder&) = delete;
    ChainBuilder& operator=(const ChainBuilder&) = delete;
    ~ChainBuilder() { m_services.ReleaseChain(m_head); }
    // A new record at the end; null when memory runs out.
    TqResultBuffer* Add(short type)
    {
        TqResultBuffer* record = m_services.NewResultBuffer(type);
        if (!record)
            return nullptr;
        (m_tail ? m_tail->next : m_head) = record;
        m_tail = record;
        return record;
    }
    const TqResultBuffer* Head() const { return m_head; }
    TqResultBuffer* Take()
    {
        TqResultBuffer* head = m_head;
        m_head = m_tail = nullptr;
        return head;
    }

private:
    CTqLispServices& m_services;
    TqResultBuffer* m_head = nullptr;
    TqResultBuffer* m_tail = nullptr;
};

// Owns a chain the host handed out and frees it on every path.
class ChainHolder {
public:
    explicit ChainHolder(CTqLispServices& services, TqResultBuffer* chain = nullptr) : m_services(services), m_chain(chain) {}
    ChainHolder(const ChainHolder&) = delete;
    ChainHolder& operator=(const ChainHolder&) = delete;
    ~ChainHolder() { m_services.ReleaseChain(m_chain); }
    TqResultBuffer* get() const { return m_chain; }
    // The slot the host writes into; frees what was held.
    TqResultBuffer*& slot()
    {
        m_services.ReleaseChain(m_chain);
        m_chain = nullptr;
        return m_chain;
    }

private:
    CTqLispServices& m_services;
    TqResultBuffer* m_chain;
};

// One record per value, typed by the value's kind (lists bracketed by list-begin and list-end
// records, points as point records). The chain belongs to the caller, who releases it through
// the host services.
LispStatus ValueToTypedChain(CTqLISPImpl& engine, const LispNode* value, TqResultBuffer*& chain);

// A readable text of a chain, for hosts that show results.
CTqString ChainToText(const TqResultBuffer* chain);
