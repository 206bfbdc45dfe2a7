#include "store/resultcodes.h"

std::string resultText(int code)
{
    switch (code) {
    case Result::Ok:
        return "No Error";
    case Result::FileNotFound:
        return "File Not Found";
    case Result::AccessDenied:
        return "Access Denied";
    case Result::NoRecord:
        return "Record Not Available";
    case Result::DuplicateKey:
        return "Creates Duplicate Key";
    case Result::RecordHeld:
        return "Record Is Already Held";
    case Result::KeysInvalid:
        return "Invalid Key File";
    case Result::AlreadyOpen:
        return "File Already Open";
    case Result::NoTransaction:
        return "Function Not Supported";
    case Result::RecordChanged:
        return "Record Changed By Another Station";
    case Result::EngineError:
        return "File System Error";
    default:
        return "Unknown Error";
    }
}
