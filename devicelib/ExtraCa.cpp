#include "ExtraCa.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mr {
namespace {

// A bundle of authorities is a few hundred kilobytes at most.
constexpr off_t kMaxFileSize = 4 << 20;

std::string readBounded(const std::string& path) {
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return text;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kMaxFileSize) {
        text.resize(size_t(st.st_size));
        size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::read(fd, &text[done], text.size() - done);
            if (n <= 0)
                break;
            done += size_t(n);
        }
        text.resize(done);
    }
    ::close(fd);
    return text;
}

CURLcode addAuthorities(CURL*, void* context, void* user) {
    X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(context));
    for (X509* certificate : *static_cast<const std::vector<X509*>*>(user))
        X509_STORE_add_cert(store, certificate); // one the store has already is no error worth stopping for
    return CURLE_OK;
}

} // namespace

ExtraCa::ExtraCa(const std::string& path) {
    if (path.empty())
        return;
    const std::string pem = readBounded(path);
    BIO* bio = BIO_new_mem_buf(pem.data(), int(pem.size()));
    if (!bio)
        return;
    while (X509* certificate = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr))
        m_certificates.push_back(certificate);
    BIO_free(bio);
    ERR_clear_error(); // the end of the file reads as an error; it must not be taken for a TLS one later
}

ExtraCa::~ExtraCa() {
    for (X509* certificate : m_certificates)
        X509_free(certificate);
}

void ExtraCa::applyTo(CURL* easy) const {
    if (m_certificates.empty())
        return;
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, addAuthorities);
    curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, &m_certificates);
}

} // namespace mr
