// The package's own description of itself, read from its Restore.plist.
#include "FileWork.h"

#include "Archive.h"
#include "deviceapi/zUZArovadu.h"

namespace mr {
namespace {

bool findPlistKey(const std::string& text, const std::string& key, size_t* position) {
    const std::string tag = "<key>" + key + "</key>";
    size_t at = text.find(tag);
    if (at == std::string::npos)
        return false;
    *position = at + tag.size();
    return true;
}

std::string nextString(const std::string& text, size_t* position, size_t limit) {
    size_t open = text.find("<string>", *position);
    if (open == std::string::npos || open >= limit)
        return std::string();
    size_t close = text.find("</string>", open);
    if (close == std::string::npos)
        return std::string();
    *position = close + 9;
    return text.substr(open + 8, close - open - 8);
}

std::string keyString(const std::string& text, const std::string& key) {
    size_t position = 0;
    return findPlistKey(text, key, &position) ? nextString(text, &position, text.size()) : std::string();
}

// The package says what it is, and the program shows it: no control characters, and short.
std::string shownText(const std::string& text, size_t limit) {
    std::string shown;
    for (unsigned char c : text)
        if (c >= 0x20 && c != 0x7f)
            shown += char(c);
    if (shown.size() <= limit)
        return shown;
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xc0) == 0x80)
        --cut; // not inside a UTF-8 sequence
    return shown.substr(0, cut);
}

} // namespace

std::string PackageManifest::versionText() const {
    return build.empty() ? version : version + " (" + build + ")";
}

StepResult readPackageManifest(Archive& archive, const std::string& path, PackageManifest* manifest) {
    std::string text, error;
    if (!archive.readSmall("Restore.plist", 1u << 20, &text, &error))
        return StepResult::error(MRErrorPackage, path + " is not a firmware package: " + error);

    manifest->version = shownText(keyString(text, "ProductVersion"), 24);
    manifest->build = shownText(keyString(text, "ProductBuildVersion"), 24);
    if (manifest->version.empty())
        return StepResult::error(MRErrorPackage, path + ": Restore.plist names no version");
    manifest->productTypes.clear();
    size_t position = 0;
    if (findPlistKey(text, "SupportedProductTypes", &position)) {
        size_t end = text.find("</array>", position);
        if (end == std::string::npos)
            end = text.size();
        for (std::string type = nextString(text, &position, end); !type.empty();
             type = nextString(text, &position, end))
            manifest->productTypes.push_back(type);
    }
    if (manifest->productTypes.empty())
        return StepResult::error(MRErrorPackage, path + ": Restore.plist names no supported product type");
    return StepResult::ok();
}

} // namespace mr
