#pragma once
// The logging host as the media, notify and popup tests start from: two channels and a
// private conversation, "#c" in front.
#include "support/logging_fake_host.h"

namespace {

class MediaFakeHost : public korbi::testing::LoggingFakeHost {
  public:
    MediaFakeHost() {
        names = {"irc.example.net", "#c", "#d", "bob"};
        topics = {"irc.example.net"};
        nextChan = 4;
        prefs.PhotoPict.clear();
    }
};

} // namespace
