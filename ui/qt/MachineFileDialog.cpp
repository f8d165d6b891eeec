#include "ui/qt/MachineFileDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

#include "platform/Win32Types.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

constexpr int kFolderRole = Qt::UserRole;

bool isFolder(const platform::FindData& entry) { return (entry.attributes & platform::fileattr::Directory) != 0; }

// "C:\a\" → "C:\a"; "C:" and "C:\" → "C:\".
std::string normalFolder(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

bool isAbsolute(std::string_view path) { return path.size() >= 2 && (path[1] == ':' || path.starts_with("\\\\")); }

}  // namespace

MachineFileBrowser::MachineFileBrowser(platform::FileSystem& files, const QString& title, std::string_view filter,
                                       std::string_view folder, QWidget* parent)
    : QDialog(parent), files_(files) {
    setObjectName("DlgOpen");
    setWindowTitle(title);
    setModal(true);
    setFixedSize(440, 320);
    auto* lookIn = place<QLabel>(this, "LblLookIn", 8, 12, 80, 18);
    lookIn->setText(u8("ファイルの場所:"));
    CmbDrive = place<QComboBox>(this, "CmbDrive", 90, 8, 70, 24);
    EdtFolder = place<QLineEdit>(this, "EdtFolder", 166, 8, 266, 24);
    EdtFolder->setReadOnly(true);
    LstFiles = place<QListWidget>(this, "LstFiles", 8, 38, 424, 200);
    auto* nameLabel = place<QLabel>(this, "LblFileName", 8, 250, 90, 18);
    nameLabel->setText(u8("ファイル名(&N):"));
    EdtFileName = place<QLineEdit>(this, "EdtFileName", 100, 246, 240, 24);
    nameLabel->setBuddy(EdtFileName);
    auto* typeLabel = place<QLabel>(this, "LblFileType", 8, 282, 90, 18);
    typeLabel->setText(u8("ファイルの種類(&T):"));
    CmbFilter = place<QComboBox>(this, "CmbFilter", 100, 278, 240, 24);
    typeLabel->setBuddy(CmbFilter);
    QPushButton* open = button(this, "BtnOpen", u8("開く(&O)"), 350, 246, 82, 24);
    open->setDefault(true);
    QPushButton* cancel = button(this, "BtnCancel", u8("キャンセル"), 350, 278, 82, 24);

    // "name|pattern|name|pattern".
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t bar = filter.find('|', start);
        parts.emplace_back(filter.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        CmbFilter->addItem(u8(parts[i]));
        patterns_.push_back(parts[i + 1]);
    }
    if (patterns_.empty()) {
        CmbFilter->addItem("*.*");
        patterns_.push_back("*.*");
    }
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (files_.getDriveType(root) != platform::drivetype::NoRootDir) CmbDrive->addItem(u8(root));
    }

    connect(CmbDrive, &QComboBox::activated, this, [this](int index) { openFolder(CmbDrive->itemText(index).toStdString()); });
    connect(CmbFilter, &QComboBox::currentIndexChanged, this, [this] { fill(); });
    connect(LstFiles, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item != nullptr && !item->data(kFolderRole).toBool()) EdtFileName->setText(item->text());
    });
    connect(LstFiles, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        EdtFileName->setText(item->text());
        openSelection();
    });
    connect(open, &QPushButton::clicked, this, &MachineFileBrowser::openSelection);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    openFolder(std::string(folder));
}

std::string MachineFileBrowser::pathOf(const std::string& name) const {
    if (isAbsolute(name)) return name;
    if (name == "..") {
        const std::size_t slash = folder_.find_last_of('\\', folder_.size() - 2);
        return slash == std::string::npos ? folder_ : normalFolder(folder_.substr(0, slash + 1));
    }
    return folder_ + (folder_.ends_with('\\') ? "" : "\\") + name;
}

void MachineFileBrowser::openFolder(std::string folder) {
    folder_ = normalFolder(std::move(folder));
    EdtFolder->setText(u8(folder_));
    const int drive = CmbDrive->findText(u8(folder_.substr(0, 3)), Qt::MatchFixedString);
    if (drive >= 0) CmbDrive->setCurrentIndex(drive);
    EdtFileName->clear();
    fill();
}

void MachineFileBrowser::fill() {
    LstFiles->clear();
    const std::string base = folder_ + (folder_.ends_with('\\') ? "" : "\\");
    std::vector<platform::FindData> all, matching;
    // A folder that cannot be listed shows empty, as on Windows.
    if (!files_.findFiles(base + "*.*", all).ok()) all.clear();
    const std::size_t pattern = static_cast<std::size_t>(std::max(0, CmbFilter->currentIndex()));
    if (pattern >= patterns_.size() || !files_.findFiles(base + patterns_[pattern], matching).ok()) matching.clear();
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    if (folder_.size() > 3) {
        auto* up = new QListWidgetItem(folderIcon, "..", LstFiles);
        up->setData(kFolderRole, true);
    }
    for (const platform::FindData& entry : all) {
        if (!isFolder(entry) || entry.name == "." || entry.name == "..") continue;
        auto* item = new QListWidgetItem(folderIcon, u8(entry.name), LstFiles);
        item->setData(kFolderRole, true);
    }
    for (const platform::FindData& entry : matching)
        if (!isFolder(entry)) new QListWidgetItem(fileIcon, u8(entry.name), LstFiles);
}

void MachineFileBrowser::openSelection() {
    const std::string name = EdtFileName->text().trimmed().toStdString();
    if (name.empty()) {
        QListWidgetItem* item = LstFiles->currentItem();
        if (item != nullptr && item->data(kFolderRole).toBool()) openFolder(pathOf(item->text().toStdString()));
        return;
    }
    const std::string path = pathOf(name);
    const std::uint32_t attributes = files_.getFileAttributes(path);
    if (attributes != platform::fileattr::Invalid && (attributes & platform::fileattr::Directory) != 0) {
        openFolder(path);
        return;
    }
    chosen_ = path;
    accept();
}

std::optional<std::string> MachineFileDialog::choose(std::string_view title, std::string_view filter,
                                                     std::string_view folder) {
    MachineFileBrowser browser(files_, u8(title), filter, folder, parent_);
    if (browser.exec() != QDialog::Accepted) return std::nullopt;
    return browser.chosen();
}

}  // namespace hastelyn::ui
