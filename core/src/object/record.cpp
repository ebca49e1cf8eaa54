#include "softblit/core/record.h"

#include "softblit/core/status.h"

bool Record_ReadTag(C_Stream* stream, uint16_t classType, const char* className) {
    uint16_t tag = 0;
    if (Record_Read(stream, tag) && tag == classType) return true;
    Err_Set(ERR_DATA, 0, 0, "%s::LoadFromStream{class_type}", className);
    Err_Set(ERR_FATAL, 0, 0, "%s::LoadFromStream>>>A fatal error occurred, the entire process has been aborted",
            className);
    return false;
}

bool Record_Truncated(const char* className) {
    Err_Set(ERR_DATA, 0, 0, "%s::LoadFromStream{stream}", className);
    Err_Set(ERR_FATAL, 0, 0, "%s::LoadFromStream>>>A fatal error occurred, the entire process has been aborted",
            className);
    return false;
}

bool Record_MemberFailed(const char* className, bool loading) {
    Err_Set(ERR_FATAL, 0, 0, "%s::%s>>>A fatal error occurred, the entire process has been aborted", className,
            loading ? "LoadFromStream" : "SaveToStream");
    return false;
}
