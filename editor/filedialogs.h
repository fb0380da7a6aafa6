#pragma once

#include <QString>
#include <optional>

class QWidget;

// The editor's open and save dialogs for map files ("Mindmap(*.brm)"),
// starting in the given folder. Run through execModal, so tests can answer
// them. An empty answer means the dialog was cancelled.
std::optional<QString> askMapToOpen(QWidget* parent, const QString& folder);
std::optional<QString> askMapToSave(QWidget* parent, const QString& folder,
                                    const QString& presetName);
