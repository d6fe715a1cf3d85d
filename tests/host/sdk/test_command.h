// A command for tests that counts its references and runs.
#pragma once

#include "host/OdEd.h"
#include "host/TqStatus.h"

#include <functional>

class TestCommand final : public CTqCommand {
public:
    TestCommand(QString group, QString global, QString local)
        : m_group(std::move(group)), m_global(std::move(global)), m_local(std::move(local))
    {
    }

    void addRef() override { ++references; }
    void release() override { --references; }
    CTqString groupName() const override { return m_group; }
    CTqString globalName() const override { return m_global; }
    CTqString localName() const override { return m_local; }
    short execute(OdEdCommandContext* context) override
    {
        ++runs;
        return action ? action(context) : short(tq::kNormal);
    }

    int references = 0;
    int runs = 0;
    std::function<short(OdEdCommandContext*)> action;

private:
    QString m_group;
    QString m_global;
    QString m_local;
};
