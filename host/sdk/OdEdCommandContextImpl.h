// The context a host command runs in: a document and, when a user is there, the user's IO.
#pragma once

#include "host/OdEd.h"

class OdEdCommandContextImpl final : public OdEdCommandContext {
public:
    // Neither object is owned; either may be null.
    OdEdCommandContextImpl(CTqDocument* document, CTqUserIO* userIO) : m_document(document), m_userIO(userIO) {}

    CTqDocument* document() override { return m_document; }
    CTqUserIO* userIO() override { return m_userIO; }

private:
    CTqDocument* m_document;
    CTqUserIO* m_userIO;
};
