#pragma once
// A conversation window over a temporary program folder, with its view sized in pixels.
#include "panes/conversation_window.h"
#include "panes/text_view.h"
#include "support/files.h"
#include "support/pane_control.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
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
    LineRecord Line(int slot, int k) const { return window.Lines(slot).Line(k); }

    TextView& View(int slot = 0) const {
        return *PaneControl<panes::TextView>(window, slot, "TextViewWin");
    }

    // A mouse event at a point of the drawing area (row k's middle is y = 20k + 10).
    void Mouse(QEvent::Type type, int x, int y, Qt::MouseButtons buttons = Qt::LeftButton) {
        TextView& view = View();
        const QPointF at = QPointF(x, y) + view.contentsRect().topLeft();
        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }

    // The drawing area of a slot's view as painted now.
    QImage Drawn(int slot = 0) const {
        TextView& view = View(slot);
        QImage image(view.size(), QImage::Format_RGB32);
        view.render(&image);
        return image.copy(view.contentsRect());
    }
    // The box around every pixel of a colour (empty when there is none).
    static QRect Extent(const QImage& image, QRgb colour) {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == colour) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    }

    QTemporaryDir dir;
    core::Settings settings;
    core::FrameFlags flags;
    platform::ProgramFolder folder;
    ConversationWindow window{settings, flags, folder};
};

} // namespace korbi::panes
