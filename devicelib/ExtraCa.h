// The certificate authorities of MENDRA_EXTRA_CA, trusted by a transfer besides the system's: they are added
// to each TLS connection's own store, so verification stays on and the system's authorities stay in.
#pragma once

#include <memory>
#include <string>
#include <vector>

typedef void CURL;
typedef struct x509_st X509;

namespace mr {

class ExtraCa {
public:
    // Reads the PEM file; an unreadable file or one without certificates adds nothing.
    explicit ExtraCa(const std::string& path);
    ~ExtraCa();
    ExtraCa(const ExtraCa&) = delete;
    ExtraCa& operator=(const ExtraCa&) = delete;

    bool empty() const { return m_certificates.empty(); }
    // Has the transfer's TLS connections trust the authorities; the object must outlive the transfer.
    void applyTo(CURL* easy) const;

private:
    std::vector<X509*> m_certificates;
};

} // namespace mr
