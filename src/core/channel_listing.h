#pragma once
// Role: the channel list window, filled row by row from the server's LIST answer.
#include "irc/channel_list_row.h"

namespace korbi::core {

class ChannelListing {
  public:
    virtual ~ChannelListing() = default;

    virtual void ClearChanList() = 0;
    virtual void AddChanListEntry(const irc::ChanListRow& row) = 0;
};

} // namespace korbi::core
