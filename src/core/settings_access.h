#pragma once
// Role: the settings, the run-time flags and the nick pictures, owned by the main frame and
// read at the moment they are needed (the preference dialogs change them in place).
#include "core/nick_picture_table.h"
#include "core/settings.h"

namespace korbi::core {

class SettingsAccess {
  public:
    virtual ~SettingsAccess() = default;

    virtual Settings& settings() = 0;
    virtual FrameFlags& flags() = 0;
    virtual NickPictTable& nickPicts() = 0;
};

} // namespace korbi::core
