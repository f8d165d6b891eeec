#pragma once
// The file-open dialog: it browses the machine's own drives and folders through the platform
// (in the sandbox the simulated machine, never the host's files) and gives back machine paths.
#include <QDialog>

#include <optional>
#include <string>
#include <vector>

#include "engine/FileOpenDialog.h"
#include "platform/FileSystem.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace hastelyn::ui {

class MachineFileBrowser : public QDialog {
    Q_OBJECT
public:
    MachineFileBrowser(platform::FileSystem& files, const QString& title, std::string_view filter,
                       std::string_view folder, QWidget* parent);

    QComboBox* CmbDrive = nullptr;
    QLineEdit* EdtFolder = nullptr;
    QListWidget* LstFiles = nullptr;
    QLineEdit* EdtFileName = nullptr;
    QComboBox* CmbFilter = nullptr;

    // The folder shown, without a trailing backslash except at a drive's root ("C:\").
    const std::string& folder() const { return folder_; }
    // The chosen file once the dialog was accepted.
    const std::string& chosen() const { return chosen_; }
    // Shows a folder of the machine.
    void openFolder(std::string folder);
    // Open: a folder typed or selected is opened, a file is chosen.
    void openSelection();

private:
    void fill();
    std::string pathOf(const std::string& name) const;

    platform::FileSystem& files_;
    std::vector<std::string> patterns_;  // one per filter entry
    std::string folder_;
    std::string chosen_;
};

class MachineFileDialog : public engine::FileOpenDialog {
public:
    MachineFileDialog(platform::FileSystem& files, QWidget* parent) : files_(files), parent_(parent) {}
    std::optional<std::string> choose(std::string_view title, std::string_view filter, std::string_view folder) override;

private:
    platform::FileSystem& files_;
    QWidget* parent_;
};

}  // namespace hastelyn::ui
