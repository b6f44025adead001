#include "db/CResource.h"

void CResource::Release()
{
    delete this;
}

int CResource::GetPriority() const
{
    return 1;
}

bool CResource::IsEmpty() const
{
    return false;
}
