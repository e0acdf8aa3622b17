#pragma once
// Where bytes meet widgets: received bytes are shown as UTF-8 when they are valid UTF-8, else
// as Latin-1; typed text becomes UTF-8 bytes.
#include <QString>

#include <string>
#include <string_view>

namespace korbi::platform {

QString BytesToScreen(std::string_view bytes);
std::string ScreenToBytes(const QString& text);

} // namespace korbi::platform
