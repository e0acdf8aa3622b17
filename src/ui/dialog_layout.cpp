#include "ui/dialog_layout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace korbi::ui {

void LayOutTabsAndButtons(QDialog& dialog, QTabWidget* tabs, QPushButton* first,
                          QPushButton* second, int width, int height) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(first);
    buttons->addWidget(second);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(tabs);
    layout->addLayout(buttons);
    dialog.resize(width, height);
}

} // namespace korbi::ui
