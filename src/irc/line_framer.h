#pragma once
// Cuts received bytes into protocol lines at each carriage return. A line is handed on with
// its carriage return and the line feed right after it, when there is one. The work per
// received byte is constant, however large an arrival is.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace korbi::irc {

class LineFramer {
  public:
    // Far above the 512 bytes an IRC line may have: a peer that never sends a carriage return
    // cannot make the buffer grow without bound.
    static constexpr std::size_t kMaxPending = 64 * 1024;

    using LineHandler = std::function<void(const std::string& line)>;
    // Told once for every over-long line, with the number of bytes thrown away so far.
    using OverflowHandler = std::function<void(std::size_t droppedBytes)>;

    explicit LineFramer(std::size_t maxPending = kMaxPending) : m_maxPending(maxPending) {}

    // Appends one arrival and hands on every complete line in order. A handler may call
    // Clear(); the lines still in the buffer are then dropped.
    void Feed(std::string_view arrival, const LineHandler& onLine,
              const OverflowHandler& onOverflow = {});

    // Forgets every byte not yet handed on.
    void Clear();

    std::size_t PendingSize() const { return m_buffer.size() - m_start; }
    std::string Pending() const { return m_buffer.substr(m_start); }

  private:
    void Compact();

    std::size_t m_maxPending;
    std::string m_buffer;
    std::size_t m_start = 0; // first byte not yet handed on
    std::size_t m_scan = 0;  // bytes before this hold no carriage return
    bool m_dropOrphanLineFeed = false;
    bool m_skippingLongLine = false;
    unsigned m_generation = 0;
};

} // namespace korbi::irc
