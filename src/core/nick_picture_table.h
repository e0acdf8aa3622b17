#pragma once
// Which picture each other user last announced with a PICT request, so that their next line can
// be shown with it.
#include <array>
#include <string>
#include <string_view>

namespace korbi::core {

struct NickPictRecord {
    std::string nick;
    std::string picture; // the name as announced, without folder
};

class NickPictTable {
  public:
    static constexpr int Capacity = 513;

    // The picture recorded for nick (without regard to case; the later record wins), or "".
    std::string GetNickPict(std::string_view nick) const;
    // Index of nick's record (the later one when it occurs twice), or -1.
    int FindNickPict(std::string_view nick) const;
    // Records picture as nick's current one. A nick whose picture is empty counts as unknown and
    // gets a new record; a full table takes no new nicks.
    void SetNickPict(std::string_view nick, std::string_view picture);
    // Empties record index; when it is in use the later records move down by one and the freed
    // last one becomes the placeholder "." / ".". Indexes outside the table are ignored.
    void RemoveNickPict(int index);

    int NickPictCount() const { return m_NickPictCount; }
    // Record index (0 to Capacity - 1), whether in use or not.
    const NickPictRecord& Record(int index) const;

  private:
    std::array<NickPictRecord, Capacity> m_NickPictTable;
    int m_NickPictCount = 0;
};

} // namespace korbi::core
