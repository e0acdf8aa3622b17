#pragma once
// A conversation window over a temporary program folder, with its view sized in pixels.
#include "panes/conversation_window.h"
#include "panes/text_view.h"
#include "support/files.h"
#include "support/pane_control.h"

#include <QTemporaryDir>

#include <string>

#include <gtest/gtest.h>

namespace korbi::panes {

using korbi::testing::PaneControl;

class PaneFixture : public ::testing::Test {
  protected:
    PaneFixture() : folder(std::filesystem::path(dir.path().toStdString())) {
        folder.MakeDirIfNotExist("LOGS");
        folder.MakeDirIfNotExist("PICTS");
        flags.IsActive = true;
        SetViewSize(400, 200);
    }

    // Sizes the window so that every text view's drawing area is width x height pixels.
    void SetViewSize(int width, int height) {
        TextView& view = *PaneControl<panes::TextView>(window, 0, "TextViewWin");
        window.resize(window.width() + width - view.InnerWidth(),
                      window.height() + height - view.InnerHeight());
        window.LayoutSlots();
        ASSERT_EQ(view.InnerWidth(), width);
        ASSERT_EQ(view.InnerHeight(), height);
    }

    std::string Log(const std::string& name) const {
        return korbi::testing::ReadBytes(folder.Resolve("LOGS\\" + name + ".LOG"));
    }

    // Line k of a slot's store.
    const LineRecord& Line(int slot, int k) const { return window.Lines(slot).Line(k); }

    QTemporaryDir dir;
    core::Settings settings;
    core::FrameFlags flags;
    platform::ProgramFolder folder;
    ConversationWindow window{settings, flags, folder};
};

} // namespace korbi::panes
