// An open drawing as the host knows it.
#include "CTqDocumentImpl.h"

void CTqDocumentImpl::PopCommandToken()
{
    if (!m_tokens.empty())
        m_tokens.pop_back();
}
