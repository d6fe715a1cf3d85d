// An open drawing as the host knows it.
#include "CTqDocumentImpl.h"

#include "../sdk/db/OdDbDatabase.h"

#include <QFileInfo>

CTqDocumentImpl::CTqDocumentImpl() : m_database(OdDbDatabase::createNew()) {}

CTqDocumentImpl::~CTqDocumentImpl() = default;

void CTqDocumentImpl::SetDatabase(std::unique_ptr<OdDbDatabase> database)
{
    m_database = database ? std::move(database) : OdDbDatabase::createNew();
}

void CTqDocumentImpl::SetFileName(const QString& fileName)
{
    m_fileName = fileName;
    m_folder = fileName.isEmpty() ? QString() : QFileInfo(fileName).absolutePath();
}

void CTqDocumentImpl::PopCommandToken()
{
    if (!m_tokens.empty())
        m_tokens.pop_back();
}
