#include "store/resultcodes.h"

#include "store/usertext.h"

std::string resultText(int code)
{
    switch (code) {
    case Result::Ok:
        return TESSARO_TEXT("ResultCode", "No Error");
    case Result::FileNotFound:
        return TESSARO_TEXT("ResultCode", "File Not Found");
    case Result::AccessDenied:
        return TESSARO_TEXT("ResultCode", "Access Denied");
    case Result::NoRecord:
        return TESSARO_TEXT("ResultCode", "Record Not Available");
    case Result::DuplicateKey:
        return TESSARO_TEXT("ResultCode", "Creates Duplicate Key");
    case Result::RecordHeld:
        return TESSARO_TEXT("ResultCode", "Record Is Already Held");
    case Result::KeysInvalid:
        return TESSARO_TEXT("ResultCode", "Invalid Key File");
    case Result::AlreadyOpen:
        return TESSARO_TEXT("ResultCode", "File Already Open");
    case Result::NoTransaction:
        return TESSARO_TEXT("ResultCode", "Function Not Supported");
    case Result::RecordChanged:
        return TESSARO_TEXT("ResultCode", "Record Changed By Another Station");
    case Result::EngineError:
        return TESSARO_TEXT("ResultCode", "File System Error");
    default:
        return TESSARO_TEXT("ResultCode", "Unknown Error");
    }
}
