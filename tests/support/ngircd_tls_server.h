#pragma once
// A real ngircd on 127.0.0.1 that also serves TLS, with a self-signed certificate made by
// openssl in its temporary folder. Plain port for scripted peers, TLS port for the client.
#include "support/ngircd_server.h"

#include <string>

namespace korbi::testing {

class NgircdTlsServer : public NgircdServer {
  public:
    // False when ngircd or openssl is missing, or the server did not start.
    bool Start();
    int TlsPort() const { return m_tlsPort; }
    // The certificate's SHA-256 fingerprint, "AB:CD:..." as the client shows it.
    std::string Fingerprint() const { return m_fingerprint; }
    // The same certificate with its key in one PEM file, for a client to show.
    std::string ClientCertificateFile() const { return m_dir.filePath("client.pem").toStdString(); }
    std::string Log() const { return m_server.Output() + m_error; }

  private:
    bool MakeCertificate();

    int m_tlsPort = 0;
    std::string m_fingerprint;
    std::string m_error;
};

} // namespace korbi::testing
