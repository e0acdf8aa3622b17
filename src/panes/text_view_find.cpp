// The text view's find: the places the find bar's text stands in the kept lines, kept up to
// date as lines come and go, and going from one to the next.
#include "panes/find_bar.h"
#include "panes/text_view.h"

#include <QKeyEvent>

#include <algorithm>

namespace korbi::panes {

void TextView::OpenFind() {
    if (m_findBar == nullptr) {
        m_findBar = new FindBar(this);
        connect(m_findBar, &FindBar::TextChanged, this, [this](const std::string& text) {
            m_findText = text;
            m_found = FindInLines(m_lines, m_lines.FirstId(), text);
            m_foundEnd = m_lines.EndId();
            // The newest place first: what was said last is what is looked for most.
            m_currentFound = static_cast<int>(m_found.size()) - 1;
            GoToFound(0);
        });
        connect(m_findBar, &FindBar::Next, this, [this] { GoToFound(1); });
        connect(m_findBar, &FindBar::Previous, this, [this] { GoToFound(-1); });
        connect(m_findBar, &FindBar::Closed, this, &TextView::CloseFind);
    }
    m_findBar->Open();
    PlaceScrollControls();
    ScrollChanged();
    update();
}

void TextView::CloseFind() {
    if (m_findBar == nullptr || m_findBar->isHidden()) {
        return;
    }
    m_findBar->hide();
    m_findText.clear();
    m_found.clear();
    m_currentFound = -1;
    if (m_keysOf != nullptr) {
        m_keysOf->setFocus();
    }
    PlaceScrollControls();
    ScrollChanged();
    update();
}

// Lines fallen off take their places with them; lines come since are searched.
void TextView::UpdateFound() {
    if (m_findText.empty()) {
        return;
    }
    const auto gone = std::find_if(m_found.begin(), m_found.end(), [this](const FoundText& found) {
        return found.line >= m_lines.FirstId();
    });
    const int dropped = static_cast<int>(gone - m_found.begin());
    m_found.erase(m_found.begin(), gone);
    m_currentFound = m_found.empty() ? -1 : std::max(0, m_currentFound - dropped);
    if (m_foundEnd < m_lines.EndId()) {
        const std::vector<FoundText> more = FindInLines(m_lines, m_foundEnd, m_findText);
        m_found.insert(m_found.end(), more.begin(), more.end());
        m_foundEnd = m_lines.EndId();
        if (m_currentFound < 0 && !m_found.empty()) {
            m_currentFound = 0;
        }
    }
    m_findBar->ShowCount(m_currentFound + 1, static_cast<int>(m_found.size()));
}

// step places on (back when negative, round from either end), then the view shows it.
void TextView::GoToFound(int step) {
    UpdateFound();
    const int total = static_cast<int>(m_found.size());
    if (m_findBar != nullptr) {
        m_findBar->ShowCount(0, 0);
    }
    if (total == 0) {
        m_currentFound = -1;
        update();
        return;
    }
    m_currentFound = ((m_currentFound + step) % total + total) % total;
    m_findBar->ShowCount(m_currentFound + 1, total);
    const LineStore::Id line = m_found[static_cast<std::size_t>(m_currentFound)].line;
    const std::vector<ShownRow> rows = ShownRows();
    const bool inSight = !rows.empty() && rows.front().place <= RowPlace{line, 0} &&
                         rows.back().place >= RowPlace{line, Span().rowsOf(line) - 1};
    if (!inSight) {
        ScrollToLine(line);
    }
    update();
}

bool TextView::FindKey(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Find)) {
        OpenFind();
        return true;
    }
    if (event.key() == Qt::Key_F3 && !m_findText.empty()) {
        GoToFound(event.modifiers().testFlag(Qt::ShiftModifier) ? -1 : 1);
        return true;
    }
    return false;
}

} // namespace korbi::panes
