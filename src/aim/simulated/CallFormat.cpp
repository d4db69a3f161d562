#include "aim/simulated/CallFormat.h"

#include "aim/WindowSystem.h"

namespace brevanto::aim::simulated {

std::string DescribeText(const char* text) {
    if (text == nullptr) {
        return "null";
    }
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (const char* p = text; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        switch (byte) {
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (byte >= 0x20 && byte < 0x7F) {
                    out += static_cast<char>(byte);
                } else {
                    out += "\\x";
                    out += hex[byte >> 4];
                    out += hex[byte & 0xF];
                }
        }
    }
    return out + "\"";
}

std::string DescribeMessage(unsigned message) {
    switch (message) {
        case WM_SETTEXT:
            return "WM_SETTEXT";
        case WM_GETTEXT:
            return "WM_GETTEXT";
        case WM_GETTEXTLENGTH:
            return "WM_GETTEXTLENGTH";
        case WM_CLOSE:
            return "WM_CLOSE";
        case WM_LBUTTONDOWN:
            return "WM_LBUTTONDOWN";
        case WM_LBUTTONUP:
            return "WM_LBUTTONUP";
        default:
            return std::to_string(message);
    }
}

std::string DescribeRelation(unsigned relation) {
    return relation == GW_HWNDNEXT ? "GW_HWNDNEXT" : std::to_string(relation);
}

std::string DescribeLParam(unsigned message, std::intptr_t lParam) {
    if (lParam == 0) {
        return "0";
    }
    if (message == WM_SETTEXT) {
        return DescribeText(reinterpret_cast<const char*>(lParam));
    }
    return message == WM_GETTEXT ? "buffer" : std::to_string(lParam);
}

}  // namespace brevanto::aim::simulated
