#include "prefs/server_list_dialog.h"

#include "ui/dialog_fields.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace korbi::prefs {

ServerListDialog::ServerListDialog(QComboBox& ServerName, QWidget* parent)
    : ui::FormDialog(parent), m_ServerName(ServerName), m_frame(new QGroupBox("Server List", this)),
      m_List1(new QListWidget(m_frame)), m_Text1(new QLineEdit(m_frame)),
      m_Command1(MakeButton("Add", "Command1", m_frame)),
      m_Command2(MakeButton("Remove", "Command2", m_frame)),
      m_Command3(MakeButton("OK", "Command3", this)),
      m_Command4(MakeButton("Cancel", "Command4", this)) {
    setObjectName("EdServList");
    setWindowTitle("Edit Server List");
    m_frame->setObjectName("Frame");
    m_List1->setObjectName("List1");
    m_List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_Text1->setObjectName("Text1");

    auto* row = new QHBoxLayout;
    row->addWidget(m_Text1, 1);
    row->addWidget(m_Command1);
    row->addWidget(m_Command2);
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_List1, 1);
    frameLayout->addLayout(row);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_Command3);
    buttons->addWidget(m_Command4);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addLayout(buttons);
    resize(340, 300);

    connect(m_Command1, &QPushButton::clicked, this, &ServerListDialog::Command1_Click);
    connect(m_Command2, &QPushButton::clicked, this, [this] { ui::RemoveSelected(*m_List1); });
    connect(m_Command3, &QPushButton::clicked, this, &ServerListDialog::Command3_Click);
    connect(m_Command4, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void ServerListDialog::Form_Load() {
    m_List1->clear();
    for (int i = 0; i < m_ServerName.count(); ++i) {
        m_List1->addItem(m_ServerName.itemText(i));
    }
}

void ServerListDialog::Command1_Click() {
    if (!m_Text1->text().isEmpty()) {
        m_List1->addItem(m_Text1->text());
    }
}

void ServerListDialog::Command3_Click() {
    m_ServerName.clear();
    for (int row = 0; row < m_List1->count(); ++row) {
        m_ServerName.addItem(m_List1->item(row)->text());
    }
    m_ServerName.setCurrentIndex(0);
    accept();
}

} // namespace korbi::prefs
