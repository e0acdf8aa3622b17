#pragma once
// The layout the tabbed dialogs share: the tabs above a row of buttons at the right.
class QDialog;
class QPushButton;
class QTabWidget;

namespace korbi::ui {

// Lays out dialog with tabs above first and second (left to right), and gives it its size.
void LayOutTabsAndButtons(QDialog& dialog, QTabWidget* tabs, QPushButton* first,
                          QPushButton* second, int width, int height);

} // namespace korbi::ui
