// Writes the demo firmware package: a zip with the manifest files a firmware package carries and a few
// payload files, plus the catalogue entry (version, URL, SHA-1, size) that the device library offers for it.
//
//   demofirmware_generator <package.ipsw> <catalogue.json>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <openssl/evp.h>
#include <string>
#include <vector>
#include <zip.h>

namespace {

const char* const kProductType = "iPhone12,1";
const char* const kVersion = "17.0";
const char* const kBuild = "21A329";
const time_t kTimestamp = 1694390400; // fixed, so that every build writes the same bytes

std::string restorePlist() {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<plist version=\"1.0\">\n<dict>\n"
                       "\t<key>ProductBuildVersion</key>\n\t<string>") +
           kBuild + "</string>\n\t<key>ProductType</key>\n\t<string>" + kProductType +
           "</string>\n\t<key>ProductVersion</key>\n\t<string>" + kVersion +
           "</string>\n\t<key>SupportedProductTypes</key>\n\t<array>\n\t\t<string>" + kProductType +
           "</string>\n\t</array>\n</dict>\n</plist>\n";
}

std::string buildManifest() {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
                       "\t<key>ProductBuildVersion</key>\n\t<string>") +
           kBuild + "</string>\n\t<key>ProductVersion</key>\n\t<string>" + kVersion +
           "</string>\n\t<key>SupportedProductTypes</key>\n\t<array>\n\t\t<string>" + kProductType +
           "</string>\n\t</array>\n</dict>\n</plist>\n";
}

// Payload that compresses a little, like real images: runs of noise between runs of zeros.
std::string payload(size_t size, uint32_t seed) {
    std::string data(size, '\0');
    uint32_t state = seed;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        if ((i / 4096) % 3 != 2)
            data[i] = char(state >> 24);
    }
    return data;
}

bool addFile(zip_t* zip, const std::string& name, const std::string& content, std::vector<std::string>* keep) {
    keep->push_back(content);
    const std::string& kept = keep->back();
    zip_source_t* source = zip_source_buffer(zip, kept.data(), kept.size(), 0);
    if (!source)
        return false;
    zip_int64_t index = zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    return zip_file_set_mtime(zip, zip_uint64_t(index), kTimestamp, 0) == 0;
}

bool sha1Of(const std::string& path, std::string* hex, uint64_t* size) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    EVP_DigestInit_ex(context, EVP_sha1(), nullptr);
    std::vector<char> buffer(1 << 16);
    *size = 0;
    while (in) {
        in.read(buffer.data(), std::streamsize(buffer.size()));
        EVP_DigestUpdate(context, buffer.data(), size_t(in.gcount()));
        *size += uint64_t(in.gcount());
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context, digest, &length);
    EVP_MD_CTX_free(context);
    static const char digits[] = "0123456789abcdef";
    hex->clear();
    for (unsigned int i = 0; i < length; ++i) {
        *hex += digits[digest[i] >> 4];
        *hex += digits[digest[i] & 15];
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <package.ipsw> <catalogue.json>\n", argv[0]);
        return 2;
    }
    const std::string packagePath = argv[1];
    const std::string cataloguePath = argv[2];
    std::remove(packagePath.c_str());

    int error = 0;
    zip_t* zip = zip_open(packagePath.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) {
        std::fprintf(stderr, "cannot create %s (libzip error %d)\n", packagePath.c_str(), error);
        return 1;
    }
    std::vector<std::string> keep;
    keep.reserve(8);
    bool ok = addFile(zip, "Restore.plist", restorePlist(), &keep) &&
              addFile(zip, "BuildManifest.plist", buildManifest(), &keep) &&
              addFile(zip, "Firmware/bootloader-stage1.bin", payload(96 * 1024, 1), &keep) &&
              addFile(zip, "Firmware/bootloader-stage2.bin", payload(96 * 1024, 2), &keep) &&
              addFile(zip, "kernel.bin", payload(512 * 1024, 3), &keep) &&
              addFile(zip, "system.dmg", payload(3 * 1024 * 1024, 4), &keep);
    if (!ok || zip_close(zip) != 0) {
        std::fprintf(stderr, "cannot write %s: %s\n", packagePath.c_str(), zip_strerror(zip));
        zip_discard(zip);
        return 1;
    }

    std::string sha1;
    uint64_t size = 0;
    if (!sha1Of(packagePath, &sha1, &size)) {
        std::fprintf(stderr, "cannot read %s back\n", packagePath.c_str());
        return 1;
    }
    std::string name = packagePath.substr(packagePath.rfind('/') + 1);
    std::ofstream catalogue(cataloguePath, std::ios::trunc);
    catalogue << "{\n  \"" << kProductType << "\": [\n    {\"version\": \"" << kVersion << " (" << kBuild
              << ")\", \"url\": \"file://${LIBDIR}/" << name << "\", \"sha1\": \"" << sha1 << "\", \"size\": " << size
              << "}\n  ]\n}\n";
    return catalogue.good() ? 0 : 1;
}
