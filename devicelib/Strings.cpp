#include "Strings.h"

#include <mutex>
#include <unordered_set>

namespace mr {

const char* keepText(const std::string& text) {
    static std::mutex mutex;
    // Never destroyed: texts may still be read by threads that outlive static destruction at exit.
    static auto* texts = new std::unordered_set<std::string>;
    std::lock_guard<std::mutex> lock(mutex);
    return texts->insert(text).first->c_str();
}

std::string percentEncodePath(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
            c == '.' || c == '~' || c == '/') {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string lastUrlPiece(const std::string& url) {
    size_t slash = url.rfind('/');
    return slash == std::string::npos ? url : url.substr(slash + 1);
}

} // namespace mr
