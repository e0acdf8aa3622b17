#include "core/nick_picture_table.h"

#include "platform/text_values.h"

namespace korbi::core {

std::string NickPictTable::GetNickPict(std::string_view nick) const {
    const int index = FindNickPict(nick);
    return index < 0 ? std::string() : m_NickPictTable[index].picture;
}

int NickPictTable::FindNickPict(std::string_view nick) const {
    int found = -1;
    for (int i = 0; i < m_NickPictCount; ++i) {
        if (platform::EqualsNoCase(m_NickPictTable[i].nick, nick)) {
            found = i;
        }
    }
    return found;
}

void NickPictTable::SetNickPict(std::string_view nick, std::string_view picture) {
    if (!GetNickPict(nick).empty()) {
        m_NickPictTable[FindNickPict(nick)] = {std::string(nick), std::string(picture)};
        return;
    }
    if (m_NickPictCount < Capacity) {
        m_NickPictTable[m_NickPictCount++] = {std::string(nick), std::string(picture)};
    }
}

void NickPictTable::RemoveNickPict(int index) {
    if (index < 0 || index >= Capacity) {
        return;
    }
    m_NickPictTable[index] = {};
    if (index >= m_NickPictCount) {
        return;
    }
    for (int i = index; i + 1 < m_NickPictCount; ++i) {
        m_NickPictTable[i] = std::move(m_NickPictTable[i + 1]);
    }
    m_NickPictTable[m_NickPictCount - 1] = {".", "."};
    --m_NickPictCount;
}

const NickPictRecord& NickPictTable::Record(int index) const {
    return m_NickPictTable.at(index);
}

} // namespace korbi::core
