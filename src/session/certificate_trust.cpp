#include "session/certificate_trust.h"

#include "platform/text_encoding.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <algorithm>
#include <cctype>

namespace korbi::session {

std::string TrustedCertKey(const std::string& host) {
    std::string key = host;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return "TrustedCert." + key;
}

std::string RefusalText(const std::string& host, const std::string& reason,
                        const std::string& fingerprint, const std::string& previous) {
    if (previous.empty()) {
        return "The certificate of " + host + " was refused (" + reason +
               "). SHA-256 fingerprint: " + fingerprint;
    }
    return "The certificate of " + host + " has changed and was refused (" + reason +
           "). Trusted before: " + previous + " Now: " + fingerprint;
}

void AskToTrust(QWidget* parent, core::Settings& settings, const std::string& host,
                const std::string& fingerprint, const std::function<void()>& trusted) {
    auto* box = new QMessageBox(
        QMessageBox::Warning, "Unknown certificate",
        platform::BytesToScreen("No authority vouches for the certificate of " + host +
                                ".\n\nSHA-256 fingerprint:\n" + fingerprint +
                                "\n\nTrust this certificate for " + host +
                                "? Compare the fingerprint with the one the network "
                                "publishes before you do."),
        QMessageBox::Yes | QMessageBox::No, parent);
    box->setObjectName("TrustCertificate");
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::buttonClicked, box,
                     [box, &settings, host, fingerprint, trusted](QAbstractButton* button) {
                         if (box->standardButton(button) != QMessageBox::Yes) {
                             return;
                         }
                         settings.Extras.SetValue(TrustedCertKey(host), fingerprint);
                         trusted();
                     });
    box->open();
}

} // namespace korbi::session
