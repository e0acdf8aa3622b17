#pragma once
// Certificates the user trusts although no authority vouches for them (a self-signed one of a
// small network): one SHA-256 fingerprint per host, in the settings' extra section as
// "TrustedCert.<host>=<fingerprint>".
#include "core/settings.h"

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace korbi::session {

// The settings line of host's trusted fingerprint (host names compare without case).
std::string TrustedCertKey(const std::string& host);

// The server pane's one line for a refused certificate; previous is the fingerprint trusted
// before ("" when none was), so a changed certificate shows both.
std::string RefusalText(const std::string& host, const std::string& reason,
                        const std::string& fingerprint, const std::string& previous);

// Asks, without blocking, whether to trust fingerprint for host; a yes stores it in settings
// and runs trusted. The dialog is named "TrustCertificate".
void AskToTrust(QWidget* parent, core::Settings& settings, const std::string& host,
                const std::string& fingerprint, const std::function<void()>& trusted);

} // namespace korbi::session
