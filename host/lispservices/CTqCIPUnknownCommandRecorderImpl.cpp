// The process-wide recorder of undefined LISP functions.
#include "CTqCIPUnknownCommandRecorderImpl.h"

CTqCIPUnknownCommandRecorderImpl& CTqCIPUnknownCommandRecorderImpl::Instance()
{
    static CTqCIPUnknownCommandRecorderImpl recorder;
    return recorder;
}

void CTqCIPUnknownCommandRecorderImpl::UnknownLISPFunction(const CTqString& name)
{
    if (!name.isEmpty() && !m_names.contains(name.toQString(), Qt::CaseInsensitive))
        m_names << name.toQString();
}

CTqCIPUnknownCommandRecorder* GetUnknownCommandRecorder()
{
    return &CTqCIPUnknownCommandRecorderImpl::Instance();
}
