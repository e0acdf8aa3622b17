#include "media/picture_manager.h"

#include "media/artwork.h"
#include "media/pictures.h"
#include "platform/text_values.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace korbi::media {

namespace {

constexpr int kPreviewSide = 52;

QString ScreenName(const std::string& fileName) {
    return QFile::decodeName(QByteArray::fromStdString(fileName));
}

std::string FileNameOf(const QListWidgetItem* item) {
    return item == nullptr ? std::string() : item->data(Qt::UserRole).toByteArray().toStdString();
}

} // namespace

PictureChooser::PictureChooser(const platform::ProgramFolder& folder, VisibleInputLine input,
                               QWidget* parent)
    : QWidget(parent), m_folder(folder), m_input(std::move(input)), m_file1(new QListWidget(this)),
      m_picture1(new QLabel(this)), m_watcher(new QFileSystemWatcher(this)) {
    m_file1->setObjectName("File1");
    m_picture1->setObjectName("Picture1");
    m_picture1->setFixedSize(kPreviewSide, kPreviewSide);
    m_picture1->setAlignment(Qt::AlignCenter);
    m_picture1->setFrameShape(QFrame::StyledPanel);
    m_picture1->setFrameShadow(QFrame::Sunken);
    m_picture1->setStyleSheet("background: white;");

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_file1, 1);
    layout->addWidget(m_picture1, 0, Qt::AlignTop);

    connect(m_file1, &QListWidget::currentRowChanged, this, [this] { File1_Click(); });
    const QString picts = QString::fromStdString(m_folder.Resolve("PICTS").string());
    if (QFileInfo(picts).isDir()) {
        m_watcher->addPath(picts);
    }
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { RefreshList(); });
    RefreshList();
}

void PictureChooser::RefreshList() {
    const std::string selected = SelectedFile();
    const QSignalBlocker blocker(m_file1);
    m_file1->clear();
    for (const std::string& name : ListPictFiles(m_folder)) {
        auto* item = new QListWidgetItem(ScreenName(name), m_file1);
        item->setData(Qt::UserRole, QByteArray::fromStdString(name));
    }
    if (!selected.empty()) {
        SelectFile(selected);
    }
}

bool PictureChooser::SelectFile(const std::string& file) {
    int found = -1;
    for (int row = 0; row < m_file1->count(); ++row) {
        const std::string name = FileNameOf(m_file1->item(row));
        if (name == file) {
            found = row;
            break;
        }
        if (found < 0 && platform::EqualsNoCase(name, file)) {
            found = row;
        }
    }
    if (found < 0) {
        return false;
    }
    m_file1->setCurrentRow(found);
    File1_Click();
    return true;
}

std::string PictureChooser::SelectedFile() const {
    return FileNameOf(m_file1->currentItem());
}

int PictureChooser::ListIndex() const {
    return m_file1->currentRow();
}

void PictureChooser::SetListIndex(int index) {
    if (m_file1->count() == 0) {
        return;
    }
    m_file1->setCurrentRow(std::clamp(index, 0, m_file1->count() - 1));
    File1_Click();
}

bool PictureChooser::SelectIntoInputLine() {
    const std::string file = SelectedFile();
    if (file.empty() || !m_input.Text || !m_input.SetTextAndFocus) {
        return false;
    }
    m_input.SetTextAndFocus(PictSelectLine(file, m_input.Text()));
    return true;
}

void PictureChooser::File1_Click() {
    const std::string file = SelectedFile();
    QImage image;
    if (!file.empty()) {
        image.load(QString::fromStdString(m_folder.Resolve("PICTS\\" + file).string()));
    }
    if (image.isNull()) {
        m_picture1->clear();
        return;
    }
    const qreal dpr = m_picture1->devicePixelRatioF();
    const QSize room(kPreviewSide - 4, kPreviewSide - 4);
    if (image.width() > room.width() || image.height() > room.height()) {
        // Straight to the screen's pixels: scaling twice would blur it twice.
        image = image.scaled(room * dpr, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        image.setDevicePixelRatio(dpr);
    } else {
        image = PictureForScreen("PICTS\\" + file, image, dpr);
    }
    m_picture1->setPixmap(QPixmap::fromImage(image));
}

PictureFrame::PictureFrame(const platform::ProgramFolder& folder, VisibleInputLine input,
                           QWidget* parent)
    : QWidget(parent), m_chooser(new PictureChooser(folder, std::move(input), this)),
      m_select(new QPushButton("Select", this)), m_undock(new QPushButton("Undock", this)) {
    setObjectName("Frame1");
    m_select->setObjectName("Command2");
    m_undock->setObjectName("Command3");

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(m_select);
    buttons->addWidget(m_undock);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(m_chooser, 1);
    layout->addLayout(buttons);
    setFixedHeight(80);

    connect(m_select, &QPushButton::clicked, this, [this] { m_chooser->SelectIntoInputLine(); });
    connect(m_undock, &QPushButton::clicked, this, &PictureFrame::UndockRequested);
}

void PictureFrame::DockPictMan(int flag) {
    if (flag > 0) {
        m_chooser->RefreshList();
        show();
    } else if (flag == 0) {
        hide();
    }
}

PictureManager::PictureManager(const platform::ProgramFolder& folder, VisibleInputLine input,
                               PictureFrame& docked, QWidget* parent)
    : QWidget(parent, Qt::Window), m_docked(docked),
      m_chooser(new PictureChooser(folder, std::move(input), this)),
      m_label(new QLabel("Current Picts in your PICTS Folder:", this)),
      m_select(new QPushButton("Select", this)), m_dock(new QPushButton("Dock", this)),
      m_close(new QPushButton("Close", this)) {
    setObjectName("PictManager");
    setWindowTitle("Pict Manager");
    m_label->setObjectName("Label1");
    m_dock->setObjectName("Command1");
    m_select->setObjectName("Command2");
    m_close->setObjectName("Command3");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_select);
    buttons->addWidget(m_dock);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_chooser, 1);
    layout->addLayout(buttons);
    resize(260, 240);

    connect(m_select, &QPushButton::clicked, this, &PictureManager::Select);
    connect(m_dock, &QPushButton::clicked, this, &PictureManager::Dock);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_docked, &PictureFrame::UndockRequested, this, &PictureManager::Undock);
}

void PictureManager::ShowManager() {
    if (!isVisible()) {
        m_chooser->RefreshList();
        m_chooser->SetListIndex(m_lastPictManger);
    }
    show();
    raise();
    activateWindow();
}

// However the window closes, the docked manager is there again, on the same file: a closed
// window would otherwise leave no picture manager in sight.
void PictureManager::closeEvent(QCloseEvent* event) {
    if (m_chooser->ListIndex() >= 0) {
        m_lastPictManger = m_chooser->ListIndex();
    }
    const std::string file = m_chooser->SelectedFile();
    m_docked.DockPictMan(1);
    if (!file.empty()) {
        m_docked.Chooser().SelectFile(file);
    }
    QWidget::closeEvent(event);
}

// The window takes over the file chosen in the frame.
void PictureManager::Undock() {
    const std::string file = m_docked.Chooser().SelectedFile();
    m_docked.DockPictMan(0);
    ShowManager();
    if (!file.empty()) {
        m_chooser->SelectFile(file);
    }
}

void PictureManager::Dock() {
    close();
}

void PictureManager::Select() {
    if (m_chooser->SelectIntoInputLine()) {
        close();
    }
}

} // namespace korbi::media
