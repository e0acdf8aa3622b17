#pragma once
// Cuts the bytes that arrive on the mail socket into whole reply lines, so that a reply split
// over two arrivals, or two replies in one arrival, each reach the dialogue as one reply.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::mail {

class ReplyLines {
  public:
    // A POP3 reply line is at most 512 bytes; a peer that sends far more without a line end
    // gets its bytes handed over in pieces of this size rather than growing the buffer.
    static constexpr std::size_t MaxPending = 4096;

    // Adds one arrival; returns the lines it completes, each with its line end (LF, or CR LF).
    std::vector<std::string> Add(std::string_view arrival);

    // Forgets an unfinished line (a new connection starts clean).
    void Clear() { m_pending.clear(); }

  private:
    std::string m_pending;
};

} // namespace korbi::mail
