// The recorder of functions LISP programs called without defining them. GetUnknownCommandRecorder()
// returns Instance(); the host application lists what it recorded.
#pragma once

#include "host/CTqLispServices.h"

#include <QStringList>

class CTqCIPUnknownCommandRecorderImpl final : public CTqCIPUnknownCommandRecorder {
public:
    static CTqCIPUnknownCommandRecorderImpl& Instance();

    CTqCIPUnknownCommandRecorderImpl() = default;
    CTqCIPUnknownCommandRecorderImpl(const CTqCIPUnknownCommandRecorderImpl&) = delete;
    CTqCIPUnknownCommandRecorderImpl& operator=(const CTqCIPUnknownCommandRecorderImpl&) = delete;

    // Each name is kept once, in the order first seen; names differing only in case are one.
    void UnknownLISPFunction(const CTqString& name) override;
    const QStringList& Names() const { return m_names; }
    void Clear() { m_names.clear(); }

private:
    QStringList m_names;
};
