#include "filedialogs.h"

#include "platform/ui/modal.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

const QString filter = QStringLiteral("Mindmap (*.brm)");

// Our own dialog, not the desktop's, so that it can be answered in tests and
// looks the same everywhere. The filter comes before any preset name, which
// it would otherwise give its own extension.
void prepare(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(filter);
}

std::optional<QString> run(QFileDialog& dialog) {
    if (execModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> askMapToOpen(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QStringLiteral("Openen mindmap"), folder);
    prepare(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("BRM"));
    return run(dialog);
}

std::optional<QString> askMapToSave(QWidget* parent, const QString& folder,
                                    const QString& presetName) {
    QFileDialog dialog(parent, QStringLiteral("Opslaan mindmap"), folder);
    prepare(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("brm"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!presetName.isEmpty()) {
        const QFileInfo preset(presetName);
        if (preset.isAbsolute()) {
            dialog.setDirectory(preset.absolutePath());
        }
        dialog.selectFile(preset.fileName());
    }
    return run(dialog);
}
